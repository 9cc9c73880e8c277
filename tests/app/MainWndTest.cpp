// The main window on the test's screen: what its buttons send where the skin shows them, their stacking
// over the knob, the tool tips and their texts, the mode buttons, the settings read at creation, a
// missing skin bitmap refusing creation, and the ways the window goes, deleting its own object.

#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/print/PaperSizes.h"
#include "platform/print/PrintDialog.h"
#include "platform/print/Spooler.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TimerTesting.h"
#include "skin/RadioBitmapButton.h"
#include "tests/app/MainWndTestSupport.h"

#include <QTimer>
#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class MainWndBehaviourTest : public MainWndTest {
protected:
    // A point of the skin in the window's client coordinates.
    CPoint OnSkin(CMainWnd* window, CPoint skinPoint) const {
        CRect client;
        window->GetClientRect(&client);
        return CMainWnd::SkinOrigin(client.Width(), client.Height()) + skinPoint;
    }
};

struct ClickCase {
    const char* name;
    POINT skinPoint;
    std::vector<const char*> commands;
};

std::ostream& operator<<(std::ostream& out, const ClickCase& click) {
    return out << click.name;
}

// Each knob zone is clicked where it meets the label that names it.
const ClickCase kClickCases[] = {
    {"PrintThroughTheKnobsHole", {110, 110}, {"1007 from Print"}},
    {"KnobRingBetweenZonesSendsNothing", {172, 111}, {}},
    {"LoadZoneOnLaden", {102, 16}, {"2047 from Laden"}},
    {"SaveZoneOnSpeichern", {77, 26}, {"2048 from Speichern"}},
    {"AlbumZoneOnAlbum", {40, 43}, {"2029 from Album"}},
    {"ScannerZoneOnScanner", {20, 85}, {"2051 from Scanner"}},
    {"CameraZoneOnCamera", {18, 97}, {"2050 from Camera"}},
    {"DiskZoneOnDisk", {20, 110}, {"1004 from Disk"}},
    {"EffectsZoneOnEffekte", {20, 153}, {"1014 from Effekte"}},
    {"SettingsZoneOnEinstellungen", {37, 187}, {"2040 from Einstellungen"}},
    {"PrintDialogZoneOnDrucken", {105, 204}, {"2024 from Drucken"}},
    {"About", {700, 20}, {"1003 from About"}},
    {"Grayscale", {240, 14}, {"2083 from Grayscale"}},
    {"Text", {625, 14}, {"2099 from Text"}},
    {"Internet", {53, 344}, {"2100 from Internet"}},
    {"ResourceManager", {118, 344}, {"2101 from Resource manager"}},
    {"EditMode", {45, 248}, {"2081 from Edit mode"}},
    {"NormalMode", {116, 248}, {"2080 from Normal mode"}},
};

class MainWndClickTest : public MainWndBehaviourTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(MainWndClickTest, AClickReachesTheButtonTheSkinShowsThere) {
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    // A command that opens a dialog (the about box) finds it answered with Cancel.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [window] {
        if (auto* dialog = dynamic_cast<CDialog*>(CWnd::GetActiveWindow());
            dialog && static_cast<CWnd*>(dialog) != window)
            dialog->EndDialog(IDCANCEL);
    });
    answer.start(10);
    ClickAt(window, OnSkin(window, GetParam().skinPoint));
    EXPECT_THAT(TakeCommands(), ::testing::ElementsAreArray(GetParam().commands));
}

INSTANTIATE_TEST_SUITE_P(Buttons, MainWndClickTest, ::testing::ValuesIn(kClickCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWndBehaviourTest, TheLabelsOverTheKnobLieAboveItAndThePrintDiscBelow) {
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    std::vector<CString> stacking; // topmost first
    for (CWnd* child = window->GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        CString caption;
        child->GetWindowText(caption);
        stacking.push_back(caption);
    }
    const auto place = [&](const char* caption) {
        return std::find(stacking.begin(), stacking.end(), CString(caption)) - stacking.begin();
    };
    ASSERT_LT(place("Knob"), static_cast<long>(stacking.size()));
    for (const char* label : {"Laden", "Speichern", "Album"})
        EXPECT_LT(place(label), place("Knob")) << label;
    for (const char* below : {"Print", "Scanner", "Drucken"})
        EXPECT_GT(place(below), place("Knob")) << below;
}

// Both builders and the children's maker may run again: each replaces what it made, in the same places.
TEST_F(MainWndBehaviourTest, BuildingButtonsAndChildrenAgainReplacesThemInPlace) {
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    const auto placeOf = [window](CWnd* child) {
        CRect rect;
        child->GetWindowRect(&rect);
        window->ScreenToClient(&rect);
        return rect;
    };
    const CRect canvas = placeOf(window->GetPreviewWnd());
    const CRect panel = placeOf(window->GetCategWnd());
    const CRect close = placeOf(ButtonNamed("Close"));
    const CRect print = placeOf(ButtonNamed("Print"));

    ASSERT_TRUE(window->CreateCaptionButtons());
    ASSERT_TRUE(window->CreateButtons());
    ASSERT_TRUE(window->CreateChildWindows());
    PumpMessages();
    int children = 0;
    for (CWnd* child = window->GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, CMainWnd::kButtonCount + 2);
    EXPECT_EQ(placeOf(window->GetPreviewWnd()), canvas);
    EXPECT_EQ(placeOf(window->GetCategWnd()), panel);
    EXPECT_EQ(placeOf(ButtonNamed("Close")), close);
    EXPECT_EQ(placeOf(ButtonNamed("Print")), print);
    ClickAt(window, OnSkin(window, CPoint(110, 110)));
    EXPECT_THAT(TakeCommands(), ElementsAre("1007 from Print"));
}

struct TipCase {
    const char* caption;
    UINT textId; // 0: no tip
};

TEST_F(MainWndBehaviourTest, ToolTipsShowTheTextModulesStringsAndFiveButtonsHaveNone) {
    AfxSetResourceHandle(nullptr);
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    const TipCase tips[] = {
        {"Print", 152},          {"Laden", 144},      {"Speichern", 176}, {"Album", 145},
        {"Scanner", 146},        {"Camera", 147},     {"Effekte", 148},   {"Disk", 149},
        {"Einstellungen", 150},  {"Drucken", 151},    {"Edit mode", 177}, {"Normal mode", 178},
        {"2 Colors", 127},       {"Grayscale", 129},  {"256Colors", 128}, {"TrueColors", 130},
        {"Brightness", 221},     {"Saturation", 222}, {"Contrast", 223},  {"Sharpness", 224},
        {"Gamma", 225},          {"Mirror", 131},     {"Rotate", 132},    {"Merge", 226},
        {"Orig Picture", 227},   {"Text", 245},       {"Move", 230},      {"Internet", 270},
        {"Minimize", 0},         {"Close", 0},        {"About", 0},       {"Knob", 0},
        {"Resource manager", 0},
    };
    EXPECT_EQ(window->GetToolTip().GetToolCount(), 28);
    for (const TipCase& tip : tips) {
        CWnd* button = ButtonNamed(tip.caption);
        ASSERT_NE(button, nullptr) << tip.caption;
        CString shown;
        window->GetToolTip().GetText(shown, button);
        const CString expected = tip.textId ? LoadWholeString(s_texts, tip.textId, 256) : CString();
        EXPECT_EQ(shown, expected) << tip.caption;
        if (tip.textId) {
            EXPECT_FALSE(shown.IsEmpty()) << tip.caption;
        }
    }
    EXPECT_EQ(AfxGetResourceHandle(), s_resources);
}

TEST_F(MainWndBehaviourTest, APointerRestingOnAButtonShowsItsTip) {
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    MoveTo(window, OnSkin(window, CPoint(110, 110)));
    AdvanceTimersForTesting(500);
    const CToolTipCtrl& tips = window->GetToolTip();
    ASSERT_TRUE(tips.IsWindowVisible());
    CString shown;
    tips.GetWindowText(shown);
    EXPECT_EQ(shown, LoadWholeString(s_texts, 152, 256));
}

TEST_F(MainWndBehaviourTest, TheModeButtonsShowTheApplicationsMode) {
    for (const BYTE editMode : {FALSE, TRUE}) {
        m_services.SetEditMode(editMode);
        CMainWnd* window = CreateMainWnd();
        ASSERT_NE(window, nullptr);
        auto* normal = static_cast<CRadioBitmapButton*>(window->GetButton(CMainWnd::kNormalMode));
        auto* edit = static_cast<CRadioBitmapButton*>(window->GetButton(CMainWnd::kEditMode));
        EXPECT_EQ(normal->GetCheck(), !editMode) << "edit mode " << int(editMode);
        EXPECT_EQ(edit->GetCheck(), editMode) << "edit mode " << int(editMode);
        window->DestroyWindow();
    }
}

TEST_F(MainWndBehaviourTest, CreationTakesTheSettingsAndTheNoneText) {
    WriteProfileString("Settings", "Clipart Path", "/srv/clipart");
    WriteProfileString("Settings", "Template", "Urlaub");
    WriteProfileInt("Settings", "PrintOffsetX", 1250);
    WriteProfileInt("Settings", "PrintOffsetY", 5);
    m_services.SetString(292, "(keine)");
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(m_services.ClipartPath(), "/srv/clipart");
    EXPECT_FLOAT_EQ(window->GetPrintOffsetX(), 12.5f);
    EXPECT_FLOAT_EQ(window->GetPrintOffsetY(), 0.05f);
    EXPECT_EQ(CMainWnd::GetNoneText(), "(keine)");
    EXPECT_EQ(window->GetCurrentAlbum(), nullptr);
    EXPECT_THAT(m_services.MessageIds(), IsEmpty());
}

class MainWndLackingBitmapTest : public MainWndBehaviourTest,
                                 public ::testing::WithParamInterface<const char*> {};

// Even a bitmap that only shows a disabled or unused state is required; nothing is shown.
TEST_P(MainWndLackingBitmapTest, CreationIsRefusedSilently) {
    HMODULE lacking = LoadLibrary(CString(VC_TEST_BINARY_DIR "/without_") + GetParam() + ".deu");
    ASSERT_NE(lacking, nullptr);
    m_services.SetResourceModule(lacking);
    AfxSetResourceHandle(lacking);
    EXPECT_EQ(CreateMainWnd(), nullptr);
    EXPECT_THAT(m_services.MessageIds(), IsEmpty());
    EXPECT_THAT(m_messageBoxes.Boxes(), IsEmpty());
    PumpMessages();
    AfxSetResourceHandle(s_resources);
    FreeLibrary(lacking);
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, MainWndLackingBitmapTest,
                         ::testing::Values("MAIN_WND", "CLOSEF", "MS_GRAYX", "KNOBDRUCKENU"),
                         [](const auto& info) { return std::string(info.param); });

TEST_F(MainWndBehaviourTest, TheMinimizeButtonMinimizes) {
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    ClickAt(window, OnSkin(window, CPoint(776, 14)));
    EXPECT_THAT(TakeCommands(), ElementsAre("1000 from Minimize"));
    EXPECT_TRUE(window->IsIconic());
}

struct CloseCase {
    const char* name;
    void (*close)(CMainWnd* window, CPoint closeButton);
};

std::ostream& operator<<(std::ostream& out, const CloseCase& close) {
    return out << close.name;
}

const CloseCase kCloseCases[] = {
    {"CloseButton", [](CMainWnd* window, CPoint closeButton) { ClickAt(window, closeButton); }},
    {"CloseMessage", [](CMainWnd* window, CPoint) { window->PostMessage(WM_CLOSE); }},
    {"DestroyWindow", [](CMainWnd* window, CPoint) { window->DestroyWindow(); }},
};

class MainWndCloseTest : public MainWndBehaviourTest, public ::testing::WithParamInterface<CloseCase> {};

// The object goes with its window; the window's owner never deletes it.
TEST_P(MainWndCloseTest, TheWindowGoesAndDeletesItsObjectWithoutAsking) {
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    bool deleted = false;
    static_cast<LoggingMainWnd*>(window)->NoteDeletionIn(&deleted);
    GetParam().close(window, OnSkin(window, CPoint(792, 14)));
    PumpMessages();
    EXPECT_FALSE(IsWindow(m_window));
    EXPECT_TRUE(deleted);
    EXPECT_THAT(m_services.Messages(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Ways, MainWndCloseTest, ::testing::ValuesIn(kCloseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWndBehaviourTest, TheCloseButtonOffersAModifiedProjectForSavingAndCancelKeepsTheWindow) {
    m_services.SetString(215, "Änderungen speichern, bevor %s endet?");
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    window->SetModified(1);
    m_services.QueueAnswers({IDCANCEL, IDNO});
    const CPoint closeButton = OnSkin(window, CPoint(792, 14));

    ClickAt(window, closeButton);
    PumpMessages();
    ASSERT_EQ(m_services.Messages().size(), 1u);
    EXPECT_EQ(m_services.Messages()[0].text, "Änderungen speichern, bevor Vellumcraft endet?");
    EXPECT_EQ(m_services.Messages()[0].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
    ASSERT_TRUE(IsWindow(m_window));

    ClickAt(window, closeButton);
    PumpMessages();
    EXPECT_EQ(m_services.Messages().size(), 2u);
    EXPECT_FALSE(IsWindow(m_window));
}

// The print set-up: the default printer's page, or the saved "Printer" section where it fits.
class MainWndPrinterTest : public MainWndBehaviourTest {
protected:
    void SetUp() override {
        MainWndBehaviourTest::SetUp();
        m_printers.Add("Büro").info.isDefault = TRUE;
        m_printers.Add("Etiketten", "Etiketten-Treiber", "usb://etiketten");
    }

    // Names and a device mode of "Etiketten" with Letter across, as a print set-up saved them.
    static void SavePrinter() {
        WriteProfileInt("Printer", "Orientation", 1);
        WriteProfileString("Printer", "Driver", "Etiketten-Treiber");
        WriteProfileString("Printer", "Device", "Etiketten");
        WriteProfileString("Printer", "Output", "usb://etiketten");
        WriteProfileInt("Printer", "wDriverOffset", 8);
        WriteProfileInt("Printer", "wDeviceOffset", 26);
        WriteProfileInt("Printer", "wOutputOffset", 36);
        WriteProfileInt("Printer", "wDefault", 0);
        HANDLE printer = nullptr;
        ASSERT_TRUE(OpenPrinter("Etiketten", &printer, nullptr));
        DEVMODE devMode{};
        ASSERT_EQ(DocumentProperties(nullptr, printer, "Etiketten", &devMode, nullptr, DM_OUT_BUFFER), IDOK);
        ClosePrinter(printer);
        devMode.dmOrientation = DMORIENT_LANDSCAPE;
        devMode.dmPaperSize = DMPAPER_LETTER;
        WriteProfileBinary("Printer", "DevMode", reinterpret_cast<const BYTE*>(&devMode), sizeof devMode);
    }

    static CString DevModeName(CMainWnd* window) {
        CGlobalLock lock(window->GetPrintDialog()->m_pd.hDevMode);
        return lock.Bytes() ? GetDeviceName(reinterpret_cast<const DEVMODE*>(lock.Bytes())) : CString();
    }
};

TEST_F(MainWndPrinterTest, TheDefaultPrintersPageIsKept) {
    for (const short orientation : {DMORIENT_PORTRAIT, DMORIENT_LANDSCAPE}) {
        m_printers.Get("Büro").capabilities.defaultOrientation = orientation;
        CMainWnd* window = CreateMainWnd();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->GetPrintDialog()->GetDeviceName(), "Büro");
        EXPECT_EQ(window->GetIntField(), orientation);
        // A4 at 300 dots per inch: 2480 by 3508 dots, each side truncated back to tenths of a millimetre.
        EXPECT_EQ(window->GetPaperSize(),
                  orientation == DMORIENT_PORTRAIT ? CSize(2099, 2970) : CSize(2970, 2099));
        window->DestroyWindow();
        PumpMessages();
    }
}

TEST_F(MainWndPrinterTest, ASavedPrinterReplacesTheDefaultOne) {
    SavePrinter();
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    CPrintDialog* setUp = window->GetPrintDialog();
    EXPECT_EQ(setUp->GetDeviceName(), "Etiketten");
    EXPECT_EQ(setUp->GetDriverName(), "Etiketten-Treiber");
    EXPECT_EQ(setUp->GetPortName(), "usb://etiketten");
    EXPECT_EQ(DevModeName(window), "Etiketten");
    EXPECT_EQ(window->GetIntField(), DMORIENT_LANDSCAPE);
    EXPECT_EQ(window->GetPaperSize(), CSize(2794, 2159));
    EXPECT_THAT(m_services.Messages(), IsEmpty());
}

struct SavedPrinterCase {
    const char* name;
    void (*spoil)();
    const char* deviceName; // the names' printer after creation
    const char* devModeName;
};

std::ostream& operator<<(std::ostream& out, const SavedPrinterCase& saved) {
    return out << saved.name;
}

const SavedPrinterCase kSpoiledPrinters[] = {
    {"OffsetBehindTheBlock", [] { WriteProfileInt("Printer", "wOutputOffset", 60000); }, "Büro", "Etiketten"},
    {"OffsetOver16Bits", [] { WriteProfileInt("Printer", "wDeviceOffset", 65536 + 26); }, "Büro",
     "Etiketten"},
    {"OffsetInTheHeader", [] { WriteProfileInt("Printer", "wDriverOffset", 4); }, "Büro", "Etiketten"},
    {"NamesOverlap", [] { WriteProfileInt("Printer", "wDeviceOffset", 20); }, "Büro", "Etiketten"},
    // The block holds the three names and 151 bytes more: 192 bytes here.
    {"NameRunsOverTheEnd", [] { WriteProfileInt("Printer", "wOutputOffset", 180); }, "Büro", "Etiketten"},
    {"NoDeviceName", [] { WriteProfileString("Printer", "Device", ""); }, "Büro", "Etiketten"},
    {"DefaultFlagOver16Bits", [] { WriteProfileInt("Printer", "wDefault", 0x10001); }, "Büro", "Etiketten"},
    {"DevModeCutShort",
     [] {
         const BYTE shortRecord[20] = {};
         WriteProfileBinary("Printer", "DevMode", shortRecord, sizeof shortRecord);
     },
     "Etiketten", "Büro"},
    {"DevModeOfAnotherVersion",
     [] {
         BYTE* data = nullptr;
         UINT bytes = 0;
         GetProfileBinary("Printer", "DevMode", &data, &bytes);
         reinterpret_cast<DEVMODE*>(data)->dmSpecVersion = 0x0401;
         WriteProfileBinary("Printer", "DevMode", data, bytes);
         delete[] data;
     },
     "Etiketten", "Büro"},
    {"DevModeMissing", [] { DeleteProfileValue("Printer", "DevMode"); }, "Etiketten", "Büro"},
};

class MainWndSpoiledPrinterTest : public MainWndPrinterTest,
                                  public ::testing::WithParamInterface<SavedPrinterCase> {};

// What does not fit is left out and the default printer's part stays; nothing is shown.
TEST_P(MainWndSpoiledPrinterTest, ThePartThatDoesNotFitStaysTheDefaultPrinters) {
    SavePrinter();
    GetParam().spoil();
    CMainWnd* window = CreateMainWnd();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetPrintDialog()->GetDeviceName(), GetParam().deviceName);
    EXPECT_EQ(DevModeName(window), GetParam().devModeName);
    EXPECT_THAT(m_services.Messages(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Saved, MainWndSpoiledPrinterTest, ::testing::ValuesIn(kSpoiledPrinters),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWndPrinterTest, ADefaultPrinterThatCannotBeOpenedRefusesCreationWithMessage212) {
    m_printers.Get("Büro").opens = false;
    EXPECT_EQ(CreateMainWnd(), nullptr);
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(212u));
}

} // namespace
