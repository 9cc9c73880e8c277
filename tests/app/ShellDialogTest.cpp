// The splash window, the about box and the save-project prompt: what they show, how they end, and what
// the prompt stores.

#include "app/AboutDlg.h"
#include "app/SaveProjectDlg.h"
#include "app/SplashDlg.h"
#include "image/PictureInfo.h"
#include "platform/base/Module.h"
#include "platform/ui/TimerTesting.h"
#include "tests/app/DialogTestSupport.h"
#include "tests/support/TempFolder.h"

#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr COLORREF kPictureColour = RGB(200, 40, 90);

class ShellDialogTest : public AppDialogTest {
protected:
    static void InLoop(std::function<void()> step) { QTimer::singleShot(0, std::move(step)); }

    // A program folder whose picture file of that name is a plain picture of size; none when size is empty.
    void MakePicture(const char* name, CSize size) {
        SetProgramFolderForTesting(m_folder.Path());
        std::unique_ptr<CPictureInfo> picture(CPictureInfo::CreateFilled(size, kPictureColour, 24));
        ASSERT_NE(picture, nullptr);
        ASSERT_TRUE(picture->WriteBmpFile(m_folder.Path() + "/" + name));
    }

    TempFolder m_folder;
};

// The splash deletes itself; the test keeps only its handle.
HWND ShowSplash(BOOL closeOnKey) {
    auto* splash = new CSplashDlg(closeOnKey, nullptr);
    if (!splash->Create())
        return nullptr;
    splash->ShowWindow(SW_SHOWMAXIMIZED);
    splash->Invalidate();
    splash->UpdateWindow();
    return splash->GetSafeHwnd();
}

TEST_F(ShellDialogTest, SplashCoversTheDesktopInBlackWithItsPictureCentredAboveOtherWindows) {
    MakePicture("qz_splash.deu", CSize(41, 21));
    HWND splash = ShowSplash(FALSE);
    ASSERT_NE(splash, nullptr);
    CWnd* window = CWnd::FromHandle(splash);
    EXPECT_TRUE(window->GetExStyle() & WS_EX_TOPMOST);
    CRect desktop;
    CRect covered;
    CWnd::GetDesktopWindow()->GetWindowRect(&desktop);
    window->GetWindowRect(&covered);
    EXPECT_EQ(covered, desktop);

    PumpMessages();
    const CPoint corner((desktop.Width() - 41) / 2, (desktop.Height() - 21) / 2);
    EXPECT_EQ(WindowPixel(window, CPoint(0, 0)), RGB(0, 0, 0));
    EXPECT_EQ(WindowPixel(window, corner), kPictureColour);
    EXPECT_EQ(WindowPixel(window, CPoint(corner.x + 40, corner.y + 20)), kPictureColour);
    EXPECT_EQ(WindowPixel(window, CPoint(corner.x - 1, corner.y - 1)), RGB(0, 0, 0));
    EXPECT_EQ(WindowPixel(window, CPoint(corner.x + 41, corner.y + 21)), RGB(0, 0, 0));
}

TEST_F(ShellDialogTest, SplashLargerThanTheDesktopIsCutAtTheEdges) {
    CRect desktop;
    CWnd::GetDesktopWindow()->GetWindowRect(&desktop);
    MakePicture("qz_splash.deu", CSize(desktop.Width() + 40, desktop.Height() + 30));
    HWND splash = ShowSplash(FALSE);
    ASSERT_NE(splash, nullptr);
    PumpMessages();
    CWnd* window = CWnd::FromHandle(splash);
    EXPECT_EQ(WindowPixel(window, CPoint(0, 0)), kPictureColour);
    EXPECT_EQ(WindowPixel(window, CPoint(desktop.Width() - 1, desktop.Height() - 1)), kPictureColour);
}

TEST_F(ShellDialogTest, SplashGoesAfterFiveSeconds) {
    MakePicture("qz_splash.deu", CSize(8, 8));
    HWND splash = ShowSplash(FALSE);
    ASSERT_NE(splash, nullptr);
    AdvanceTimersForTesting(4990);
    EXPECT_TRUE(::IsWindow(splash));
    AdvanceTimersForTesting(10);
    PumpMessages();
    EXPECT_FALSE(::IsWindow(splash));
}

struct SplashInput {
    const char* name;
    BOOL closeOnKey;
    bool click; // else a key
    bool closes;
};

std::ostream& operator<<(std::ostream& out, const SplashInput& input) {
    return out << input.name;
}

class SplashInputTest : public ShellDialogTest, public ::testing::WithParamInterface<SplashInput> {};

TEST_P(SplashInputTest, ClosesOnAClickAndOnAKeyOnlyWhenAsked) {
    const SplashInput& input = GetParam();
    MakePicture("qz_splash.deu", CSize(8, 8));
    HWND splash = ShowSplash(input.closeOnKey);
    ASSERT_NE(splash, nullptr);
    CWnd* window = CWnd::FromHandle(splash);
    ASSERT_TRUE(WaitUntilActive(window));
    if (input.click)
        ClickAt(window, CPoint(3, 3));
    else
        TypeKey(window, Qt::Key_A);
    PumpMessages();
    EXPECT_EQ(!::IsWindow(splash), input.closes);
}

INSTANTIATE_TEST_SUITE_P(Inputs, SplashInputTest,
                         ::testing::Values(SplashInput{"ClickAtStartUp", FALSE, true, true},
                                           SplashInput{"KeyAtStartUp", FALSE, false, false},
                                           SplashInput{"KeyWhenAsked", TRUE, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellDialogTest, SplashWithoutItsPictureGoesAtOnceAndStartsNoTimer) {
    SetProgramFolderForTesting(m_folder.Path());
    HWND splash = ShowSplash(FALSE);
    ASSERT_NE(splash, nullptr);
    PumpMessages();
    EXPECT_FALSE(::IsWindow(splash));
    AdvanceTimersForTesting(6000);
}

TEST_F(ShellDialogTest, SplashShowsTheProgramsOwnPicture) {
    SetProgramFolderForTesting(VC_PROGRAM_DIR);
    HWND splash = ShowSplash(FALSE);
    ASSERT_NE(splash, nullptr);
    PumpMessages();
    ASSERT_TRUE(::IsWindow(splash)) << "the picture loaded";
    CWnd::FromHandle(splash)->DestroyWindow();
}

TEST_F(ShellDialogTest, AboutBoxWithoutItsPictureKeepsItsTemplate) {
    SetProgramFolderForTesting(m_folder.Path());
    CAboutDlg about(&m_owner);
    CRect client;
    bool okShown = false;
    InLoop([&] {
        about.GetClientRect(&client);
        okShown = about.GetDlgItem(IDOK)->IsWindowVisible();
        about.EndDialog(IDOK);
    });
    EXPECT_EQ(about.DoModal(), IDOK);
    EXPECT_EQ(client.Size(), CSize(550, 579));
    EXPECT_TRUE(okShown);
}

TEST_F(ShellDialogTest, AboutBoxTakesItsPictureSizeShowsTheTextAndClosesOnAClick) {
    MakePicture("qz_about.deu", CSize(300, 120));
    m_services.SetAboutText("Version 4.1");
    CAboutDlg about(&m_owner);
    CRect client;
    bool okShown = true;
    COLORREF picture = 0;
    bool textShown = false;
    InLoop([&] {
        about.GetClientRect(&client);
        okShown = about.GetDlgItem(IDOK)->IsWindowVisible();
        PumpMessages();
        picture = WindowPixel(&about, CPoint(20, 100));
        // The white line sits at the top right, 14 pixels from the edge.
        for (int x = 150; x < 300 - 14 && !textShown; ++x)
            for (int y = 4; y < 20 && !textShown; ++y)
                textShown = WindowPixel(&about, CPoint(x, y)) == RGB(255, 255, 255);
        ClickAt(&about, CPoint(20, 100));
    });
    EXPECT_EQ(about.DoModal(), IDCANCEL);
    EXPECT_EQ(client.Size(), CSize(300, 120));
    EXPECT_FALSE(okShown);
    EXPECT_EQ(picture, kPictureColour);
    EXPECT_TRUE(textShown);
}

// What the user does in the save prompt: tick "do not ask again", pick an answer, leave by a button.
struct PromptCase {
    const char* name;
    std::vector<int> clicks; // before the button: the check box 1006 and the answers 1007 and 1008
    int button;
    int expected;
    bool stores;
    BYTE storedAnswer;
};

std::ostream& operator<<(std::ostream& out, const PromptCase& prompt) {
    return out << prompt.name;
}

class SavePromptTest : public ShellDialogTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(SavePromptTest, ReturnsTheButtonAndStoresATickedAnswer) {
    const PromptCase& c = GetParam();
    m_services.SetSavePrompt(TRUE, 7);
    CSaveProjectDlg prompt(&m_owner);
    CString title;
    bool saveShown = false;
    InLoop([&] {
        prompt.GetWindowText(title);
        for (const int control : c.clicks)
            ClickAt(prompt.GetDlgItem(control), CPoint(5, 5));
        saveShown = prompt.IsDlgButtonChecked(1007) == BST_CHECKED;
        ClickAt(prompt.GetDlgItem(c.button), CPoint(5, 5));
    });
    EXPECT_EQ(prompt.DoModal(), c.expected);
    EXPECT_EQ(title, "Vellumcraft");
    EXPECT_EQ(!m_services.IsSavePromptEnabled(), c.stores);
    EXPECT_EQ(m_services.GetSavePromptAnswer(), c.stores ? c.storedAnswer : 7);
    if (c.stores) {
        EXPECT_EQ(saveShown, c.storedAnswer == 1) << "stored as shown";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SavePromptTest,
    ::testing::Values(PromptCase{"YesAsksAgainNextTime", {}, IDYES, IDYES, false, 0},
                      PromptCase{"NoAsksAgainNextTime", {}, IDNO, IDNO, false, 0},
                      PromptCase{"TickedYesStoresSaveByDefault", {1006}, IDYES, IDYES, true, 1},
                      PromptCase{"TickedNoWithDontSaveStoresIt", {1006, 1008}, IDNO, IDNO, true, 0},
                      PromptCase{"TickedAndClearedStoresNothing", {1006, 1006}, IDYES, IDYES, false, 0},
                      PromptCase{
                          "TickedAgainStoresSaveAsShown", {1006, 1008, 1006, 1006}, IDNO, IDNO, true, 1},
                      PromptCase{"CancelStoresNothing", {1006, 1008}, IDCANCEL, IDCANCEL, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellDialogTest, SavePromptAnswersAreUsableOnlyWhileTheBoxIsTicked) {
    CSaveProjectDlg prompt(&m_owner);
    std::vector<bool> enabled;
    bool saveChecked = false;
    InLoop([&] {
        enabled.push_back(prompt.GetDlgItem(1007)->IsWindowEnabled());
        ClickAt(prompt.GetDlgItem(1006), CPoint(5, 5));
        enabled.push_back(prompt.GetDlgItem(1008)->IsWindowEnabled());
        saveChecked = prompt.IsDlgButtonChecked(1007) == BST_CHECKED;
        ClickAt(prompt.GetDlgItem(1006), CPoint(5, 5));
        enabled.push_back(prompt.GetDlgItem(1007)->IsWindowEnabled());
        prompt.EndDialog(IDCANCEL);
    });
    prompt.DoModal();
    EXPECT_EQ(enabled, (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(saveChecked);
}

} // namespace
