// Tool tips: tools as whole windows or rectangles, texts by string id from the resource handle at the
// time they are added, and the delays between a resting pointer, the tip and its end.

#include "platform/base/Module.h"
#include "platform/ui/TimerTesting.h"
#include "platform/ui/ToolTipCtrl.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

namespace {

// Relays its mouse messages and those of its children to the tool tips, as the main window does.
class RelayingWnd : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;
    CToolTipCtrl m_tips;

    BOOL PreTranslateMessage(MSG* message) override {
        if (m_tips.m_hWnd)
            m_tips.RelayEvent(message);
        return FALSE;
    }
};

class ToolTipTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_module = LoadLibrary(VC_UI_TEST_MODULE);
        ASSERT_NE(m_module, nullptr);
        ASSERT_TRUE(m_main.CreatePopup(CRect(0, 0, 300, 200)));
        ASSERT_TRUE(m_laden.CreateChild(&m_main, CRect(10, 10, 60, 40), 2047));
        ASSERT_TRUE(m_knob.CreateChild(&m_main, CRect(100, 10, 300, 200), 1004));
        ASSERT_TRUE(m_main.m_tips.Create(&m_main));
        m_main.m_tips.Activate(TRUE);
        // Texts come from the module that is the resource handle while tools are added.
        AfxSetResourceHandle(m_module);
        m_main.m_tips.AddTool(&m_laden, 144);
        const CRect albumZone(25, 35, 55, 47);
        m_main.m_tips.AddTool(&m_knob, 145, &albumZone, 2029);
        AfxSetResourceHandle(nullptr);
        ShowActive(&m_main);
    }
    void TearDown() override {
        UiTest::TearDown();
        FreeLibrary(m_module);
    }

    CString TipShown() {
        if (!m_main.m_tips.IsWindowVisible())
            return "";
        CString text;
        m_main.m_tips.GetWindowText(text);
        return text;
    }

    HMODULE m_module = nullptr;
    MessageLog m_log;
    RelayingWnd m_main{&m_log, "main"};
    LoggingWnd m_laden{&m_log, "Laden"};
    LoggingWnd m_knob{&m_log, "knob"};
};

TEST_F(ToolTipTest, ToolsKeepTheTextOfTheirStringIds) {
    EXPECT_EQ(m_main.m_tips.GetToolCount(), 2);
    CString text;
    m_main.m_tips.GetText(text, &m_laden);
    EXPECT_EQ(text, "Projekt laden");
    m_main.m_tips.GetText(text, &m_knob, 2029);
    EXPECT_EQ(text, "Album öffnen");
}

TEST_F(ToolTipTest, ATipShowsAfterThePointerRestsAndGoesAfterAWhile) {
    MoveTo(&m_laden, CPoint(5, 5));
    AdvanceTimersForTesting(499);
    EXPECT_EQ(TipShown(), "");
    AdvanceTimersForTesting(1);
    EXPECT_EQ(TipShown(), "Projekt laden");
    AdvanceTimersForTesting(5000);
    EXPECT_EQ(TipShown(), "");
}

TEST_F(ToolTipTest, ARectangleToolShowsOnlyInsideItsRectangle) {
    MoveTo(&m_knob, CPoint(5, 5));
    AdvanceTimersForTesting(600);
    EXPECT_EQ(TipShown(), "");
    MoveTo(&m_knob, CPoint(30, 40));
    AdvanceTimersForTesting(600);
    EXPECT_EQ(TipShown(), "Album öffnen");
    MoveTo(&m_knob, CPoint(30, 100));
    EXPECT_EQ(TipShown(), "");
}

TEST_F(ToolTipTest, AClickEndsTheTipAndAnInactiveControlShowsNone) {
    MoveTo(&m_laden, CPoint(5, 5));
    AdvanceTimersForTesting(500);
    ClickAt(&m_laden, CPoint(5, 5));
    EXPECT_EQ(TipShown(), "");
    AdvanceTimersForTesting(1000);
    EXPECT_EQ(TipShown(), "") << "the clicked tool stays quiet until the pointer leaves it";

    m_main.m_tips.Activate(FALSE);
    MoveTo(&m_knob, CPoint(30, 40));
    AdvanceTimersForTesting(1000);
    EXPECT_EQ(TipShown(), "");
}

} // namespace
