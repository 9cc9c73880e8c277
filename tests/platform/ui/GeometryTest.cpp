// Window geometry: rectangles and coordinate conversions, moves and sizes with their messages,
// stacking, visibility, and the desktop that stands for the screen.

#include "platform/gdi/Dc.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class SizeLoggingWnd : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;

protected:
    void OnSize(UINT type, int cx, int cy) override {
        Log("size " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    void OnMove(int x, int y) override { Log("move " + std::to_string(x) + "," + std::to_string(y)); }
    void OnShowWindow(BOOL show, UINT) override { Log(show ? "show" : "hide"); }
};

class GeometryTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_main.CreatePopup(CRect(100, 50, 900, 650)));
        ASSERT_TRUE(m_child.CreateChild(&m_main, CRect(197, 40, 767, 475), 1202));
        m_log.clear();
    }

    MessageLog m_log;
    SizeLoggingWnd m_main{&m_log, "main"};
    SizeLoggingWnd m_child{&m_log, "child"};
};

TEST_F(GeometryTest, RectanglesAndConversionsAgreeBetweenClientAndScreen) {
    CRect rect;
    m_child.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(297, 90, 867, 525));
    m_child.GetClientRect(&rect);
    EXPECT_EQ(rect, CRect(0, 0, 570, 435));

    CPoint point(10, 20);
    m_child.ClientToScreen(&point);
    EXPECT_EQ(point, CPoint(307, 110));
    m_main.ScreenToClient(&point);
    EXPECT_EQ(point, CPoint(207, 60));
    CRect mapped(0, 0, 5, 5);
    m_child.MapWindowPoints(&m_main, &mapped);
    EXPECT_EQ(mapped, CRect(197, 40, 202, 45));
}

TEST_F(GeometryTest, MovingAndSizingSendTheirMessagesOnlyForWhatChanged) {
    m_child.MoveWindow(309, 124, 570, 435);
    m_child.SetWindowPos(nullptr, 0, 0, 100, 50, SWP_NOMOVE | SWP_NOZORDER);
    m_child.SetWindowPos(nullptr, 0, 0, 100, 50, SWP_NOMOVE | SWP_NOZORDER);

    EXPECT_THAT(m_log, ElementsAre("child move 309,124", "child size 0 100x50"));
    CRect rect;
    m_child.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(409, 174, 509, 224));
}

TEST_F(GeometryTest, ShowingAndHidingTellTheWindowAndReportTheStateBefore) {
    EXPECT_TRUE(m_child.ShowWindow(SW_HIDE)) << "the child was made visible";
    EXPECT_FALSE(m_child.ShowWindow(SW_HIDE));
    EXPECT_FALSE(m_main.ShowWindow(SW_SHOW));
    EXPECT_FALSE(m_child.IsWindowVisible());
    m_child.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    EXPECT_TRUE(m_child.IsWindowVisible());

    EXPECT_THAT(m_log, ElementsAre("child hide", "main show", "child show"));
}

TEST_F(GeometryTest, StackingFollowsInsertAfterAndBringToTop) {
    LoggingWnd second(&m_log, "second");
    ASSERT_TRUE(second.CreateChild(&m_main, CRect(197, 40, 767, 475), 2));
    EXPECT_EQ(m_main.GetWindow(GW_CHILD), &m_child);
    EXPECT_EQ(m_child.GetWindow(GW_HWNDNEXT), &second);

    m_child.SetWindowPos(&second, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(m_main.GetWindow(GW_CHILD), &second);
    m_child.BringWindowToTop();
    EXPECT_EQ(m_main.GetWindow(GW_CHILD), &m_child);
    m_child.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(m_main.GetWindow(GW_CHILD), &second);
    EXPECT_EQ(second.GetWindow(GW_HWNDLAST), &m_child);
}

TEST_F(GeometryTest, TheDesktopHasTheScreensRectangleAndDepth) {
    CWnd* desktop = CWnd::GetDesktopWindow();
    ASSERT_NE(desktop, nullptr);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    CRect rect;
    desktop->GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(screen.left(), screen.top(), screen.left() + screen.width(),
                          screen.top() + screen.height()));
    CDC* dc = desktop->GetDC();
    EXPECT_EQ(dc->GetDeviceCaps(BITSPIXEL), QGuiApplication::primaryScreen()->depth());
    desktop->ReleaseDC(dc);
    // A popup whose owner is the desktop has no owner.
    LoggingWnd popup(&m_log, "popup");
    ASSERT_TRUE(popup.CreatePopup(CRect(0, 0, 10, 10), nullptr, desktop));
    EXPECT_EQ(popup.GetParent(), nullptr);
}

} // namespace
