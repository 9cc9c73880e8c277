// The main window's project commands on the real window: the file dialogs through a scripted chooser,
// the save menu through a recording presenter, the knob and the click sound, closing with and without
// saving, the mode questions, the text command and a change of the screen.
#include "app/AlbumDialog.h"
#include "app/MainWnd.h"
#include "app/ResourceManagerSheet.h"
#include "editing/EffectsDialogs.h"
#include "image/WorkBitmap.h"
#include "library/DSAlbum.h"
#include "library/PhotoAlbum.h"
#include "page/DrawRect.h"
#include "page/MainWndServices.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "page/UndoLayers.h"
#include "platform/base/Resource.h"
#include "platform/sound/PlaySound.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuPresenter.h"
#include "platform/ui/TopLevelMessages.h"
#include "platform/ui/WindowRecord.h"
#include "skin/KnobBitmapButton.h"
#include "skin/RadioBitmapButton.h"
#include "tests/app/MainWndPageFixture.h"
#include "tests/support/RunTool.h"
#include "tests/support/ScriptedFileChooser.h"

#include <QApplication>
#include <QWidget>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <iterator>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

namespace fs = std::filesystem;

// A message of the source's own, neither a transfer nor a close request.
constexpr TW_UINT16 kSourceOwnEvent = 0x0103;

std::string ReadAll(const CString& path) {
    std::ifstream in(path.str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Records each sound with the knob's position at that moment.
class RecordingSound final : public ISoundOutput {
public:
    explicit RecordingSound(std::function<int()> knobPosition) : m_knobPosition(std::move(knobPosition)) {
        m_previous = SetSoundOutput(this);
    }
    ~RecordingSound() override { SetSoundOutput(m_previous); }
    RecordingSound(const RecordingSound&) = delete;
    RecordingSound& operator=(const RecordingSound&) = delete;

    void Play(const CString& path) override {
        played.push_back(NameOf(path) + " at knob " + std::to_string(m_knobPosition()));
    }

    std::vector<std::string> played;

private:
    std::function<int()> m_knobPosition;
    ISoundOutput* m_previous = nullptr;
};

// Records the items of a popup and its point, and chooses the scripted command (0: none).
class RecordingMenu final : public IMenuPresenter {
public:
    RecordingMenu() { SetMenuPresenter(this); }
    ~RecordingMenu() override { SetMenuPresenter(nullptr); }
    RecordingMenu(const RecordingMenu&) = delete;
    RecordingMenu& operator=(const RecordingMenu&) = delete;

    UINT Track(HWND, CMenu& menu, POINT where) override {
        items.clear();
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            CString text;
            menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
            items.push_back(text.str() + " " + std::to_string(menu.GetMenuItemID(i)));
        }
        point = where;
        ++shown;
        return choice;
    }

    std::vector<std::string> items;
    CPoint point;
    int shown = 0;
    UINT choice = 0;
};

// A folder nobody may write into, root included (the immutable attribute); the old state comes back
// at the end.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const CString& path) : m_path(path.str()) {
        chmod(m_path.c_str(), 0555);
        m_immutable = geteuid() == 0 && RunTool("chattr +i '" + m_path + "'") == 0;
    }
    ~ReadOnlyFolder() {
        if (m_immutable)
            RunTool("chattr -i '" + m_path + "'");
        chmod(m_path.c_str(), 0755);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    // Whether writing there fails for this process.
    bool Holds() const { return geteuid() != 0 || m_immutable; }

private:
    std::string m_path;
    bool m_immutable = false;
};

class MainWndCommandTest : public MainWndPageTest {
protected:
    void SetUp() override {
        MainWndPageTest::SetUp();
        m_codecs2.LoadPlugins();
        for (const UINT id : {163u, 207u, 215u, 216u, 217u, 249u, 256u, 364u, 412u, 415u})
            m_services.SetString(id, LoadWholeString(s_texts, id, 255));
        m_workingFolder = fs::current_path();
    }
    void TearDown() override {
        // The dialogs start in the dialog path's folder; the process's folder never moves.
        EXPECT_EQ(fs::current_path(), m_workingFolder);
        MainWndPageTest::TearDown();
    }

    void Command(UINT id) {
        m_window->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
        PumpMessages();
    }
    void NormalPage() {
        m_services.SetEditMode(FALSE);
        ASSERT_TRUE(m_window->AddPicturesToPage(File("a.bmp")));
        m_window->GetWorkBitmap()->brightness = 25;
    }
    CKnobBitmapButton* Knob() const {
        return static_cast<CKnobBitmapButton*>(m_window->GetButton(CMainWnd::kKnob));
    }
    // "normal" or "edit" for the checked mode buttons.
    std::string CheckedModes() const {
        std::string checked;
        for (const auto& [button, name] :
             {std::pair{CMainWnd::kNormalMode, "normal"}, {CMainWnd::kEditMode, "edit"}})
            if (static_cast<CRadioBitmapButton*>(m_window->GetButton(button))->GetCheck())
                checked += checked.empty() ? name : std::string(" ") + name;
        return checked;
    }
    std::vector<std::string> Types(size_t request) const {
        std::vector<std::string> types;
        for (const FileTypeFilter& type : m_chooser.Requests().at(request).types)
            types.push_back(type.text.str() + " " + type.patterns.front().str());
        return types;
    }

    // The real codecs, which write the pictures and web pages.
    CExtMgr m_codecs2{VC_PROGRAM_DIR};
    ScriptedFileChooser m_chooser;
    RecordingMenu m_menu;
    fs::path m_workingFolder;
};

struct KnobCase {
    const char* name;
    UINT command;
    int zone;
    BYTE sound;
};

const KnobCase kKnobCases[] = {
    {"LoadTurnsToOneThenClicks", 2047, CMainWnd::kZoneLoad, TRUE},
    {"SaveMenuTurnsToTwoThenClicks", 2048, CMainWnd::kZoneSave, TRUE},
    {"WithoutSoundsOnlyTheKnobTurns", 2047, CMainWnd::kZoneLoad, FALSE},
};

TEST_F(MainWndCommandTest, KnobCommandsTurnTheKnobFirstAndThenClick) {
    fs::create_directory(File("Sound").str());
    std::ofstream(File("Sound/tick.wav").str()) << "RIFF";
    m_services.SetString(153, "kein Bild");
    for (const KnobCase& c : kKnobCases) {
        SCOPED_TRACE(c.name);
        m_services.SetSound(c.sound, File("Sound"));
        RecordingSound sound([this] { return Knob()->GetPosition(); });
        Knob()->SetPosition(9);
        Command(c.command);
        EXPECT_EQ(Knob()->GetPosition(), c.zone);
        if (c.sound)
            EXPECT_THAT(sound.played, ElementsAre("tick.wav at knob " + std::to_string(c.zone)));
        else
            EXPECT_THAT(sound.played, IsEmpty());
    }
}

// The album dialog's answer for the album command: OK with this album and photo 7, or Cancel.
CDSAlbum* g_chosenAlbum = nullptr;
int g_albumAnswer = IDCANCEL;

int AnswerAlbumDialog(CWnd*, AlbumChoice& choice) {
    choice.album = g_chosenAlbum;
    choice.photoIndex = 7;
    return g_albumAnswer;
}

TEST_F(MainWndCommandTest, TheAlbumCommandClicksBeforeTheKnobAndHandsAConfirmedAlbumToThePanel) {
    fs::create_directory(File("Sound").str());
    std::ofstream(File("Sound/tick.wav").str()) << "RIFF";
    m_services.SetSound(TRUE, File("Sound"));
    CPhotoAlbum chosen;
    g_chosenAlbum = &chosen;
    const AlbumDialog previous = SetAlbumDialog(&AnswerAlbumDialog);
    const struct {
        const char* name;
        int answer;
        std::vector<CString> panelCalls;
    } cases[] = {
        {"cancelled", IDCANCEL, {}},
        {"another album", IDOK, {"category 0", "reload 0", "item 0", "page 7"}},
        {"the same album again", IDOK, {"page 7"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_albumAnswer = c.answer;
        RecordingSound sound([this] { return Knob()->GetPosition(); });
        Knob()->SetPosition(9);
        m_panelLog.clear();
        Command(2029);
        EXPECT_THAT(sound.played, ElementsAre("tick.wav at knob 9"));
        EXPECT_EQ(Knob()->GetPosition(), CMainWnd::kZoneAlbum);
        EXPECT_EQ(m_panelLog, c.panelCalls);
    }
    EXPECT_EQ(m_window->GetCurrentAlbum(), &chosen);
    m_window->SetCurrentAlbum(nullptr);
    SetAlbumDialog(previous);
}

TEST_F(MainWndCommandTest, ProjectsAreSavedAndOpenedThroughTheDialogsAndTheFilesModeWins) {
    NormalPage();
    m_window->SetModified(TRUE);
    m_chooser.Pick({File("Urlaub.txt")});
    Command(32791);
    EXPECT_TRUE(fs::is_regular_file(File("Urlaub.txt.qzp").str()));
    EXPECT_FALSE(fs::exists(File("Urlaub.txt").str()));
    EXPECT_FALSE(m_window->IsModified());
    ASSERT_EQ(m_chooser.Requests().size(), 1u);
    EXPECT_TRUE(m_chooser.Requests()[0].save);
    EXPECT_THAT(Types(0), ElementsAre("Vellumcraft-Projekt (*.qzp) *.qzp"));

    // The next dialog starts where the last project went.
    EditPage();
    m_chooser.Pick({"Seite.qzp"});
    Command(32791);
    EXPECT_EQ(m_chooser.Requests()[1].folder, m_files.Path());
    EXPECT_TRUE(fs::is_regular_file(File("Seite.qzp").str()));

    m_chooser.Pick({"Urlaub.txt.qzp"});
    Command(2047);
    ASSERT_EQ(m_chooser.Requests().size(), 3u);
    EXPECT_FALSE(m_chooser.Requests()[2].save);
    EXPECT_THAT(Types(2), ElementsAre("Vellumcraft-Projekte (*.qzp) *.qzp", "Alle Dateien (*.*) *.*"));
    EXPECT_FALSE(m_services.IsEditMode());
    EXPECT_EQ(CheckedModes(), "normal");
    ASSERT_NE(m_window->GetWorkBitmap(), nullptr);
    EXPECT_EQ(m_window->GetWorkBitmap()->brightness, 25);
    EXPECT_EQ(m_window->GetProjectPath(), File("Urlaub.txt.qzp"));

    m_chooser.Pick({"Seite.qzp"});
    Command(2047);
    EXPECT_TRUE(m_services.IsEditMode());
    EXPECT_EQ(CheckedModes(), "edit");
    EXPECT_EQ(Describe(m_window->GetTemplate()), "a.bmp Hallo b.bmp clip");
    EXPECT_THAT(m_services.MessageIds(), IsEmpty());
}

TEST_F(MainWndCommandTest, AFolderThatCannotBeWrittenGives155AndKeepsTheOldFile) {
    NormalPage();
    m_window->SetModified(TRUE);
    fs::create_directory(File("nur-lesen").str());
    std::ofstream(File("nur-lesen/alt.qzp").str()) << "ALT";
    const ReadOnlyFolder readOnly(File("nur-lesen"));
    ASSERT_TRUE(readOnly.Holds());
    m_messageBoxes.QueueAnswers({IDYES}); // replace the old file
    m_chooser.Pick({File("nur-lesen/alt.qzp")});
    EXPECT_FALSE(m_window->OnSaveProject());
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(155u));
    EXPECT_EQ(ReadAll(File("nur-lesen/alt.qzp")), "ALT");
    EXPECT_TRUE(m_window->IsModified());
}

struct CloseCase {
    const char* name;
    int answer; // to question 215
    bool pick;  // the save dialog picks a file, else it is cancelled
    bool closes;
    bool saved;
};

const CloseCase kCloseCases[] = {
    {"YesSavesAndCloses", IDYES, true, true, true},
    {"YesWithACancelledSaveStays", IDYES, false, false, false},
    {"NoClosesWithoutSaving", IDNO, false, true, false},
    {"CancelStays", IDCANCEL, false, false, false},
};

TEST_F(MainWndCommandTest, TheCloseButtonSavesOnYesAndStaysWhenNoSaveHappened) {
    for (const CloseCase& c : kCloseCases) {
        SCOPED_TRACE(c.name);
        if (!m_window) {
            m_window = CreateMainWnd();
            ASSERT_NE(m_window, nullptr);
        }
        NormalPage();
        m_window->SetModified(TRUE);
        const CString file = File((std::string(c.name) + ".qzp").c_str());
        if (c.pick)
            m_chooser.Pick({file});
        m_services.ClearMessages();
        m_services.QueueAnswers({c.answer});
        const size_t dialogs = m_chooser.Requests().size();
        Command(1001);
        EXPECT_THAT(m_services.MessageIds(), ElementsAre(0u)); // the formatted question 215
        EXPECT_EQ(m_services.Messages()[0].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
        EXPECT_EQ(m_chooser.Requests().size(), dialogs + (c.answer == IDYES ? 1 : 0));
        EXPECT_EQ(fs::exists(file.str()), c.saved);
        EXPECT_EQ(Window() == nullptr, c.closes);
        if (c.closes)
            m_window = nullptr;
    }
}

TEST_F(MainWndCommandTest, LoadingOffersAModifiedProjectForSavingFirst) {
    NormalPage();
    m_window->SetModified(TRUE);
    // Yes, and the save is cancelled: no project is opened.
    m_services.QueueAnswers({IDYES});
    m_chooser.Cancel();
    Command(2047);
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(207u));
    EXPECT_EQ(m_services.Messages()[0].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    ASSERT_EQ(m_chooser.Requests().size(), 1u);
    EXPECT_TRUE(m_chooser.Requests()[0].save);
    // No goes on to the open dialog.
    m_services.QueueAnswers({IDNO});
    Command(2047);
    ASSERT_EQ(m_chooser.Requests().size(), 2u);
    EXPECT_FALSE(m_chooser.Requests()[1].save);
    EXPECT_TRUE(m_window->IsModified());
}

TEST_F(MainWndCommandTest, NormalModeAfterQuestion217RestoresTheButtonsWhenRefused) {
    NormalPage();
    EditPage();
    m_window->AddUndo(new CUndoLayers(0, 0));
    m_window->SetModified(TRUE);
    struct Refusal {
        const char* name;
        int answer;
    };
    for (const Refusal& refusal : {Refusal{"Cancel", IDCANCEL}, Refusal{"YesWithACancelledSave", IDYES}}) {
        SCOPED_TRACE(refusal.name);
        static_cast<CRadioBitmapButton*>(m_window->GetButton(CMainWnd::kEditMode))->SetCheck(FALSE);
        m_services.QueueAnswers({refusal.answer});
        Command(2080);
        EXPECT_TRUE(m_services.IsEditMode());
        EXPECT_EQ(CheckedModes(), "edit");
        EXPECT_NE(m_window->GetTemplate(), nullptr);
        EXPECT_EQ(m_window->GetUndoCount(), 1);
    }
    EXPECT_EQ(m_chooser.Requests().size(), 1u); // the save that was cancelled

    m_panelLog.clear();
    m_services.QueueAnswers({IDNO});
    Command(2080);
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(217u, 217u, 217u));
    EXPECT_FALSE(m_services.IsEditMode());
    EXPECT_EQ(CheckedModes(), "normal");
    EXPECT_EQ(m_window->GetTemplate(), nullptr);
    EXPECT_EQ(m_window->GetUndoCount(), 0);
    EXPECT_FALSE(m_window->IsModified());
    EXPECT_THAT(m_panelLog, ElementsAre("mode 0", "undo 0", "counter 0"));
    // In normal mode the command does nothing.
    Command(2080);
    EXPECT_EQ(m_services.MessageIds().size(), 3u);
}

// The resource manager runs through the installed sheet; afterwards the panel lists the photo albums
// again. Without a sheet the command does nothing.
TEST_F(MainWndCommandTest, ResourceManagerRunsTheSheetThenRefillsThePhotoCategory) {
    struct CountingSheet final : IResourceManagerSheet {
        INT_PTR RunResourceManager() override { return ++runs, IDCANCEL; }
        int runs = 0;
    } sheet;
    m_panelLog.clear();
    Command(2101);
    EXPECT_THAT(m_panelLog, IsEmpty());
    SetResourceManagerSheet(&sheet);
    Command(2101);
    SetResourceManagerSheet(nullptr);
    EXPECT_EQ(sheet.runs, 1);
    EXPECT_THAT(m_panelLog, ElementsAre("category 0", "change 0"));
}

TEST_F(MainWndCommandTest, TheSaveMenuOpensRightOfTheSaveButtonWithItsThreeWays) {
    m_services.SetString(153, "kein Bild");
    Command(2048);
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(153u));
    EXPECT_EQ(m_menu.shown, 0);

    NormalPage();
    m_menu.choice = 32791;
    m_chooser.Cancel();
    Command(2048);
    ASSERT_EQ(m_menu.shown, 1);
    EXPECT_THAT(m_menu.items, ElementsAre("&Projekt speichern … 32791", "Als &Webseite speichern … 32792",
                                          "Als &Bild exportieren … 32793"));
    CRect client;
    m_window->GetClientRect(&client);
    CPoint expected = CMainWnd::SkinOrigin(client.Width(), client.Height()) + CPoint(42, 27);
    m_window->ClientToScreen(&expected);
    EXPECT_EQ(m_menu.point, expected);
    // The chosen item came back as a command: the project's save dialog ran.
    ASSERT_EQ(m_chooser.Requests().size(), 1u);
    EXPECT_THAT(Types(0), ElementsAre("Vellumcraft-Projekt (*.qzp) *.qzp"));
}

TEST_F(MainWndCommandTest, TheWebPageAndThePictureAreWrittenWhereChosen) {
    NormalPage();
    auto* frames = new CTemplate;
    frames->SetPageSize(CSize(2100, 2970));
    frames->InsertObject(new CDrawRect(CRect(100, 100, 2000, 2800)), -1);
    m_window->SetTemplate(frames);
    m_chooser.Pick({File("Seite")});
    Command(32792);
    EXPECT_THAT(Types(0), ElementsAre("Webseite (*.htm) *.htm"));
    EXPECT_NE(ReadAll(File("Seite.htm")).find("<IMG SRC=\"Seite.jpg\""), std::string::npos);
    EXPECT_EQ(ReadAll(File("Seite.jpg")).substr(0, 3), "\xFF\xD8\xFF");

    CEffectsDialogs dialogs;
    SetEffectsDialogs(&dialogs);
    m_chooser.Pick({File("Seite.png")});
    EXPECT_TRUE(m_window->ExportPicture());
    EXPECT_EQ(Types(1).front(), "Windows-Bitmap (*.bmp) *.bmp");
    EXPECT_EQ(ReadAll(File("Seite.png")).substr(1, 3), "PNG");

    m_chooser.Cancel();
    EXPECT_FALSE(m_window->ExportPicture());
    m_chooser.Pick({File("fehlt/Seite.png")});
    EXPECT_FALSE(m_window->ExportPicture());
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(155u));
    SetEffectsDialogs(nullptr);
}

namespace {

// The save dialog's page inside the open file dialog: the window that holds its percent field.
CWnd* SavePicturePage() {
    for (QWidget* topLevel : QApplication::topLevelWidgets()) {
        for (const QWidget* widget : topLevel->findChildren<QWidget*>()) {
            const HWND window = WindowOfWidget(widget);
            CWnd* page = window ? CWnd::FromHandle(window) : nullptr;
            if (page && page->GetDlgItem(1144))
                return page;
        }
    }
    return nullptr;
}

// Width, height and bits per pixel of a BMP file.
std::tuple<int, int, int> BmpShape(const std::string& file) {
    BITMAPINFOHEADER header{};
    if (file.size() >= 14 + sizeof header)
        std::memcpy(&header, file.data() + 14, sizeof header);
    return {header.biWidth, header.biHeight, header.biBitCount};
}

} // namespace

TEST_F(MainWndCommandTest, ThePictureIsSavedAtTheChosenSizeAndDepth) {
    NormalPage();
    auto* frames = new CTemplate;
    frames->SetPageSize(CSize(2100, 2970));
    frames->InsertObject(new CDrawRect(CRect(100, 100, 2000, 2800)), -1);
    m_window->SetTemplate(frames);
    CEffectsDialogs dialogs;
    SetEffectsDialogs(&dialogs);
    m_chooser.Pick({File("Ganz.bmp")});
    ASSERT_TRUE(m_window->ExportPicture());
    m_chooser.Do([] {
        CWnd* page = SavePicturePage();
        ASSERT_NE(page, nullptr);
        page->SetDlgItemText(1144, "50");
        auto* depths = static_cast<CComboBox*>(page->GetDlgItem(7001));
        depths->SetCurSel(depths->FindStringExact(-1, "24-bits"));
        page->SendMessage(WM_COMMAND, MAKEWPARAM(7001, CBN_SELCHANGE), 0);
    });
    m_chooser.Pick({File("Halb.bmp")});
    ASSERT_TRUE(m_window->ExportPicture());
    SetEffectsDialogs(nullptr);
    const auto [width, height, bits] = BmpShape(ReadAll(File("Ganz.bmp")));
    EXPECT_GT(width, 1);
    EXPECT_EQ(BmpShape(ReadAll(File("Halb.bmp"))), std::make_tuple(width / 2, height / 2, 24));
    // Without the editing dialogs nothing is asked or written.
    EXPECT_FALSE(m_window->ExportPicture());
    EXPECT_EQ(m_chooser.Requests().size(), 2u);
}

TEST_F(MainWndCommandTest, TheTextCommandPlacesATextOnlyInEditMode) {
    NormalPage();
    Command(2099);
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(249u));
    auto* canvas = static_cast<CPreviewWnd*>(m_window->GetPreviewWnd());
    EXPECT_EQ(canvas->GetDragMode(), kDragNone);
    EditPage();
    Command(2099);
    EXPECT_EQ(canvas->GetDragMode(), kDragNewText);
    EXPECT_EQ(m_services.MessageIds().size(), 1u);
    canvas->ReleaseCapture();
}

TEST_F(MainWndCommandTest, TheCanvasSharesThePageOptionAndTheSaveDialog) {
    IMainWndServices& services = MainWndServices();
    services.SetStretchFlag(TRUE);
    EXPECT_FALSE(m_window->IsFlagClear());
    services.SetStretchFlag(FALSE);
    EXPECT_TRUE(services.IsFlagClear());

    NormalPage();
    m_chooser.Pick({File("vom-Canvas")});
    EXPECT_TRUE(services.OnSaveProject());
    EXPECT_TRUE(fs::is_regular_file(File("vom-Canvas.qzp").str()));

    CDSAlbum album;
    EXPECT_TRUE(m_window->SetCurrentAlbum(&album));
    EXPECT_FALSE(m_window->SetCurrentAlbum(&album));
    m_window->SetCurrentAlbum(nullptr);
}

// A source that takes key presses and lets everything else through; the messages it was offered.
std::vector<UINT> g_offered;

TW_UINT16 KeyTakingSource(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16 argument, TW_UINT16,
                          TW_MEMREF data) {
    if (argument != DAT_EVENT)
        return TWRC_SUCCESS;
    auto* event = static_cast<TW_EVENT*>(data);
    const UINT message = static_cast<const MSG*>(event->pEvent)->message;
    g_offered.push_back(message);
    if (message != WM_KEYDOWN)
        return TWRC_NOTDSEVENT;
    event->TWMessage = kSourceOwnEvent;
    return TWRC_DSEVENT;
}

TEST_F(MainWndCommandTest, AnEnabledSourceSeesEveryMessageFirstAndKeepsWhatItTakes) {
    CTwain::SetSourceManagerForTesting(KeyTakingSource);
    ASSERT_TRUE(m_window->LoadSourceManager());
    g_offered.clear();
    MSG key{m_window->GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 0, 0, {}};
    MSG move{m_window->GetSafeHwnd(), WM_MOUSEMOVE, 0, 0, 0, {}};
    m_window->SetState(4); // the source is open, not enabled
    EXPECT_FALSE(m_window->PreTranslateMessage(&key));
    EXPECT_THAT(g_offered, IsEmpty());
    m_window->SetState(5);
    EXPECT_TRUE(m_window->PreTranslateMessage(&key));
    EXPECT_FALSE(m_window->PreTranslateMessage(&move));
    EXPECT_THAT(g_offered, ElementsAre(WM_KEYDOWN, WM_MOUSEMOVE));
    m_window->SetState(2);
    EXPECT_TRUE(m_window->UnloadSourceManager());
    CTwain::SetSourceManagerForTesting(nullptr);
}

// Each change is a screen the process has not seen yet.
void ChangeScreen() {
    static int change = 0;
    ++change;
    NotifyDisplayChange(24, 1024 + change, 768);
}

TEST_F(MainWndCommandTest, AChangedScreenClosesAfterMessage163AndOffersAModifiedProject) {
    NormalPage();
    m_window->SetModified(TRUE);
    m_services.QueueAnswers({IDOK, IDYES});
    m_chooser.Cancel();
    ChangeScreen();
    PumpMessages();
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(163u, 0u));
    EXPECT_EQ(m_services.Messages()[1].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    ASSERT_NE(Window(), nullptr); // the save did not happen

    m_services.QueueAnswers({IDOK, IDNO});
    ChangeScreen();
    PumpMessages();
    EXPECT_EQ(Window(), nullptr);
    m_window = nullptr;
}

} // namespace
