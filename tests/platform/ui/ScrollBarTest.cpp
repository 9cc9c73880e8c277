// Scroll bars: the client area that a window's bars leave, ranges, pages and positions, the requests a
// window and a scroll bar control report for presses, drags, keys and the bar's menu, and ScrollWindow's
// moved pixels, uncovered area and children.

#include "platform/ui/ScrollBar.h"

#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuPresenter.h"
#include "platform/ui/StyleNames.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/TimerTesting.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

// Picks the menu item with the given text, or cancels when there is none.
class PickingMenuPresenter final : public IMenuPresenter {
public:
    PickingMenuPresenter() { SetMenuPresenter(this); }
    ~PickingMenuPresenter() override { SetMenuPresenter(nullptr); }
    PickingMenuPresenter(const PickingMenuPresenter&) = delete;
    PickingMenuPresenter& operator=(const PickingMenuPresenter&) = delete;

    CString m_pick;

    UINT Track(HWND, CMenu& menu, POINT) override {
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            CString text;
            menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
            if (text == m_pick)
                return menu.GetMenuItemID(i);
        }
        return 0;
    }
};

// A pane that scrolls by hand: a line is 1, a page 10, the thumb gives the position; the pixels move by
// the old position minus the new one.
class ScrollingPane : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;

protected:
    void OnHScroll(UINT code, UINT position, CScrollBar* sender) override {
        Follow(SB_HORZ, "h", code, position, sender);
    }
    void OnVScroll(UINT code, UINT position, CScrollBar* sender) override {
        Follow(SB_VERT, "v", code, position, sender);
    }
    void OnSize(UINT type, int cx, int cy) override {
        Log("size " + std::to_string(cx) + "x" + std::to_string(cy));
        LoggingWnd::OnSize(type, cx, cy);
    }

private:
    void Follow(int bar, const char* name, UINT code, UINT position, CScrollBar* sender) {
        EXPECT_EQ(sender, nullptr);
        int low = 0;
        int high = 0;
        GetScrollRange(bar, &low, &high);
        const int old = GetScrollPos(bar);
        int next = old;
        switch (code) {
        case SB_LINEUP:
            next = std::max(old - 1, low);
            break;
        case SB_LINEDOWN:
            next = std::min(old + 1, high);
            break;
        case SB_PAGEUP:
            next = std::max(old - 10, low);
            break;
        case SB_PAGEDOWN:
            next = std::min(old + 10, high);
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            next = static_cast<int>(position);
            break;
        case SB_TOP:
            next = low;
            break;
        case SB_BOTTOM:
            next = high;
            break;
        default:
            break;
        }
        Log(std::string(name) + "scroll " + std::to_string(code) + " " + std::to_string(position) + " -> " +
            std::to_string(next));
        if (next == old)
            return;
        SetScrollPos(bar, next);
        ScrollWindow(bar == SB_HORZ ? old - next : 0, bar == SB_VERT ? old - next : 0);
    }
};

class ScrollOwner : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;
    CWnd* m_expectedSender = nullptr;

protected:
    void OnVScroll(UINT code, UINT position, CScrollBar* sender) override {
        EXPECT_EQ(reinterpret_cast<CWnd*>(sender), m_expectedSender);
        Log("vscroll " + std::to_string(code) + " " + std::to_string(position));
    }
};

class ScrollBarTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_owner.CreatePopup(CRect(100, 100, 500, 400)));
        ShowActive(&m_owner);
    }
    // A 216 x 166 pane with both bars: a 200 x 150 client, ranges 0 to 50.
    void MakePane(DWORD style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL) {
        ASSERT_TRUE(m_pane.CreateChild(&m_owner, CRect(10, 10, 226, 176), 1, style));
        m_pane.SetScrollRange(SB_HORZ, 0, 50);
        m_pane.SetScrollRange(SB_VERT, 0, 50);
        m_log.clear();
    }
    // The scroll requests logged, without the capture changes that come with a press.
    MessageLog Requests() const {
        MessageLog requests;
        std::copy_if(m_log.begin(), m_log.end(), std::back_inserter(requests),
                     [](const std::string& line) { return line.find("scroll") != std::string::npos; });
        return requests;
    }
    CRect Client(CWnd& window) {
        CRect client;
        window.GetClientRect(&client);
        return client;
    }

    MessageLog m_log;
    ScrollOwner m_owner{&m_log, "owner"};
    ScrollingPane m_pane{&m_log, "pane"};
};

TEST_F(ScrollBarTest, BarsTakeTheirWidthFromTheClientArea) {
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    ASSERT_EQ(bar, GetSystemMetrics(SM_CYHSCROLL));
    struct Case {
        const char* name;
        DWORD style;
        CSize client;
    };
    const Case cases[] = {
        {"none", 0, {100, 80}},
        {"vertical", WS_VSCROLL, {100 - bar, 80}},
        {"horizontal", WS_HSCROLL, {100, 80 - bar}},
        {"both", WS_HSCROLL | WS_VSCROLL, {100 - bar, 80 - bar}},
        {"both inside a border", WS_BORDER | WS_HSCROLL | WS_VSCROLL, {98 - bar, 78 - bar}},
    };
    for (const Case& c : cases) {
        LoggingWnd child(&m_log, "child");
        ASSERT_TRUE(child.CreateChild(&m_owner, CRect(20, 30, 120, 110), 1, WS_CHILD | WS_VISIBLE | c.style));
        EXPECT_EQ(Client(child).Size(), c.client) << c.name;
        // The client area keeps its top-left corner: the bars sit at the right and the bottom.
        CPoint origin(0, 0);
        child.MapWindowPoints(&m_owner, &origin, 1);
        const int border = (c.style & WS_BORDER) ? 1 : 0;
        EXPECT_EQ(origin, CPoint(20 + border, 30 + border)) << c.name;
        child.DestroyWindow();
    }
}

TEST_F(ScrollBarTest, ShowingAndHidingABarResizesTheClientArea) {
    MakePane();
    m_pane.ShowScrollBar(SB_VERT, FALSE);
    EXPECT_EQ(Client(m_pane).Size(), CSize(216, 150));
    m_pane.ShowScrollBar(SB_BOTH, FALSE);
    m_pane.ShowScrollBar(SB_HORZ, TRUE);
    EXPECT_EQ(Client(m_pane).Size(), CSize(216, 150));
    EXPECT_THAT(m_log, ElementsAre("pane size 216x150", "pane size 216x166", "pane size 216x150"));
    EXPECT_EQ(m_pane.GetStyle() & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL);

    // A style changed with SWP_FRAMECHANGED lays out the frame again.
    m_log.clear();
    m_pane.ModifyStyle(WS_HSCROLL, WS_VSCROLL, SWP_FRAMECHANGED);
    EXPECT_EQ(Client(m_pane).Size(), CSize(200, 166));
    EXPECT_THAT(m_log, ElementsAre("pane size 200x166"));
}

TEST_F(ScrollBarTest, RangePageAndPositionStayConsistent) {
    struct Case {
        const char* name;
        SCROLLINFO set;
        int pos;
        UINT page;
        int limit;
        bool shown;
    };
    const Case cases[] = {
        {"position inside", {sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 0, 50, 0, 20, 0}, 20, 0, 50, true},
        {"position above the maximum",
         {sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 0, 50, 0, 80, 0},
         50,
         0,
         50,
         true},
        {"position below the minimum",
         {sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 10, 50, 0, 3, 0},
         10,
         0,
         50,
         true},
        {"page limits the position", {sizeof(SCROLLINFO), SIF_ALL, 0, 99, 30, 90, 0}, 70, 30, 70, true},
        {"page larger than the range", {sizeof(SCROLLINFO), SIF_ALL, 0, 9, 30, 5, 0}, 0, 10, 0, false},
        {"empty range hides", {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0}, 0, 0, 0, false},
        {"empty range kept disabled",
         {sizeof(SCROLLINFO), SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0},
         0,
         0,
         0,
         true},
    };
    MakePane();
    for (const Case& c : cases) {
        SCROLLINFO set = c.set;
        EXPECT_EQ(m_pane.SetScrollInfo(SB_VERT, &set), c.pos) << c.name;
        SCROLLINFO got{};
        got.cbSize = sizeof got;
        ASSERT_TRUE(m_pane.GetScrollInfo(SB_VERT, &got, SIF_ALL)) << c.name;
        EXPECT_EQ(got.nPos, c.pos) << c.name;
        EXPECT_EQ(got.nTrackPos, c.pos) << c.name;
        EXPECT_EQ(got.nPage, c.page) << c.name;
        EXPECT_EQ(m_pane.GetScrollLimit(SB_VERT), c.limit) << c.name;
        EXPECT_EQ((m_pane.GetStyle() & WS_VSCROLL) != 0, c.shown) << c.name;
        EXPECT_EQ(Client(m_pane).Width(), c.shown ? 200 : 216) << c.name;
    }
}

// The pane's bars driven by the mouse: each press reports its request and SB_ENDSCROLL; the pane follows
// the line, page, thumb, top and bottom rule, never past the range.
TEST_F(ScrollBarTest, MouseOnAWindowsBarReportsEveryRequest) {
    PickingMenuPresenter menu;
    MakePane();
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const CPoint upArrow(208, 8);
    const CPoint downArrow(208, 150 - 8);
    const CPoint belowThumb(208, 150 - arrow - 4);
    const CPoint leftArrow(8, 158);
    const CPoint rightArrow(200 - 8, 158);

    ClickAt(&m_pane, downArrow);
    ClickAt(&m_pane, downArrow);
    ClickAt(&m_pane, upArrow);
    ClickAt(&m_pane, upArrow);
    ClickAt(&m_pane, upArrow);
    EXPECT_EQ(m_pane.GetScrollPos(SB_VERT), 0);
    ClickAt(&m_pane, belowThumb);
    ClickAt(&m_pane, rightArrow);
    ClickAt(&m_pane, leftArrow);
    EXPECT_THAT(Requests(),
                ElementsAre("pane vscroll 1 0 -> 1", "pane vscroll 8 0 -> 1", "pane vscroll 1 0 -> 2",
                            "pane vscroll 8 0 -> 2", "pane vscroll 0 0 -> 1", "pane vscroll 8 0 -> 1",
                            "pane vscroll 0 0 -> 0", "pane vscroll 8 0 -> 0", "pane vscroll 0 0 -> 0",
                            "pane vscroll 8 0 -> 0", "pane vscroll 3 0 -> 10", "pane vscroll 8 0 -> 10",
                            "pane hscroll 1 0 -> 1", "pane hscroll 8 0 -> 1", "pane hscroll 0 0 -> 0",
                            "pane hscroll 8 0 -> 0"));

    // Bottom and top from the bar's menu, then a page down at the end stays there.
    m_log.clear();
    menu.m_pick = "Unten";
    ClickAt(&m_pane, belowThumb, Qt::RightButton);
    ClickAt(&m_pane, CPoint(208, arrow + 4));
    menu.m_pick = "Oben";
    ClickAt(&m_pane, belowThumb, Qt::RightButton);
    menu.m_pick = "Rechter Rand";
    ClickAt(&m_pane, leftArrow, Qt::RightButton);
    EXPECT_THAT(Requests(),
                ElementsAre("pane vscroll 7 0 -> 50", "pane vscroll 8 0 -> 50", "pane vscroll 2 0 -> 40",
                            "pane vscroll 8 0 -> 40", "pane vscroll 6 0 -> 0", "pane vscroll 8 0 -> 0",
                            "pane hscroll 7 0 -> 50", "pane hscroll 8 0 -> 50"));
    // A press on the bar is no client input of the pane.
    EXPECT_EQ(std::count_if(m_log.begin(), m_log.end(),
                            [](const std::string& line) { return line.find("down") != std::string::npos; }),
              0);
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksAndEndsAtItsPosition) {
    MakePane();
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const int thumb = GetSystemMetrics(SM_CYVTHUMB);
    // The thumb travels 150 - 2 arrows - its length for the 50 positions of the range.
    const int travel = 150 - 2 * arrow - thumb;
    const CPoint grab(208, arrow + thumb / 2);
    PressAt(&m_pane, grab);
    MoveTo(&m_pane, grab + CPoint(0, travel / 2));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    m_pane.GetScrollInfo(SB_VERT, &info, SIF_TRACKPOS);
    EXPECT_EQ(info.nTrackPos, 25);
    MoveTo(&m_pane, grab + CPoint(0, travel / 2));
    MoveTo(&m_pane, grab + CPoint(0, travel + 20));
    ReleaseAt(&m_pane, grab + CPoint(0, travel + 20));
    EXPECT_THAT(Requests(), ElementsAre("pane vscroll 5 25 -> 25", "pane vscroll 5 50 -> 50",
                                        "pane vscroll 4 50 -> 50", "pane vscroll 8 0 -> 50"));
    EXPECT_EQ(m_pane.GetScrollPos(SB_VERT), 50);
    EXPECT_EQ(GetCapture(), nullptr);
}

// Timers run on the test's manual clock: a held arrow repeats after a delay until released, a held track
// until the thumb reaches the pointer.
TEST_F(ScrollBarTest, HeldArrowsAndTracksRepeat) {
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    struct Case {
        const char* name;
        CPoint point;
        size_t requestsBeforeDelay;
        size_t requestsAfterASecond;
        int position;
    };
    const Case cases[] = {
        // One at the press, one when the delay ends, then one each interval: 400 + 12 * 50 ms.
        {"down arrow", CPoint(208, 150 - 8), 1, 14, 14},
        // Pages of 10 until the thumb covers the point.
        {"track below the thumb", CPoint(208, 150 - arrow - 4), 1, 5, 50},
    };
    for (const Case& c : cases) {
        MakePane();
        PressAt(&m_pane, c.point);
        AdvanceTimersForTesting(399);
        EXPECT_EQ(Requests().size(), c.requestsBeforeDelay) << c.name;
        AdvanceTimersForTesting(601);
        EXPECT_EQ(Requests().size(), c.requestsAfterASecond) << c.name;
        ReleaseAt(&m_pane, c.point);
        AdvanceTimersForTesting(1000);
        EXPECT_EQ(Requests().size(), c.requestsAfterASecond + 1) << c.name;
        EXPECT_EQ(Requests().back(), "pane vscroll 8 0 -> " + std::to_string(c.position)) << c.name;
        m_pane.DestroyWindow();
    }
}

TEST_F(ScrollBarTest, LosingTheCaptureEndsAPressOnTheBar) {
    MakePane();
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    PressAt(&m_pane, CPoint(208, arrow + 4));
    m_owner.SetCapture();
    EXPECT_THAT(Requests(), ElementsAre("pane vscroll 4 0 -> 0", "pane vscroll 8 0 -> 0"));
    ReleaseCapture();
    ReleaseAt(&m_pane, CPoint(208, arrow + 4));
    EXPECT_EQ(Requests().size(), 2U);
}

TEST_F(ScrollBarTest, ABarWithNothingToScrollTakesNoPresses) {
    MakePane();
    m_pane.EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
    ClickAt(&m_pane, CPoint(208, 8));
    m_pane.EnableScrollBar(SB_VERT, ESB_DISABLE_LTUP);
    ClickAt(&m_pane, CPoint(208, 8));
    ClickAt(&m_pane, CPoint(208, 150 - 8));
    EXPECT_THAT(Requests(), ElementsAre("pane vscroll 1 0 -> 1", "pane vscroll 8 0 -> 1"));
}

TEST_F(ScrollBarTest, ScrollBarControlReportsToItsParentWithItself) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    ASSERT_TRUE(ResolveStyleNames({"SBS_VERT"}, &style));
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(style, CRect(10, 10, 26, 130), &m_owner, 7));
    ASSERT_EQ(m_owner.GetDlgItem(7), &bar);
    bar.SetScrollRange(0, 20);
    bar.SetScrollPos(5);
    EXPECT_EQ(bar.GetScrollPos(), 5);
    m_owner.m_expectedSender = &bar;
    m_log.clear();
    ClickAt(&bar, CPoint(8, 120 - 4));
    bar.SetFocus();
    for (const Qt::Key key : {Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_Up, Qt::Key_Left})
        TypeKey(&bar, key);
    EXPECT_THAT(m_log, ElementsAre("owner vscroll 1 0", "owner vscroll 8 0", "owner vscroll 6 0",
                                   "owner vscroll 8 0", "owner vscroll 7 0", "owner vscroll 8 0",
                                   "owner vscroll 2 0", "owner vscroll 8 0", "owner vscroll 0 0",
                                   "owner vscroll 8 0"));
    int low = -1;
    int high = -1;
    bar.GetScrollRange(&low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 20);
}

// A dialog whose template holds a scroll bar, subclassed by DDX_Control.
class ScrollBarDialog : public CDialog {
public:
    CScrollBar m_bar;
    MessageLog m_log;

protected:
    void DoDataExchange(CDataExchange* exchange) override {
        CDialog::DoDataExchange(exchange);
        DDX_Control(exchange, 1100, m_bar);
    }
    void OnHScroll(UINT code, UINT position, CScrollBar* sender) override {
        m_log.push_back(std::string(sender == &m_bar ? "bar" : "other") + " hscroll " + std::to_string(code) +
                        " " + std::to_string(position));
    }
};

TEST_F(ScrollBarTest, ATemplatesScrollBarReportsThroughItsSubclassingObject) {
    HMODULE module = LoadLibrary(VC_UI_TEST_MODULE);
    ASSERT_NE(module, nullptr);
    AfxSetResourceHandle(module);
    ScrollBarDialog dialog;
    ASSERT_TRUE(dialog.Create(530, &m_owner));
    ASSERT_EQ(dialog.GetDlgItem(1100), &dialog.m_bar);
    dialog.m_bar.SetScrollRange(0, 4);
    CRect bar;
    dialog.m_bar.GetClientRect(&bar);
    ClickAt(&dialog.m_bar, CPoint(bar.right - 4, bar.CenterPoint().y));
    EXPECT_THAT(dialog.m_log, ElementsAre("bar hscroll 1 0", "bar hscroll 8 0"));
    dialog.DestroyWindow();
    AfxSetResourceHandle(nullptr);
    FreeLibrary(module);
}

TEST_F(ScrollBarTest, ScrollWindowMovesPixelsAndChildrenAndInvalidatesTheRest) {
    MakePane();
    m_pane.UpdateWindow();
    LoggingWnd child(&m_log, "child");
    ASSERT_TRUE(child.CreateChild(&m_pane, CRect(50, 60, 70, 80), 2));
    CDC* dc = m_pane.GetDC();
    CBrush red(RGB(255, 0, 0));
    CBrush blue(RGB(0, 0, 255));
    dc->FillRect(CRect(0, 0, 200, 150), &blue);
    dc->FillRect(CRect(0, 100, 200, 110), &red);
    m_pane.ReleaseDC(dc);
    m_pane.ValidateRect(nullptr);

    m_pane.ScrollWindow(0, -30);
    CRect invalid;
    EXPECT_TRUE(m_pane.GetUpdateRect(&invalid));
    EXPECT_EQ(invalid, CRect(0, 120, 200, 150));
    dc = m_pane.GetDC();
    EXPECT_EQ(dc->GetPixel(10, 75), RGB(255, 0, 0));
    EXPECT_EQ(dc->GetPixel(10, 105), RGB(0, 0, 255));
    m_pane.ReleaseDC(dc);
    CRect placed;
    child.GetWindowRect(&placed);
    m_pane.ScreenToClient(&placed);
    EXPECT_EQ(placed, CRect(50, 30, 70, 50));

    // Within a rectangle only that part moves, and the children stay.
    m_pane.ValidateRect(nullptr);
    const CRect part(100, 0, 200, 150);
    m_pane.ScrollWindow(0, 20, &part, &part);
    EXPECT_TRUE(m_pane.GetUpdateRect(&invalid));
    EXPECT_EQ(invalid, CRect(100, 0, 200, 20));
    dc = m_pane.GetDC();
    EXPECT_EQ(dc->GetPixel(150, 95), RGB(255, 0, 0));
    EXPECT_EQ(dc->GetPixel(10, 95), RGB(0, 0, 255));
    m_pane.ReleaseDC(dc);
    child.GetWindowRect(&placed);
    m_pane.ScreenToClient(&placed);
    EXPECT_EQ(placed.TopLeft(), CPoint(50, 30));
}

} // namespace
