// The internet panel: its place beside the button that opened it, dragging by its background, its two
// commands that end it first, and a resource module without its background.

#include "output/InternetDlg.h"

#include "output/PrintMainWnd.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <functional>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

// Notes the main window's commands the panel starts.
class CommandMainWnd final : public IPrintMainWnd {
public:
    CTemplate* GetPrintTemplate() override { return nullptr; }
    CWnd* GetPrintParent() override { return nullptr; }
    void RunPrintJob(DEVMODE*, LPCTSTR, LPCTSTR, LPCTSTR, float, BOOL, int) override {}
    BOOL SavePageImageScaled(const CString&, int) override { return FALSE; }
    CPictureInfo* RenderPagePictureScaled(int) override { return nullptr; }
    void ExportHtml() override { commands.push_back("publish"); }
    void SendByMail() override { commands.push_back("mail"); }

    std::vector<std::string> commands;
};

class InternetDlgTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        s_lacking = LoadLibrary(VC_TEST_BINARY_DIR "/without_INTERNET_WINDOW.deu");
    }
    static void TearDownTestSuite() {
        FreeLibrary(s_resources);
        FreeLibrary(s_lacking);
    }
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(nullptr, s_resources);
        UseModule(s_resources);
        SetPrintMainWnd(&m_mainWnd);
        ASSERT_TRUE(m_main.CreateEx(0, nullptr, "Hauptfenster", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400,
                                    nullptr, nullptr));
    }
    void TearDown() override {
        m_main.DestroyWindow();
        SetPrintMainWnd(nullptr);
        AfxSetResourceHandle(nullptr);
        UiTest::TearDown();
    }
    void UseModule(HMODULE module) {
        AfxSetResourceHandle(module);
        m_services.SetResourceModule(module);
    }

    // Runs the panel anchored at (300, 40); step runs once it is open.
    INT_PTR Run(const std::function<void(CInternetDlg&)>& step) {
        const POINT anchor{300, 40};
        CInternetDlg panel(&anchor, &m_main);
        QTimer::singleShot(0, [&] { step(panel); });
        return panel.DoModal();
    }

    static HMODULE s_resources;
    static HMODULE s_lacking;
    FakeAppServices m_services;
    CommandMainWnd m_mainWnd;
    CWnd m_main;
};

HMODULE InternetDlgTest::s_resources = nullptr;
HMODULE InternetDlgTest::s_lacking = nullptr;

TEST_F(InternetDlgTest, OpensTwoPixelsRightOfTheAnchorWithItsThreeKeys) {
    CRect place;
    std::vector<bool> keys;
    EXPECT_EQ(IDOK, Run([&](CInternetDlg& panel) {
                  panel.GetWindowRect(&place);
                  for (int id : {IDOK, 150, 151})
                      keys.push_back(panel.GetDlgItem(id) != nullptr);
                  panel.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
              }));
    EXPECT_EQ(CRect(302, 40, 474, 97), place);
    EXPECT_THAT(keys, ElementsAre(true, true, true));
    EXPECT_TRUE(m_mainWnd.commands.empty()) << "closing starts nothing";
}

TEST_F(InternetDlgTest, IsDraggedByItsBackgroundButNotByAKey) {
    CRect dragged;
    CRect pressedOnKey;
    Run([&](CInternetDlg& panel) {
        ShowActive(&panel);
        PressAt(&panel, CPoint(120, 45));
        MoveTo(&panel, CPoint(140, 50));
        ReleaseAt(&panel, CPoint(120, 45));
        PumpMessages();
        panel.GetWindowRect(&dragged);
        // A press on the e-mail key that ends outside it is no click and moves nothing.
        CWnd* key = panel.GetDlgItem(151);
        PressAt(key, CPoint(10, 10));
        MoveTo(key, CPoint(10, 40));
        ReleaseAt(key, CPoint(10, 40));
        PumpMessages();
        panel.GetWindowRect(&pressedOnKey);
        panel.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(CPoint(322, 45), dragged.TopLeft());
    EXPECT_EQ(dragged, pressedOnKey);
    EXPECT_TRUE(m_mainWnd.commands.empty());
}

TEST_F(InternetDlgTest, PublishAndMailEndThePanelWithOkAndStartTheirCommand) {
    struct CommandCase {
        int id;
        const char* command;
    };
    for (const CommandCase& c : {CommandCase{150, "publish"}, CommandCase{151, "mail"}}) {
        m_mainWnd.commands.clear();
        EXPECT_EQ(IDOK, Run([&](CInternetDlg& panel) { ClickAt(panel.GetDlgItem(c.id), CPoint(12, 12)); }));
        EXPECT_THAT(m_mainWnd.commands, ElementsAre(c.command));
    }
}

TEST_F(InternetDlgTest, WithoutItsBackgroundThePanelCancelsAtOnce) {
    ASSERT_NE(nullptr, s_lacking);
    UseModule(s_lacking);
    const POINT anchor{300, 40};
    CInternetDlg panel(&anchor, &m_main);
    EXPECT_EQ(IDCANCEL, panel.DoModal());
    EXPECT_TRUE(m_services.Messages().empty());
}

} // namespace
