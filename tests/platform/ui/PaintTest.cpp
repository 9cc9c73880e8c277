// Painting: WM_PAINT draws the invalid part through a device context, WM_ERASEBKGND erases first when
// asked, a window context draws at once, and painting waits for the queued messages.

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/PaintDC.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 200, 0);

// Fills its client area with m_color on every paint, optionally leaving the background alone.
class ColorWnd : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;
    COLORREF m_color = kRed;
    bool m_eraseNothing = false;

protected:
    void OnPaint() override {
        CPaintDC dc(this);
        Log("paint " + std::to_string(dc.m_ps.rcPaint.left) + "," + std::to_string(dc.m_ps.rcPaint.top) +
            "-" + std::to_string(dc.m_ps.rcPaint.right) + "," + std::to_string(dc.m_ps.rcPaint.bottom));
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, m_color);
    }
    BOOL OnEraseBkgnd(CDC* dc) override {
        Log("erase");
        return m_eraseNothing ? TRUE : CWnd::OnEraseBkgnd(dc);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override { return LoggingWnd::OnCommand(wParam, lParam); }
};

class PaintTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_window.CreatePopup(CRect(0, 0, 100, 80)));
        m_window.ShowWindow(SW_SHOW);
        PumpMessages();
        m_log.clear();
    }

    MessageLog m_log;
    ColorWnd m_window{&m_log, "w"};
};

TEST_F(PaintTest, InvalidatedAreasArePaintedAndTheRestKeepsItsPixels) {
    EXPECT_EQ(WindowPixel(&m_window, CPoint(50, 40)), kRed);
    m_window.m_color = kBlue;
    const CRect part(10, 10, 30, 20);
    m_window.InvalidateRect(&part, FALSE);
    PumpMessages();

    EXPECT_EQ(WindowPixel(&m_window, CPoint(15, 15)), kBlue);
    EXPECT_EQ(WindowPixel(&m_window, CPoint(50, 40)), kRed);
    EXPECT_THAT(m_log, ElementsAre("w paint 10,10-30,20"));
}

TEST_F(PaintTest, EraseComesWithPaintingOnlyWhenAsked) {
    m_window.Invalidate(TRUE);
    m_window.UpdateWindow();
    m_window.Invalidate(FALSE);
    m_window.UpdateWindow();

    EXPECT_THAT(m_log, ElementsAre("w erase", "w paint 0,0-100,80", "w paint 0,0-100,80"));
}

TEST_F(PaintTest, TheClassBackgroundErasesUnlessTheWindowSaysItErasedItself) {
    class PlainWnd : public LoggingWnd {
    public:
        using LoggingWnd::LoggingWnd;
        bool m_eraseNothing = false;

    protected:
        BOOL OnEraseBkgnd(CDC* dc) override { return m_eraseNothing ? TRUE : CWnd::OnEraseBkgnd(dc); }
    };
    CBrush green(kGreen);
    PlainWnd plain(&m_log, "plain");
    ASSERT_TRUE(plain.CreatePopup(CRect(0, 0, 20, 20),
                                  AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(green.m_hObject))));
    plain.ShowWindow(SW_SHOW);
    plain.UpdateWindow();
    EXPECT_EQ(WindowPixel(&plain, CPoint(5, 5)), kGreen);

    CDC* dc = plain.GetDC();
    dc->FillSolidRect(0, 0, 20, 20, kBlue);
    plain.ReleaseDC(dc);
    plain.m_eraseNothing = true;
    plain.Invalidate(TRUE);
    plain.UpdateWindow();
    EXPECT_EQ(WindowPixel(&plain, CPoint(5, 5)), kBlue);
}

TEST_F(PaintTest, AWindowContextDrawsAtOnceAndXorTwiceRestores) {
    CClientDC dc(&m_window);
    dc.SetROP2(R2_XORPEN);
    CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* previous = dc.SelectObject(&pen);
    dc.MoveTo(0, 5);
    dc.LineTo(100, 5);
    EXPECT_EQ(dc.GetPixel(50, 5), RGB(0, 255, 255));
    dc.MoveTo(0, 5);
    dc.LineTo(100, 5);
    EXPECT_EQ(dc.GetPixel(50, 5), kRed);
    dc.SelectObject(previous);
    EXPECT_TRUE(m_log.empty()) << "drawing through a window context paints nothing";
}

TEST_F(PaintTest, PaintingWaitsUntilTheQueuedMessagesAreHandled) {
    m_window.Invalidate(FALSE);
    m_window.PostMessage(WM_COMMAND, 1, 0);
    m_window.PostMessage(WM_COMMAND, 2, 0);
    PumpMessages();

    EXPECT_THAT(m_log,
                ElementsAre("w command 1 code 0 from -", "w command 2 code 0 from -", "w paint 0,0-100,80"));
}

TEST_F(PaintTest, HiddenWindowsPaintWhenShown) {
    m_window.ShowWindow(SW_HIDE);
    m_window.m_color = kBlue;
    m_window.Invalidate(FALSE);
    PumpMessages();
    EXPECT_TRUE(m_log.empty());

    m_window.ShowWindow(SW_SHOW);
    PumpMessages();
    EXPECT_EQ(WindowPixel(&m_window, CPoint(1, 1)), kBlue);
}

TEST_F(PaintTest, RedrawWindowPaintsTheWindowAndItsChildrenNow) {
    ColorWnd child(&m_log, "child");
    ASSERT_TRUE(child.CreateChild(&m_window, CRect(0, 0, 10, 10), 1));
    PumpMessages();
    m_log.clear();

    m_window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    EXPECT_THAT(m_log, ElementsAre("w erase", "w paint 0,0-100,80", "child erase", "child paint 0,0-10,10"));
}

} // namespace
