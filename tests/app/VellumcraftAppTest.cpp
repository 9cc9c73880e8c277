// Start-up of the application object in an environment each test makes: a program folder that lacks
// what the case removes, a private profile, data and runtime folder, and a desktop of the case's size.

#include "app/VellumcraftApp.h"

#include "app/ShellFunctions.h"
#include "output/MailMgr.h"
#include "output/PrintersManager.h"
#include "platform/base/InstanceLock.h"
#include "platform/base/Module.h"
#include "platform/base/Path.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/print/FakePrinterSystem.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

namespace fs = std::filesystem;

class FakeStartupEnvironment final : public IStartupEnvironment {
public:
    CRect GetDesktopRect() override { return desktop; }
    int GetDesktopBitsPerPixel() override { return bitsPerPixel; }
    CString GetRuntimeFolder() override { return runtimeFolder; }

    CRect desktop{0, 0, 1024, 768};
    int bitsPerPixel = 24;
    CString runtimeFolder;
};

class VellumcraftAppTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_environment.runtimeFolder = m_folder.Path() + "/run";
        SetProfileFolderForTesting(m_folder.Path() + "/config");
        m_previousDataHome = std::getenv("XDG_DATA_HOME")
                                 ? std::optional<std::string>(std::getenv("XDG_DATA_HOME"))
                                 : std::nullopt;
        setenv("XDG_DATA_HOME", (m_folder.Path() + "/data").GetString(), 1);
        MakeProgramFolder({});
    }
    void TearDown() override {
        UiTest::TearDown();
        SetProgramFolderForTesting("");
        SetProfileFolderForTesting("");
        if (m_previousDataHome)
            setenv("XDG_DATA_HOME", m_previousDataHome->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }

    // The built program folder's files as links, without the ones named; replacements link other files
    // under a program file's name. Each folder is new: the effects library stays loaded once loaded, and
    // the loader would answer a path it has loaded before without looking at the disk.
    void MakeProgramFolder(const std::vector<std::string>& without,
                           const std::vector<std::pair<std::string, std::string>>& replacements = {}) {
        const fs::path folder = m_folder.Path().str() + "/program" + std::to_string(++m_programFolders);
        fs::create_directories(folder);
        for (const auto& entry : fs::directory_iterator(VC_PROGRAM_DIR)) {
            const std::string name = entry.path().filename().string();
            if (std::find(without.begin(), without.end(), name) == without.end())
                fs::create_symlink(entry.path(), folder / name);
        }
        for (const auto& [name, target] : replacements) {
            fs::remove(folder / name);
            fs::create_symlink(target, folder / name);
        }
        SetProgramFolderForTesting(CString(folder.string()));
    }

    // The program's own text of a string id, formatted with its one argument.
    static CString ProgramText(UINT id, const char* argument = nullptr) {
        const HMODULE text = LoadLibrary(CString(VC_PROGRAM_DIR) + "/qz_txt.deu");
        CString format = LoadWholeString(text, id, 255);
        FreeLibrary(text);
        if (!argument)
            return format;
        CString formatted;
        formatted.Format(format, argument);
        return formatted;
    }

    TempFolder m_folder;
    FakeStartupEnvironment m_environment;
    CFakePrinterSystem m_printers;
    std::optional<std::string> m_previousDataHome;
    int m_programFolders = 0;
};

struct StartupCase {
    const char* name;
    std::vector<std::string> missingFiles;
    CRect desktop;
    int bitsPerPixel;
    bool secondInstance;
    CString expectedText; // empty: no message
    UINT expectedIcon;
    BOOL started;
};

TEST_F(VellumcraftAppTest, StartupFailureTable) {
    CString textModuleMissing;
    textModuleMissing.Format(kFileMissingFallback, "qz_txt.deu");
    const CRect normal(0, 0, 1024, 768);
    const StartupCase cases[] = {
        {"TextModuleMissingShowsEnglishFallback",
         {"qz_txt.deu"},
         normal,
         24,
         false,
         textModuleMissing,
         0,
         FALSE},
        {"ResourceModuleMissing",
         {"qz_res.deu"},
         normal,
         24,
         false,
         ProgramText(208, "qz_res.deu"),
         0,
         FALSE},
        {"RastrumMissingGoesOn",
         {"libRastrum.so"},
         normal,
         24,
         false,
         ProgramText(208, "libRastrum.so"),
         0,
         TRUE},
        {"EffectsMissingGoesOn", {"libEffects.so"}, normal, 24, false, ProgramText(121), 0, TRUE},
        {"SecondInstance", {}, normal, 24, true, ProgramText(157, "Vellumcraft"), 0, FALSE},
        {"Desktop799Wide", {}, CRect(0, 0, 799, 600), 24, false, ProgramText(126), MB_ICONHAND, FALSE},
        {"Desktop599High", {}, CRect(0, 0, 800, 599), 24, false, ProgramText(126), MB_ICONHAND, FALSE},
        {"EightBitsPerPixel", {}, normal, 8, false, ProgramText(126), MB_ICONHAND, FALSE},
        {"Exactly800x600At16BitsStarts", {}, CRect(0, 0, 800, 600), 16, false, "", 0, TRUE},
    };
    for (const StartupCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.expectedText.IsEmpty() && c.started == FALSE);
        MakeProgramFolder(c.missingFiles);
        m_environment.desktop = c.desktop;
        m_environment.bitsPerPixel = c.bitsPerPixel;
        CInstanceLock firstCopy;
        if (c.secondInstance) {
            ASSERT_TRUE(firstCopy.Acquire(m_environment.runtimeFolder, "Vellumcraft"));
        }
        const size_t boxesBefore = m_messageBoxes.Boxes().size();
        {
            CVellumcraftApp app;
            app.SetStartupEnvironment(&m_environment);
            EXPECT_EQ(app.InitInstance(), c.started);
            if (c.started)
                app.ExitInstance();
        }
        UiTest::TearDown();
        const auto& boxes = m_messageBoxes.Boxes();
        if (c.expectedText.IsEmpty()) {
            EXPECT_EQ(boxes.size(), boxesBefore);
            continue;
        }
        ASSERT_EQ(boxes.size(), boxesBefore + 1);
        EXPECT_EQ(boxes.back().text, c.expectedText);
        EXPECT_EQ(boxes.back().caption, "Vellumcraft");
        EXPECT_EQ(boxes.back().style & MB_ICONMASK, c.expectedIcon);
        if (c.secondInstance) {
            EXPECT_TRUE(firstCopy.IsHeld()) << "the first copy keeps running";
        }
    }
}

struct AskCase {
    const char* name;
    std::optional<int> stored;
    BYTE promptEnabled;
    BYTE answer;
};

TEST_F(VellumcraftAppTest, AskSettingSwitchesTheSavePromptOff) {
    const AskCase cases[] = {
        {"AskZeroAnswersNo", 0, FALSE, 0},
        {"AskOneAnswersYes", 1, FALSE, 1},
        {"AskAbsentKeepsPrompt", std::nullopt, TRUE, 1},
        {"OtherValueKeepsPrompt", 2, TRUE, 1},
    };
    for (const AskCase& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteProfileValue("Settings", "Ask");
        if (c.stored)
            WriteProfileInt("Settings", "Ask", *c.stored);
        CVellumcraftApp app;
        app.SetStartupEnvironment(&m_environment);
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(app.IsSavePromptEnabled(), c.promptEnabled);
        EXPECT_EQ(app.GetSavePromptAnswer(), c.answer);
        app.ExitInstance();
        UiTest::TearDown();
    }
}

// Start-up opens the project named on the command line: a missing one gives the file message and the
// program still starts; no name opens nothing.
TEST_F(VellumcraftAppTest, TheProjectNamedOnTheCommandLineIsOpened) {
    for (const bool named : {true, false}) {
        SCOPED_TRACE(named ? "named" : "none");
        CVellumcraftApp app;
        app.SetStartupEnvironment(&m_environment);
        if (named)
            app.m_arguments = {CString(m_folder.Path().str().c_str()) + "/fehlt/Urlaub.qzp"};
        const std::size_t before = m_messageBoxes.Boxes().size();
        ASSERT_TRUE(app.InitInstance());
        std::vector<CString> texts;
        for (std::size_t i = before; i < m_messageBoxes.Boxes().size(); ++i)
            texts.push_back(m_messageBoxes.Boxes()[i].text);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), ProgramText(155)), named ? 1 : 0);
        app.ExitInstance();
        UiTest::TearDown();
    }
}

TEST_F(VellumcraftAppTest, MissingStepSettingsAreWrittenDuringStartup) {
    WriteProfileInt("Settings", "ZoomStep", 0);
    WriteProfileInt("Settings", "ShiftStep", -1);
    CVellumcraftApp app;
    app.SetStartupEnvironment(&m_environment);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.GetZoomStep(), 0) << "0 is a setting, not a missing one";
    EXPECT_EQ(app.GetShiftStep(), 1);
    EXPECT_EQ(app.GetRotateStep(), 1);
    // Written now, not only at exit.
    EXPECT_EQ(static_cast<int>(GetProfileInt("Settings", "ZoomStep", 99)), 0);
    EXPECT_EQ(static_cast<int>(GetProfileInt("Settings", "ShiftStep", 99)), 1);
    EXPECT_EQ(static_cast<int>(GetProfileInt("Settings", "RotateStep", 99)), 1);

    app.SetRotateStep(7);
    app.SetSavePromptAnswer(0);
    EXPECT_FALSE(app.IsSavePromptEnabled());
    EXPECT_EQ(static_cast<int>(GetProfileInt("Settings", "Ask", 99)), 0);
    EXPECT_EQ(static_cast<int>(GetProfileInt("Settings", "RotateStep", 99)), 1) << "setters only store";
    app.ExitInstance();
    EXPECT_EQ(static_cast<int>(GetProfileInt("Settings", "RotateStep", 99)), 7);
}

// The help page ships in the program folder; a help file the user set stays.
TEST_F(VellumcraftAppTest, AnUnsetEmailHelpFileNamesTheShippedPage) {
    for (const char* stored : {"", "eigene/hilfe.html"}) {
        WriteProfileString("Settings", "EmailHelpFile", stored);
        CVellumcraftApp app;
        app.SetStartupEnvironment(&m_environment);
        ASSERT_TRUE(app.InitInstance());
        const CString expected = *stored ? stored : "hilfe/email.html";
        EXPECT_EQ(expected, GetProfileString("Settings", "EmailHelpFile"));
        EXPECT_EQ(expected, app.GetMailMgr()->GetHelpFile());
        app.ExitInstance();
    }
}

// Records which module is the resource handle while a box is shown.
class HandleRecordingPresenter final : public IMessageBoxPresenter {
public:
    HandleRecordingPresenter() { SetMessageBoxPresenter(this); }
    ~HandleRecordingPresenter() override { SetMessageBoxPresenter(nullptr); }
    HandleRecordingPresenter(const HandleRecordingPresenter&) = delete;
    HandleRecordingPresenter& operator=(const HandleRecordingPresenter&) = delete;
    int Show(HWND, const CString& text, const CString&, UINT) override {
        handleWhileShown = AfxGetResourceHandle();
        shown = text;
        return IDOK;
    }
    HINSTANCE handleWhileShown = nullptr;
    CString shown;
};

TEST_F(VellumcraftAppTest, ServesStringsAndBoxesFromTheTextModule) {
    // The test module's strings 2, 3 and 4 have 253 and 254 bytes and 600 bytes.
    MakeProgramFolder({}, {{"qz_txt.deu", VC_TEST_RESOURCE_MODULE}});
    CVellumcraftApp app;
    app.SetStartupEnvironment(&m_environment);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.LoadString(2, 255).GetLength(), 253);
    EXPECT_EQ(app.LoadString(3, 255), CString(std::string(254, 'b'))) << "a full first buffer loads again";
    EXPECT_EQ(app.LoadString(4, 255).GetLength(), 600);
    EXPECT_EQ(app.LoadString(9999, 255), "");

    HandleRecordingPresenter presenter;
    AfxSetResourceHandle(app.GetTextModule());
    EXPECT_EQ(app.MessageBox(1, MB_OK), IDOK);
    EXPECT_EQ(presenter.shown, "Eins");
    EXPECT_EQ(presenter.handleWhileShown, app.GetTextModule());
    EXPECT_EQ(AfxGetResourceHandle(), app.GetResourceModule()) << "the resource module comes back";
    app.ExitInstance();
}

TEST_F(VellumcraftAppTest, ServicesAnswerFromTheFlagsAndTheProgramFolder) {
    WriteProfileInt("Settings", "Sound", 0);
    CVellumcraftApp app;
    app.SetStartupEnvironment(&m_environment);
    EXPECT_EQ(&AppServices(), &app);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_FALSE(app.IsSoundEnabled());
    EXPECT_EQ(app.GetSoundPath(), GetProgramFolder() + "/Sound");
    EXPECT_TRUE(fs::is_regular_file((app.GetSoundPath() + "/tick.wav").str()));
    EXPECT_STREQ(app.GetVersionTag(), "4.1.a");
    app.SetEditMode(TRUE);
    EXPECT_STREQ(app.GetVersionTag(), "4.1.b");
    EXPECT_TRUE(app.RegisterDocumentType());
    EXPECT_TRUE(app.SetPrintMsg(5));
    EXPECT_EQ(static_cast<int>(GetProfileInt("Settings", "PrintMsg", 99)), 1);
    app.SetClipartPath(std::string(300, 'x').c_str());
    EXPECT_EQ(CString(app.GetClipartPath()).GetLength(), 259);
    app.ExitInstance();
    EXPECT_EQ(GetProfileString("Settings", "Clipart Path"), CString(std::string(259, 'x')));
}

// Records which printers were opened for their settings.
class OpenRecordingPrinterSystem final : public CFakePrinterSystem {
public:
    bool GetCapabilities(const CString& printerName, PrinterCapabilities* capabilities) override {
        asked.push_back(printerName);
        return CFakePrinterSystem::GetCapabilities(printerName, capabilities);
    }
    std::vector<CString> asked;
};

TEST_F(VellumcraftAppTest, InstalledPrintersAreMergedAndStaleKeysDeleted) {
    OpenRecordingPrinterSystem printers;
    printers.Add("Büro");
    printers.Add("Versteckt").info.hidden = TRUE;
    printers.Get("Versteckt").opens = false;
    printers.Add("Kaputt").opens = false;
    printers.Add("\\\\druckserver\\Farbe");
    // Print offsets of printers, installed or long gone.
    for (const char* printer : {"Büro", "Versteckt", "Weg", "\\\\druckserver\\Farbe"})
        WriteProfileInt(EscapeProfileKeyPart(BackslashesToSlashes(printer)), "PrintOffsetX", 3);
    WriteProfileInt("Printers", "Count", 0);

    CVellumcraftApp app;
    app.SetStartupEnvironment(&m_environment);
    ASSERT_TRUE(app.InitInstance());

    CPrintersManager* manager = app.GetPrintersManager();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(CPrintersManager::GetInstance(), manager);
    std::vector<CString> stored;
    for (POSITION position = manager->GetHeadPosition(); position;)
        stored.emplace_back(manager->GetNext(position)->dmDeviceName);
    // Printers that cannot be opened keep no settings.
    EXPECT_EQ(stored, (std::vector<CString>{"Büro", "\\\\druckserver\\Farbe", kBuiltInPdfPrinterName}));
    // Only the visible one of the two without settings is opened once more to fetch them.
    const auto asked = [&](const char* name) {
        return std::count(printers.asked.begin(), printers.asked.end(), name);
    };
    EXPECT_EQ(asked("Kaputt"), asked("Versteckt") + 1);

    std::vector<CString> keys = GetProfileSubkeyNames("");
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<CString>{"%2F%2Fdruckserver%2FFarbe", "Büro", "Printers", "Settings"}));
    app.ExitInstance();
}

} // namespace
