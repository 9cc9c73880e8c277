// The scroll view: bar ranges from the total size and the client area, positions kept within them, the
// scroll requests of the bars, and the context's origin moved by the position.

#include "platform/ui/ScrollView.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/SystemMetrics.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

namespace {

class PlainScrollView : public CScrollView {
public:
    void OnDraw(CDC* /*dc*/) override {}
};

class ScrollViewTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_owner.CreatePopup(CRect(100, 100, 500, 400)));
        m_view = new PlainScrollView;
        ASSERT_TRUE(m_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                                   CRect(0, 0, 200, 150), &m_owner, 1));
    }
    void TearDown() override {
        m_owner.DestroyWindow();
        UiTest::TearDown();
    }
    CSize Client() const {
        CRect client;
        m_view->GetClientRect(&client);
        return client.Size();
    }
    void Scroll(UINT message, UINT code) { m_view->SendMessage(message, MAKEWPARAM(code, 0), 0); }

    std::vector<std::string> m_log;
    LoggingWnd m_owner{&m_log, "owner"};
    PlainScrollView* m_view = nullptr; // deletes itself with its window
};

TEST_F(ScrollViewTest, RangesCoverTheTotalAndPagesTheClient) {
    m_view->SetScrollSizes(MM_TEXT, CSize(1000, 600));
    const CSize client = Client();
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(m_view->GetScrollInfo(SB_HORZ, &info, SIF_ALL));
    EXPECT_EQ(0, info.nMin);
    EXPECT_EQ(999, info.nMax);
    EXPECT_EQ(static_cast<UINT>(client.cx), info.nPage);
    ASSERT_TRUE(m_view->GetScrollInfo(SB_VERT, &info, SIF_ALL));
    EXPECT_EQ(599, info.nMax);
    EXPECT_EQ(static_cast<UINT>(client.cy), info.nPage);
    EXPECT_EQ(CSize(1000, 600), m_view->GetTotalSize());
}

TEST_F(ScrollViewTest, ATotalThatFitsWithoutTheBarsTakesThemAway) {
    m_view->SetScrollSizes(MM_TEXT, CSize(1000, 600));
    const CSize withBars = Client();
    const CSize whole(withBars.cx + GetSystemMetrics(SM_CXVSCROLL),
                      withBars.cy + GetSystemMetrics(SM_CYHSCROLL));
    m_view->SetScrollSizes(MM_TEXT, whole);
    EXPECT_EQ(whole, Client());
    EXPECT_EQ(0, m_view->GetScrollLimit(SB_HORZ));
    EXPECT_EQ(0, m_view->GetScrollLimit(SB_VERT));
    // Wider than the whole area: the horizontal bar then takes height, so the vertical one is needed too.
    m_view->SetScrollSizes(MM_TEXT, CSize(whole.cx + 1, whole.cy));
    EXPECT_EQ(withBars, Client());
}

TEST_F(ScrollViewTest, PositionsStayWithinTheRange) {
    m_view->SetScrollSizes(MM_TEXT, CSize(1000, 600));
    const CSize client = Client();
    m_view->ScrollToPosition(CPoint(300, 40));
    EXPECT_EQ(CPoint(300, 40), m_view->GetScrollPosition());
    m_view->ScrollToPosition(CPoint(5000, -7));
    EXPECT_EQ(CPoint(1000 - client.cx, 0), m_view->GetScrollPosition());
    // A smaller total brings the position back into the new range; one that fits shows from the start.
    m_view->SetScrollSizes(MM_TEXT, CSize(client.cx + 20, 600));
    EXPECT_EQ(20, m_view->GetScrollPosition().x);
    m_view->SetScrollSizes(MM_TEXT, CSize(50, 40));
    EXPECT_EQ(CPoint(0, 0), m_view->GetScrollPosition());
}

TEST_F(ScrollViewTest, RequestsOfTheBarsMoveByLinePageOrToTheEnds) {
    // Default sizes: a page is a tenth of the total (100 x 60), a line a tenth of the page (10 x 6).
    m_view->SetScrollSizes(MM_TEXT, CSize(1000, 600));
    const CSize client = Client();
    Scroll(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(10, m_view->GetScrollPosition().x);
    Scroll(WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_EQ(110, m_view->GetScrollPosition().x);
    Scroll(WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(100, m_view->GetScrollPosition().x);
    Scroll(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(600 - client.cy, m_view->GetScrollPosition().y);
    Scroll(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(600 - client.cy - 60, m_view->GetScrollPosition().y);
    Scroll(WM_VSCROLL, SB_TOP);
    Scroll(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(0, m_view->GetScrollPosition().y);
    // Given sizes are used as they are.
    m_view->SetScrollSizes(MM_TEXT, CSize(1000, 600), CSize(70, 50), CSize(3, 2));
    Scroll(WM_HSCROLL, SB_PAGERIGHT);
    Scroll(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(173, m_view->GetScrollPosition().x);
}

TEST_F(ScrollViewTest, PreparedContextDrawsAsIfNotScrolled) {
    m_view->SetScrollSizes(MM_TEXT, CSize(1000, 600));
    m_view->ScrollToPosition(CPoint(120, 30));
    CDC* dc = m_view->GetDC();
    ASSERT_NE(nullptr, dc);
    dc->SetMapMode(MM_ISOTROPIC);
    m_view->OnPrepareDC(dc);
    EXPECT_EQ(MM_TEXT, dc->GetMapMode());
    CPoint point(120, 30);
    dc->LPtoDP(&point);
    EXPECT_EQ(CPoint(0, 0), point);
    m_view->ReleaseDC(dc);
}

} // namespace
