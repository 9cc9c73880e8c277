// The application object: the command line and the event loop that the main window's end finishes.

#include "platform/ui/WinApp.h"

#include "platform/ui/Wnd.h"
#include "tests/support/UiTestSupport.h"

#include <vector>

namespace {

struct CommandLineCase {
    const char* name;
    std::vector<CString> arguments;
    int shellCommand;
    const char* fileName;
};

TEST(CommandLineTest, TakesTheFirstArgumentThatIsNoFlag) {
    const CommandLineCase cases[] = {
        {"NothingGiven", {}, CCommandLineInfo::FileNew, ""},
        {"OneProject", {"/home/anna/Urlaub.qzp"}, CCommandLineInfo::FileOpen, "/home/anna/Urlaub.qzp"},
        {"RelativeNameWithBlanksAndUmlauts",
         {"Mein Fotobuch ä.qzp"},
         CCommandLineInfo::FileOpen,
         "Mein Fotobuch ä.qzp"},
        {"FlagsAreNoFileNames", {"-x", "a.qzp"}, CCommandLineInfo::FileOpen, "a.qzp"},
        {"OnlyTheFirstFileCounts", {"a.qzp", "b.qzp"}, CCommandLineInfo::FileOpen, "a.qzp"},
        {"LoneDashIsAFileName", {"-"}, CCommandLineInfo::FileOpen, "-"},
    };
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(c.name);
        CWinApp app("Vellumcraft");
        app.m_arguments = c.arguments;
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        EXPECT_EQ(info.m_nShellCommand, c.shellCommand);
        EXPECT_EQ(info.m_strFileName, c.fileName);
    }
}

TEST(WinAppTest, IsTheApplicationWhileItLivesAndKeepsItsRegistryKey) {
    EXPECT_EQ(AfxGetApp(), nullptr);
    {
        CWinApp app("Vellumcraft");
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_STREQ(app.m_pszAppName, "Vellumcraft");
        EXPECT_EQ(app.m_pszRegistryKey, nullptr);
        app.SetRegistryKey("Morrowgate");
        EXPECT_STREQ(app.m_pszRegistryKey, "Morrowgate");
        EXPECT_STREQ(app.m_pszProfileName, "Vellumcraft");
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

class CountingApp final : public CWinApp {
public:
    CountingApp() : CWinApp("Vellumcraft") {}
    int ExitInstance() override {
        ++exits;
        return CWinApp::ExitInstance() + 40;
    }
    int exits = 0;
};

class WinAppLoopTest : public UiTest {};

TEST_F(WinAppLoopTest, LoopEndsWhenTheMainWindowIsDestroyedThenExitInstanceAnswers) {
    CountingApp app;
    auto* window = new CWnd;
    ASSERT_TRUE(window->CreateEx(0, AfxRegisterWndClass(0), "Vellumcraft", WS_POPUP | WS_VISIBLE, 0, 0, 100,
                                 100, nullptr, nullptr));
    app.m_pMainWnd = window;
    EXPECT_EQ(AfxGetMainWnd(), window);
    // WM_CLOSE's default processing destroys the window, as the main window's close does.
    window->PostMessage(WM_CLOSE);
    EXPECT_EQ(app.Run(), 40);
    EXPECT_EQ(app.exits, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(window->m_hWnd, nullptr);
    delete window;
}

TEST_F(WinAppLoopTest, WithoutMainWindowThereIsNoLoopToRun) {
    CountingApp app;
    EXPECT_EQ(app.Run(), 40);
    EXPECT_EQ(app.exits, 1);
}

} // namespace
