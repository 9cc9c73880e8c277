// Mouse input through the window handle: routing by position and shape, key flags, capture, hover and
// leave, double clicks, cursors and dragging a window by its background.

#include "platform/gdi/Region.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/TimerTesting.h"
#include "platform/ui/WindowRecord.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <QWidget>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class MouseInputTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_main.CreatePopup(CRect(0, 0, 400, 300)));
        ASSERT_TRUE(m_left.CreateChild(&m_main, CRect(10, 10, 110, 110), 1));
        ASSERT_TRUE(m_right.CreateChild(&m_main, CRect(200, 10, 300, 110), 2));
        ShowActive(&m_main);
        m_log.clear();
    }

    MessageLog m_log;
    LoggingWnd m_main{&m_log, "main"};
    LoggingWnd m_left{&m_log, "left"};
    LoggingWnd m_right{&m_log, "right"};
};

TEST_F(MouseInputTest, ClicksReachTheWindowUnderThePointerWithClientCoordinatesAndKeyFlags) {
    ClickAt(&m_left, CPoint(5, 6));
    ClickAt(&m_right, CPoint(7, 8), Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    ClickAt(&m_main, CPoint(150, 200), Qt::RightButton);
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("left ldown 5,6 flags 1", "left lup 5,6 flags 0",
                                   "right ldown 7,8 flags 13", "right lup 7,8 flags 12",
                                   "main rdown 150,200 flags 2", "main rup 150,200 flags 0"));
}

TEST_F(MouseInputTest, TheFirstChildMadeLiesOnTopWhereChildrenOverlap) {
    LoggingWnd first(&m_log, "first");
    LoggingWnd second(&m_log, "second");
    ASSERT_TRUE(first.CreateChild(&m_main, CRect(20, 150, 120, 250), 3));
    ASSERT_TRUE(second.CreateChild(&m_main, CRect(60, 150, 160, 250), 4));
    m_log.clear();

    ClickAt(&m_main, CPoint(100, 200));
    second.BringWindowToTop();
    ClickAt(&m_main, CPoint(100, 200));
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("first ldown 80,50 flags 1", "first lup 80,50 flags 0",
                                   "second ldown 40,50 flags 1", "second lup 40,50 flags 0"));
}

// A five-pointed star drawn in one stroke: its centre is inside with winding fill, outside with
// alternate fill.
struct ShapeCase {
    const char* name;
    int fillMode;
    const char* centreGoesTo;
};

class WindowShapeTest : public MouseInputTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(WindowShapeTest, PressesOutsideTheShapeGoToTheWindowBelow) {
    const POINT star[] = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    CRgn shape;
    ASSERT_TRUE(shape.CreatePolygonRgn(star, 5, GetParam().fillMode));
    ASSERT_TRUE(m_left.SetWindowRgn(static_cast<HRGN>(shape.Detach()), TRUE));

    ClickAt(&m_left, CPoint(50, 50)); // the star's centre
    ClickAt(&m_left, CPoint(50, 10)); // inside the top point
    ClickAt(&m_left, CPoint(5, 95));  // the window's corner, outside the star
    PumpMessages();

    const std::string centre = GetParam().centreGoesTo;
    const std::string centreLine = centre == "left" ? "left ldown 50,50 flags 1" : "main ldown 60,60 flags 1";
    EXPECT_THAT(m_log, ElementsAre(centreLine, ::testing::_, "left ldown 50,10 flags 1", ::testing::_,
                                   "main ldown 15,105 flags 1", ::testing::_));
}

INSTANTIATE_TEST_SUITE_P(FillModes, WindowShapeTest,
                         ::testing::Values(ShapeCase{"Winding", WINDING, "left"},
                                           ShapeCase{"Alternate", ALTERNATE, "main"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MouseInputTest, WithoutCaptureTheReleaseGoesToTheWindowUnderThePointer) {
    PressAt(&m_left, CPoint(50, 50));
    MoveTo(&m_right, CPoint(10, 10));
    ReleaseAt(&m_right, CPoint(10, 10));
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("left ldown 50,50 flags 1", "right lup 10,10 flags 0"));
}

TEST_F(MouseInputTest, TheCaptureWindowGetsEveryMouseMessageInItsOwnCoordinates) {
    class CapturingWnd : public LoggingWnd {
    public:
        using LoggingWnd::LoggingWnd;

    protected:
        void OnLButtonDown(UINT flags, CPoint point) override {
            LoggingWnd::OnLButtonDown(flags, point);
            SetCapture();
        }
        void OnLButtonUp(UINT flags, CPoint point) override {
            LoggingWnd::OnLButtonUp(flags, point);
            ReleaseCapture();
        }
    };
    CapturingWnd knob(&m_log, "knob");
    ASSERT_TRUE(knob.CreateChild(&m_main, CRect(10, 150, 60, 200), 3));
    knob.m_logMoves = true;
    m_log.clear();

    PressAt(&knob, CPoint(10, 10));
    MoveTo(&m_right, CPoint(10, 10));
    EXPECT_EQ(CWnd::GetCapture(), &knob);
    ReleaseAt(&m_right, CPoint(10, 10));
    ClickAt(&m_right, CPoint(20, 20));
    PumpMessages();

    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    // The pointer moves to the press position first.
    EXPECT_THAT(m_log,
                ElementsAre("knob move 10,10 flags 0", "knob ldown 10,10 flags 1",
                            "knob move 200,-130 flags 1", "knob lup 200,-130 flags 0", "knob capturechanged",
                            "right ldown 20,20 flags 1", "right lup 20,20 flags 0"));
}

TEST_F(MouseInputTest, TakingTheCaptureTellsTheWindowThatHadIt) {
    m_left.SetCapture();
    m_right.SetCapture();
    ReleaseCapture();
    ReleaseCapture();

    EXPECT_THAT(m_log, ElementsAre("left capturechanged", "right capturechanged"));
}

TEST_F(MouseInputTest, TrackedWindowsHearWhenThePointerLeavesAndWhenItRests) {
    MoveTo(&m_left, CPoint(20, 20));
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_HOVER, m_left.m_hWnd, HOVER_DEFAULT};
    ASSERT_TRUE(TrackMouseEvent(&track));

    AdvanceTimersForTesting(399);
    EXPECT_TRUE(m_log.empty());
    AdvanceTimersForTesting(1);
    MoveTo(&m_main, CPoint(150, 150));
    MoveTo(&m_main, CPoint(160, 150));
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("left hover 20,20 flags 0", "left leave"));
}

TEST_F(MouseInputTest, EnteringAChildLeavesItsParent) {
    MoveTo(&m_main, CPoint(150, 150));
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_main.m_hWnd, HOVER_DEFAULT};
    ASSERT_TRUE(TrackMouseEvent(&track));
    MoveTo(&m_left, CPoint(5, 5));
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("main leave"));
}

TEST_F(MouseInputTest, TrackingAWindowThePointerIsNotOverReportsTheLeaveAtOnce) {
    MoveTo(&m_main, CPoint(150, 150));
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_right.m_hWnd, HOVER_DEFAULT};
    ASSERT_TRUE(TrackMouseEvent(&track));
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("right leave"));
}

TEST_F(MouseInputTest, DoubleClicksNeedTheClassStyle) {
    LoggingWnd plain(&m_log, "plain");
    ASSERT_TRUE(plain.CreateEx(0, AfxRegisterWndClass(0), "plain", WS_CHILD | WS_VISIBLE,
                               CRect(10, 150, 60, 200), &m_main, 3));
    m_log.clear();

    DoubleClickAt(&m_left, CPoint(1, 1));
    DoubleClickAt(&plain, CPoint(1, 1));
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("left ldown 1,1 flags 1", "left lup 1,1 flags 0", "left ldbl 1,1 flags 1",
                                   "left lup 1,1 flags 0", "plain ldown 1,1 flags 1", "plain lup 1,1 flags 0",
                                   "plain ldown 1,1 flags 1", "plain lup 1,1 flags 0"));
}

TEST_F(MouseInputTest, AWindowReportingCaptionEverywhereIsDraggedByItsBackground) {
    class SkinnedDialog : public LoggingWnd {
    public:
        using LoggingWnd::LoggingWnd;

    protected:
        LRESULT OnNcHitTest(CPoint) override { return HTCAPTION; }
    };
    SkinnedDialog dialog(&m_log, "dialog");
    ASSERT_TRUE(dialog.CreatePopup(CRect(500, 400, 600, 480), nullptr, &m_main));
    ShowActive(&dialog);
    m_log.clear();

    PressAt(&dialog, CPoint(10, 10));
    MoveTo(&dialog, CPoint(30, 15));
    ReleaseAt(&dialog, CPoint(10, 10)); // the same screen point: the window moved under it
    PumpMessages();

    CRect moved;
    dialog.GetWindowRect(&moved);
    EXPECT_EQ(moved.TopLeft(), CPoint(520, 405)) << moved.left << "," << moved.top;
    EXPECT_EQ(moved.Size(), CSize(100, 80));
    EXPECT_TRUE(m_log.empty()) << "the press is a caption press, not a client one";
}

TEST_F(MouseInputTest, TheParentMayChooseTheCursorOfItsChildren) {
    class CursorParent : public LoggingWnd {
    public:
        using LoggingWnd::LoggingWnd;

    protected:
        BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override {
            if (window->GetDlgCtrlID() != 2)
                return LoggingWnd::OnSetCursor(window, hitTest, message);
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
    };
    CursorParent parent(&m_log, "parent");
    ASSERT_TRUE(parent.CreatePopup(CRect(0, 0, 200, 100)));
    LoggingWnd arrow(&m_log, "arrow");
    LoggingWnd hand(&m_log, "hand");
    ASSERT_TRUE(arrow.CreateChild(&parent, CRect(0, 0, 50, 50), 1));
    ASSERT_TRUE(hand.CreateChild(&parent, CRect(100, 0, 150, 50), 2));
    ShowActive(&parent);

    MoveTo(&arrow, CPoint(5, 5));
    MoveTo(&hand, CPoint(5, 5));

    EXPECT_EQ(WidgetOf(arrow.m_hWnd)->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(WidgetOf(hand.m_hWnd)->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MouseInputTest, DisabledWindowsPassTheirInputToTheirParent) {
    m_left.EnableWindow(FALSE);
    ClickAt(&m_left, CPoint(5, 5));
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("main ldown 15,15 flags 1", "main lup 15,15 flags 0"));
}

} // namespace
