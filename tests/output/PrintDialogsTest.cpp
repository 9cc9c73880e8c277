// The print hint, the print progress and the album print dialog, offscreen from the program's own
// templates, with fake printers and the saved "Printer" section of a private profile.

#include "output/PrintDlg.h"
#include "output/PrintMsgDlg.h"
#include "output/PrnAlbumDlg.h"
#include "output/SavedPrinter.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/gdi/Dc.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PaperSizes.h"
#include "platform/print/PrintDialog.h"
#include "platform/print/PrintSetupDlg.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <cstring>
#include <functional>
#include <gmock/gmock.h>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr char kPhoto[] = "Foto";
constexpr int kPrintMsgAbsent = -1;

class PrintDialogsTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        SetProfileFolderForTesting(m_folder.Path());
        m_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        ASSERT_NE(nullptr, m_resources);
        m_previous = AfxGetResourceHandle();
        AfxSetResourceHandle(m_resources);
        m_owner.CreateEx(0, nullptr, "Besitzer", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr);
        CFakePrinterSystem::Printer& photo = m_printers.Add(kPhoto);
        photo.info.isDefault = TRUE;
    }
    void TearDown() override {
        m_owner.DestroyWindow();
        AfxSetResourceHandle(m_previous);
        FreeLibrary(m_resources);
        SetProfileFolderForTesting("");
        UiTest::TearDown();
    }

    static int StoredPrintMsg() {
        return static_cast<int>(GetProfileInt("Settings", "PrintMsg", kPrintMsgAbsent));
    }

    // Runs the album print dialog on the set-up; script runs once it shows.
    INT_PTR RunAlbumDialog(CPrnAlbumDlg& dialog, const std::function<void()>& script) {
        QTimer::singleShot(0, script);
        return dialog.DoModal();
    }

    // The default printer's set-up, as the album dialog keeps one.
    void SetUpDefaultPrinter() { ASSERT_TRUE(m_setUp.GetDefaults()); }

    std::vector<BYTE> DevModeBytes() const {
        const CGlobalLock lock(m_setUp.m_pd.hDevMode);
        return std::vector<BYTE>(lock.Bytes(), lock.Bytes() + GlobalSize(m_setUp.m_pd.hDevMode));
    }

    void SaveValidPrinter() {
        WriteProfileInt("Printer", "Orientation", DMORIENT_LANDSCAPE);
        WriteProfileString("Printer", "Driver", "Fake Driver");
        WriteProfileString("Printer", "Device", kPhoto);
        WriteProfileString("Printer", "Output", "fake:/");
        WriteProfileInt("Printer", "wDriverOffset", 8);
        WriteProfileInt("Printer", "wDeviceOffset", 20);
        WriteProfileInt("Printer", "wOutputOffset", 25);
        WriteProfileInt("Printer", "wDefault", 0);
        WriteProfileString("Printer", "DeviceName", kPhoto);
        WriteProfileInt("Printer", "PageSize", DMPAPER_A5);
        WriteProfileInt("Printer", "PageLength", 0);
        WriteProfileInt("Printer", "PageWidth", 0);
        WriteProfileInt("Printer", "Copies", 2);
        WriteProfileInt("Printer", "PrintQuality", 600);
    }

    // Each box of the application as "<string id> <style>".
    std::vector<std::string> Shown() const {
        std::vector<std::string> shown;
        for (const FakeAppServices::ShownMessage& message : m_services.Messages())
            shown.push_back(std::to_string(message.stringId) + " " + std::to_string(message.style));
        return shown;
    }

    void FreeSetUp() {
        if (m_setUp.m_pd.hDevMode)
            GlobalFree(m_setUp.m_pd.hDevMode);
        if (m_setUp.m_pd.hDevNames)
            GlobalFree(m_setUp.m_pd.hDevNames);
        if (m_setUp.m_pd.hDC)
            DeleteDC(m_setUp.m_pd.hDC);
        m_setUp.m_pd = PRINTDLG{};
    }

    TempFolder m_folder;
    HMODULE m_resources = nullptr;
    HINSTANCE m_previous = nullptr;
    FakeAppServices m_services;
    CFakePrinterSystem m_printers;
    CWnd m_owner;
    CPrintDialog m_setUp{FALSE};
};

TEST_F(PrintDialogsTest, HintWritesItsAnswerOnlyOnOk) {
    const struct {
        const char* name;
        int before;
        UINT check;
        int button;
        int expected;
    } cases[] = {
        {"TickedOk", kPrintMsgAbsent, BST_CHECKED, IDOK, 1},
        {"TickedCancel", kPrintMsgAbsent, BST_CHECKED, IDCANCEL, kPrintMsgAbsent},
        {"UntickedOk", kPrintMsgAbsent, BST_UNCHECKED, IDOK, kPrintMsgAbsent},
        {"ThirdStateOk", 1, BST_INDETERMINATE, IDOK, 0},
    };
    m_services.SetAppName("Bildprogramm");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteProfileKey("Settings");
        if (c.before != kPrintMsgAbsent)
            WriteProfileInt("Settings", "PrintMsg", c.before);
        CPrintMsgDlg hint(&m_owner);
        CString caption;
        UINT shownCheck = 99;
        QTimer::singleShot(0, [&] {
            hint.GetWindowText(caption);
            shownCheck = hint.IsDlgButtonChecked(1006);
            hint.CheckDlgButton(1006, c.check);
            hint.SendMessage(WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
        });
        EXPECT_EQ(hint.DoModal(), c.button);
        EXPECT_EQ(caption, CString("Bildprogramm"));
        EXPECT_EQ(shownCheck, static_cast<UINT>(BST_UNCHECKED));
        EXPECT_EQ(StoredPrintMsg(), c.expected);
        EXPECT_EQ(CPrintMsgDlg::IsWanted(), c.expected != 1);
    }
}

TEST_F(PrintDialogsTest, ProgressShowsStagesStepsAndGivesTheOwnerBackOnCancel) {
    m_services.SetString(51, "Die Seite wird aufgebaut");
    CPrintDlg progress;
    for (int job = 0; job < 2; ++job) {
        SCOPED_TRACE(job);
        ASSERT_TRUE(progress.Create(CPrintDlg::kTemplateId, &m_owner));
        m_owner.EnableWindow(FALSE);
        progress.ShowWindow(SW_SHOW);
        progress.Begin(2, 51);
        progress.Step();
        int low = -1;
        int high = -1;
        progress.m_progress.GetRange(low, high);
        EXPECT_EQ(low, 0);
        EXPECT_EQ(high, 2);
        EXPECT_EQ(progress.m_progress.GetPos(), 1);
        CString status;
        progress.GetDlgItemText(1336, status);
        EXPECT_EQ(status, CString("Die Seite wird aufgebaut"));

        progress.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(progress.IsWindowVisible()) << "Enter leaves it open";
        progress.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_FALSE(progress.IsWindowVisible());
        EXPECT_TRUE(m_owner.IsWindowEnabled());
        progress.DestroyWindow();
    }
}

TEST_F(PrintDialogsTest, AlbumPrintWithoutDeviceModeOrPapersIsRefused) {
    CFakePrinterSystem::Printer& bare = m_printers.Add("Leer");
    bare.capabilities.papers.clear();
    {
        CPrnAlbumDlg dialog(&m_owner, &m_setUp);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "no device mode";
    }
    m_setUp.m_pd.hDevNames = MakeDevNames("Fake Driver", "Leer", "fake:/", 0);
    m_setUp.m_pd.hDevMode = GlobalAlloc(GHND, sizeof(DEVMODE));
    {
        CGlobalLock lock(m_setUp.m_pd.hDevMode);
        auto* devMode = reinterpret_cast<DEVMODE*>(lock.Bytes());
        devMode->dmSize = sizeof(DEVMODE);
        devMode->dmSpecVersion = DM_SPECVERSION;
    }
    CPrnAlbumDlg dialog(&m_owner, &m_setUp);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "no paper sizes";
    EXPECT_THAT(Shown(), ElementsAre("210 64", "210 64"));
    EXPECT_EQ(dialog.m_pPrinterDC, nullptr);
    FreeSetUp();
}

TEST_F(PrintDialogsTest, AlbumPrintWithoutSavedPrinterKeepsTheSetUpAndMakesAContext) {
    SetUpDefaultPrinter();
    const std::vector<BYTE> before = DevModeBytes();
    const CString device = m_setUp.GetDeviceName();
    CPrnAlbumDlg dialog(&m_owner, &m_setUp);
    bool readOnly = false;
    EXPECT_EQ(RunAlbumDialog(dialog,
                             [&] {
                                 readOnly = (dialog.m_firstPageEdit.GetStyle() & ES_READONLY) &&
                                            (dialog.m_lastPageEdit.GetStyle() & ES_READONLY);
                                 dialog.SetDlgItemText(1001, "7");
                                 dialog.SetDlgItemText(1032, "3");
                                 dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                             }),
              IDOK);
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(dialog.m_range, 0) << "every page, whatever the edits hold";
    EXPECT_EQ(DevModeBytes(), before);
    EXPECT_EQ(m_setUp.GetDeviceName(), device);
    ASSERT_NE(dialog.m_pPrinterDC, nullptr);
    EXPECT_GT(dialog.m_pPrinterDC->GetDeviceCaps(PHYSICALWIDTH), 0);
    EXPECT_EQ(m_setUp.m_pd.hDC, nullptr) << "the context is the dialog's, not the set-up's";
    delete dialog.m_pPrinterDC;
    FreeSetUp();
}

TEST_F(PrintDialogsTest, AlbumPrintRestoresTheSavedPrinterWhereItFits) {
    const struct {
        const char* name;
        std::function<void()> spoil; // after a valid saved printer
        bool namesTaken;
        bool settingsTaken;
    } cases[] = {
        {"AllFits", [] {}, true, true},
        {"OffsetOutsideTheBlock", [] { WriteProfileInt("Printer", "wOutputOffset", 4000); }, false, true},
        {"NamesOverlap", [] { WriteProfileInt("Printer", "wDeviceOffset", 10); }, false, true},
        {"DeviceNameTooLong",
         [] { WriteProfileString("Printer", "DeviceName", "Ein Drucker mit einem sehr langen Namen"); }, true,
         false},
        {"ImpossibleOrientation", [] { WriteProfileInt("Printer", "Orientation", 7); }, true, false},
        {"PaperBeyondAShort", [] { WriteProfileInt("Printer", "PageSize", 70000); }, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteProfileKey("Printer");
        SaveValidPrinter();
        c.spoil();
        ASSERT_TRUE(HasSavedPrinter());
        m_printers.Get(kPhoto).info.isDefault = FALSE;
        m_printers.Add("Zweiter", "Other Driver", "other:/").info.isDefault = TRUE;
        SetUpDefaultPrinter();
        const std::vector<BYTE> before = DevModeBytes();
        CPrnAlbumDlg dialog(&m_owner, &m_setUp);
        EXPECT_EQ(
            RunAlbumDialog(dialog, [&] { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }),
            IDOK);
        EXPECT_EQ(m_setUp.GetDeviceName(), CString(c.namesTaken ? kPhoto : "Zweiter"));
        EXPECT_EQ(m_setUp.GetDriverName(), CString(c.namesTaken ? "Fake Driver" : "Other Driver"));
        const std::vector<BYTE> after = DevModeBytes();
        const auto* devMode = reinterpret_cast<const DEVMODE*>(after.data());
        if (c.settingsTaken) {
            EXPECT_EQ(GetDeviceName(devMode), CString(kPhoto));
            EXPECT_EQ(devMode->dmOrientation, DMORIENT_LANDSCAPE);
            EXPECT_EQ(devMode->dmPaperSize, DMPAPER_A5);
            EXPECT_EQ(devMode->dmCopies, 2);
            EXPECT_EQ(devMode->dmPrintQuality, 600);
            EXPECT_EQ(devMode->dmFields, reinterpret_cast<const DEVMODE*>(before.data())->dmFields);
        } else {
            EXPECT_EQ(after, before);
        }
        delete dialog.m_pPrinterDC;
        FreeSetUp();
        m_printers.printers.pop_back();
        m_printers.Get(kPhoto).info.isDefault = TRUE;
    }
}

TEST_F(PrintDialogsTest, AlbumPageRangeIsCheckedBeforeTheDialogCloses) {
    SetUpDefaultPrinter();
    CPrnAlbumDlg dialog(&m_owner, &m_setUp);
    std::vector<int> ranges; // after each press
    bool editable = false;
    const auto press = [&](const char* first, const char* last) {
        dialog.SetDlgItemText(1001, first);
        dialog.SetDlgItemText(1032, last);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ranges.push_back(dialog.m_range);
    };
    EXPECT_EQ(RunAlbumDialog(dialog,
                             [&] {
                                 dialog.CheckRadioButton(1025, 1026, 1026);
                                 dialog.SendMessage(WM_COMMAND, MAKEWPARAM(1026, BN_CLICKED), 0);
                                 editable = !(dialog.m_firstPageEdit.GetStyle() & ES_READONLY) &&
                                            !(dialog.m_lastPageEdit.GetStyle() & ES_READONLY);
                                 press("5", "3");
                                 press("0", "3");
                                 press("5", "101");
                                 press("5", "9");
                             }),
              IDOK);
    EXPECT_TRUE(editable);
    EXPECT_THAT(ranges, ElementsAre(0, 0, 0, 1)) << "only the last press was taken";
    EXPECT_THAT(Shown(), ElementsAre("7120 64"));
    EXPECT_EQ(m_messageBoxes.Boxes().size(), 2u) << "the standard complaint for 0 and 101";
    EXPECT_EQ(dialog.m_range, 1);
    EXPECT_EQ(dialog.m_firstPage, 5u);
    EXPECT_EQ(dialog.m_lastPage, 9u);
    delete dialog.m_pPrinterDC;
    FreeSetUp();
}

TEST_F(PrintDialogsTest, AlbumPrinterSetUpGivesANewContextOnOkOnly) {
    SetUpDefaultPrinter();
    m_setUp.m_pd.Flags |= PD_RETURNDEFAULT;
    CPrnAlbumDlg dialog(&m_owner, &m_setUp);
    std::vector<CDC*> contexts;
    std::vector<bool> landscape;
    const auto setUp = [&](int button) {
        QTimer::singleShot(0, [button] {
            CPrintSetupDlg* shown = nullptr;
            for (int i = 0; i < 200 && !shown; ++i) {
                shown = dynamic_cast<CPrintSetupDlg*>(CWnd::GetActiveWindow());
                if (!shown)
                    PumpMessages();
            }
            ASSERT_NE(shown, nullptr);
            shown->CheckRadioButton(CPrintSetupDlg::kPortraitId, CPrintSetupDlg::kLandscapeId,
                                    CPrintSetupDlg::kLandscapeId);
            shown->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(1033, BN_CLICKED), 0);
        contexts.push_back(dialog.m_pPrinterDC);
        landscape.push_back(dialog.m_pPrinterDC && dialog.m_pPrinterDC->GetDeviceCaps(PHYSICALWIDTH) >
                                                       dialog.m_pPrinterDC->GetDeviceCaps(PHYSICALHEIGHT));
    };
    EXPECT_EQ(RunAlbumDialog(dialog,
                             [&] {
                                 contexts.push_back(dialog.m_pPrinterDC);
                                 setUp(IDCANCEL);
                                 setUp(IDOK);
                                 dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                             }),
              IDOK);
    ASSERT_EQ(contexts.size(), 3u);
    EXPECT_EQ(contexts[1], contexts[0]) << "cancelled";
    EXPECT_THAT(landscape, ElementsAre(false, true));
    EXPECT_EQ(m_setUp.m_pd.Flags & PD_RETURNDEFAULT, 0u);
    EXPECT_EQ(m_setUp.m_pd.hDC, nullptr);
    delete dialog.m_pPrinterDC;
    FreeSetUp();
}

TEST_F(PrintDialogsTest, SavedPrinterIsReadWhereItFits) {
    EXPECT_FALSE(HasSavedPrinter());
    EXPECT_EQ(ReadSavedDevNames(), nullptr) << "no device";
    EXPECT_EQ(ReadSavedDevMode(), nullptr);
    SaveValidPrinter();
    const UniqueGlobal names = ReadSavedDevNames();
    ASSERT_NE(names, nullptr);
    const CGlobalLock lock(names.get());
    EXPECT_EQ(CString(reinterpret_cast<const char*>(lock.Bytes() + 20)), CString(kPhoto));
    EXPECT_EQ(GlobalSize(names.get()), 151u + 11 + 4 + 6);

    DEVMODE devMode{};
    devMode.dmSpecVersion = DM_SPECVERSION;
    devMode.dmSize = sizeof(DEVMODE);
    ASSERT_TRUE(RestoreSavedSettings(&devMode, sizeof devMode));
    EXPECT_EQ(devMode.dmPaperSize, DMPAPER_A5);
    EXPECT_EQ(devMode.dmFields, 0u);
}

} // namespace
