// List control scrolling: the bars a long list shows, the top row and origin after EnsureVisible, Scroll,
// the bar's presses and the wheel, and item rectangles and hit tests in the scrolled view.

#include "platform/ui/ListCtrl.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/SystemMetrics.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr int kRowHeight = 16;
constexpr int kHeadingHeight = 18;

class ListCtrlScrollTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_owner.CreatePopup(CRect(100, 100, 500, 400)));
        ShowActive(&m_owner);
    }
    // 40 rows under columns of the given widths in a 280 x 180 list.
    void MakeReport(int firstWidth = 100, int secondWidth = 80) {
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 290, 190), &m_owner, 9));
        m_list.InsertColumn(0, "Name", LVCFMT_LEFT, firstWidth);
        m_list.InsertColumn(1, "Größe", LVCFMT_LEFT, secondWidth);
        for (int item = 0; item < 40; ++item) {
            m_list.InsertItem(item, ("Bild " + std::to_string(item)).c_str());
            m_list.SetItemText(item, 1, (std::to_string(item * 7) + " KB").c_str());
        }
        m_list.UpdateWindow();
    }
    // 30 icons in a 200 x 150 list: two cells of the icon spacing in a row.
    void MakeIcons() {
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(10, 10, 210, 160), &m_owner, 9));
        for (int item = 0; item < 30; ++item)
            m_list.InsertItem(item, ("Bild " + std::to_string(item)).c_str());
        m_list.UpdateWindow();
    }
    CRect Bounds(int item) const {
        CRect rect;
        EXPECT_TRUE(m_list.GetItemRect(item, &rect, LVIR_BOUNDS));
        return rect;
    }
    CSize Client() const {
        CRect client;
        m_list.GetClientRect(&client);
        return client.Size();
    }

    MessageLog m_log;
    LoggingWnd m_owner{&m_log, "owner"};
    CListCtrl m_list;
};

TEST_F(ListCtrlScrollTest, ReportViewShowsTheBarsItsRowsAndColumnsNeed) {
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    struct Case {
        const char* name;
        int items;
        int firstWidth;
        CSize client;
    };
    const Case cases[] = {
        {"few narrow rows", 5, 100, {280, 180}},
        {"many rows", 40, 100, {280 - bar, 180}},
        {"many wide rows", 40, 300, {280 - bar, 180 - bar}},
    };
    for (const Case& c : cases) {
        CListCtrl list;
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 290, 190), &m_owner, 8));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, c.firstWidth);
        for (int item = 0; item < c.items; ++item)
            list.InsertItem(item, "Bild");
        list.UpdateWindow();
        CRect client;
        list.GetClientRect(&client);
        EXPECT_EQ(client.Size(), c.client) << c.name;
        EXPECT_EQ(list.GetCountPerPage(), (c.client.cy - kHeadingHeight) / kRowHeight) << c.name;
        list.DestroyWindow();
    }
}

TEST_F(ListCtrlScrollTest, ReportViewTopRowFollowsEnsureVisibleAndScroll) {
    MakeReport();
    ASSERT_EQ(m_list.GetCountPerPage(), 10);
    struct Step {
        const char* name;
        void (*action)(CListCtrl&);
        int top;
    };
    const Step steps[] = {
        {"a row below the page comes up to the last line", [](CListCtrl& l) { l.EnsureVisible(25, FALSE); },
         16},
        {"a row above the page becomes the top", [](CListCtrl& l) { l.EnsureVisible(3, FALSE); }, 3},
        {"a row on the page moves nothing", [](CListCtrl& l) { l.EnsureVisible(12, FALSE); }, 3},
        {"pixels round down to whole rows", [](CListCtrl& l) { l.Scroll(CSize(0, 2 * kRowHeight + 5)); }, 5},
        {"never above the first row", [](CListCtrl& l) { l.Scroll(CSize(0, -1000)); }, 0},
        {"the last row stops at the page's end", [](CListCtrl& l) { l.EnsureVisible(39, FALSE); }, 30},
        {"never past the last page", [](CListCtrl& l) { l.Scroll(CSize(0, 1000)); }, 30},
    };
    for (const Step& step : steps) {
        step.action(m_list);
        EXPECT_EQ(m_list.GetTopIndex(), step.top) << step.name;
        EXPECT_EQ(m_list.GetScrollPos(SB_VERT), step.top) << step.name;
        // The top row sits right under the headings; a point on the third row hits it.
        EXPECT_EQ(Bounds(step.top).top, kHeadingHeight) << step.name;
        EXPECT_EQ(m_list.HitTest(CPoint(20, kHeadingHeight + 2 * kRowHeight + 4)), step.top + 2) << step.name;
        EXPECT_EQ(m_list.HitTest(CPoint(20, kHeadingHeight - 2)), -1) << step.name;
    }
    POINT origin{-1, -1};
    EXPECT_FALSE(m_list.GetOrigin(&origin));
}

TEST_F(ListCtrlScrollTest, ReportViewScrollsAcrossItsColumns) {
    MakeReport(300, 80);
    m_list.Scroll(CSize(50, 0));
    EXPECT_EQ(Bounds(0).left, -50);
    CRect label;
    m_list.GetItemRect(0, &label, LVIR_LABEL);
    EXPECT_EQ(m_list.HitTest(CPoint(label.left + 5, label.CenterPoint().y)), 0);
    m_list.Scroll(CSize(1000, 0));
    // 380 pixels of columns in a client narrowed by the vertical bar.
    EXPECT_EQ(Bounds(0).right, Client().cx);
}

TEST_F(ListCtrlScrollTest, BarAndWheelInputScrollTheRows) {
    MakeReport();
    const CSize client = Client();
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    ClickAt(&m_list, CPoint(client.cx + 8, client.cy - 8));
    EXPECT_EQ(m_list.GetTopIndex(), 1);
    ClickAt(&m_list, CPoint(client.cx + 8, client.cy - arrow - 4));
    EXPECT_EQ(m_list.GetTopIndex(), 11);
    m_list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(m_list.GetTopIndex(), 14);
    m_list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(240)), 0);
    EXPECT_EQ(m_list.GetTopIndex(), 8);
    ClickAt(&m_list, CPoint(client.cx + 8, 8));
    EXPECT_EQ(m_list.GetTopIndex(), 7);
    // A click on a row of the scrolled list selects that row.
    ClickAt(&m_list, CPoint(20, kHeadingHeight + kRowHeight + 4));
    EXPECT_EQ(m_list.GetNextItem(-1, LVNI_SELECTED), 8);
}

TEST_F(ListCtrlScrollTest, IconViewScrollsByPixelsAndKeepsPlacedItems) {
    MakeIcons();
    const int cell = GetSystemMetrics(SM_CXICONSPACING);
    const CSize client = Client();
    ASSERT_EQ(client, CSize(200 - GetSystemMetrics(SM_CXVSCROLL), 150));
    EXPECT_EQ(m_list.GetTopIndex(), 0);
    EXPECT_EQ(m_list.GetCountPerPage(), 30);

    // Item 29 is in the fifteenth row of two: its bottom comes up to the client's.
    EXPECT_TRUE(m_list.EnsureVisible(29, FALSE));
    POINT origin{};
    EXPECT_TRUE(m_list.GetOrigin(&origin));
    EXPECT_EQ(CPoint(origin), CPoint(0, 15 * cell - 150));
    EXPECT_EQ(Bounds(29).bottom, 150);
    EXPECT_EQ(m_list.HitTest(Bounds(29).CenterPoint()), 29);
    // A partly shown item is enough when asked so.
    m_list.Scroll(CSize(0, -cell / 2));
    EXPECT_TRUE(m_list.EnsureVisible(29, TRUE));
    EXPECT_EQ(m_list.GetScrollPos(SB_VERT), 15 * cell - 150 - cell / 2);
    EXPECT_TRUE(m_list.EnsureVisible(0, FALSE));
    EXPECT_EQ(m_list.GetScrollPos(SB_VERT), 0);

    // A placed item widens the view; the horizontal bar reaches it.
    EXPECT_TRUE(m_list.SetItemPosition(1, POINT{400, 20}));
    m_list.UpdateWindow();
    EXPECT_TRUE(m_list.GetStyle() & WS_HSCROLL);
    EXPECT_EQ(Bounds(1).TopLeft(), CPoint(400, 20));
    m_list.Scroll(CSize(250, 0));
    EXPECT_EQ(Bounds(1).TopLeft(), CPoint(150, 20));
    EXPECT_EQ(m_list.HitTest(CPoint(150 + cell / 2, 20 + 10)), 1);
    m_list.Scroll(CSize(1000, 0));
    EXPECT_EQ(Bounds(1).right, Client().cx);
}

} // namespace
