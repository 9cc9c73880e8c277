// The report view's header: its items are the columns, a drag on a divider sets a column's width, a click
// on a heading reaches the list's parent as LVN_COLUMNCLICK; column calls on the list agree with it.

#include "platform/ui/ListCtrl.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class HeaderOwner : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        const auto* click = reinterpret_cast<LPNMLISTVIEW>(lParam);
        if (click->hdr.code != LVN_COLUMNCLICK)
            return FALSE;
        Log("columnclick item " + std::to_string(click->iItem) + " column " +
            std::to_string(click->iSubItem));
        *result = 0;
        return TRUE;
    }
};

class ListHeaderTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_owner.CreatePopup(CRect(100, 100, 420, 320)));
        ShowActive(&m_owner);
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 290, 190), &m_owner, 9));
        m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        m_list.InsertColumn(1, "Größe", LVCFMT_LEFT, 80);
        for (int item = 0; item < 3; ++item) {
            m_list.InsertItem(item, ("Bild " + std::to_string(item)).c_str());
            m_list.SetItemText(item, 1, (std::to_string(item) + " KB").c_str());
        }
        m_header = m_list.GetHeaderCtrl();
        ASSERT_NE(m_header, nullptr);
        m_log.clear();
    }
    CRect HeadingRect(int index) const {
        CRect rect;
        EXPECT_TRUE(m_header->GetItemRect(index, &rect));
        return rect;
    }

    MessageLog m_log;
    HeaderOwner m_owner{&m_log, "owner"};
    CListCtrl m_list;
    CHeaderCtrl* m_header = nullptr;
};

TEST_F(ListHeaderTest, TheHeadersItemsAreTheColumns) {
    EXPECT_EQ(m_list.GetHeaderCtrl(), m_header) << "one header per list";
    EXPECT_EQ(m_header->GetItemCount(), 2);
    EXPECT_EQ(HeadingRect(0), CRect(0, 0, 100, 18));
    EXPECT_EQ(HeadingRect(1), CRect(100, 0, 180, 18));
    CRect rect;
    EXPECT_FALSE(m_header->GetItemRect(2, &rect));
    char text[16] = {};
    HDITEM item{HDI_WIDTH | HDI_TEXT, 0, text, nullptr, sizeof text, 0, 0};
    ASSERT_TRUE(m_header->GetItem(1, &item));
    EXPECT_EQ(item.cxy, 80);
    EXPECT_STREQ(text, "Größe");

    CRect row;
    ASSERT_TRUE(m_list.GetItemRect(0, &row, LVIR_BOUNDS));
    EXPECT_EQ(row.top, 18) << "the rows begin below the header";
    CRect area;
    m_header->GetWindowRect(&area);
    EXPECT_EQ(area.Size(), CSize(280, 18)) << "as wide as the list";
    m_list.MoveWindow(10, 10, 200, 150);
    m_header->GetWindowRect(&area);
    EXPECT_EQ(area.Size(), CSize(200, 18)) << "and stays so";
    PumpMessages();
    EXPECT_EQ(WindowPixel(m_header, CPoint(60, 9)), GetSysColor(COLOR_3DFACE));
    bool lettered = false;
    for (int x = 104; x < 130 && !lettered; ++x) {
        for (int y = 3; y < 15 && !lettered; ++y) {
            // Black letters, smoothed at their edges.
            const COLORREF pixel = WindowPixel(m_header, CPoint(x, y));
            lettered = GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 150;
        }
    }
    EXPECT_TRUE(lettered) << "the second heading's text";
    EXPECT_EQ(WindowPixel(m_header, CPoint(190, 9)), GetSysColor(COLOR_3DFACE))
        << "right of the last heading";

    CListCtrl icons;
    ASSERT_TRUE(icons.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 100, 100), &m_owner, 10));
    EXPECT_EQ(icons.GetHeaderCtrl(), nullptr) << "icon views have none";
}

TEST_F(ListHeaderTest, ColumnCallsOnTheListAgreeWithTheHeader) {
    EXPECT_TRUE(m_list.SetColumnWidth(1, 120));
    EXPECT_EQ(m_list.GetColumnWidth(1), 120);
    EXPECT_EQ(HeadingRect(1), CRect(100, 0, 220, 18));
    EXPECT_FALSE(m_list.SetColumnWidth(5, 10));
    EXPECT_EQ(m_list.GetColumnWidth(5), 0);

    EXPECT_EQ(m_list.InsertColumn(1, "Datum", LVCFMT_LEFT, 50), 1);
    EXPECT_EQ(m_header->GetItemCount(), 3);
    EXPECT_EQ(HeadingRect(2), CRect(150, 0, 270, 18));
    EXPECT_TRUE(m_list.DeleteColumn(1));
    EXPECT_TRUE(m_list.DeleteColumn(1));
    EXPECT_FALSE(m_list.DeleteColumn(1));
    EXPECT_EQ(m_header->GetItemCount(), 1);
    EXPECT_STREQ(m_list.GetItemText(2, 0), "Bild 2");
    EXPECT_EQ(m_list.InsertColumn(1, "Neu", LVCFMT_LEFT, 40), 1);
    EXPECT_STREQ(m_list.GetItemText(2, 1), "") << "the deleted column's texts went with it";
}

TEST_F(ListHeaderTest, ADragOnADividerSetsTheColumnsWidth) {
    struct Case {
        const char* name;
        int pressX;
        int releaseX;
        int column;
        int width;
    };
    const Case cases[] = {
        {"on the divider", 100, 130, 0, 130},
        {"just left of it", 97, 67, 0, 70},
        {"the last column's divider", 182, 200, 1, 98},
        {"narrower than nothing stops at nothing", 180, 20, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_list.SetColumnWidth(0, 100);
        m_list.SetColumnWidth(1, 80);
        PressAt(m_header, CPoint(c.pressX, 9));
        MoveTo(m_header, CPoint((c.pressX + c.releaseX) / 2, 9));
        MoveTo(m_header, CPoint(c.releaseX, 9));
        ReleaseAt(m_header, CPoint(c.releaseX, 9));
        EXPECT_EQ(m_list.GetColumnWidth(c.column), c.width);
        EXPECT_EQ(HeadingRect(c.column).Width(), c.width);
    }
    CRect label;
    ASSERT_TRUE(m_list.GetItemRect(0, &label, LVIR_LABEL));
    EXPECT_EQ(label.right, 100) << "the label follows the first column";
    EXPECT_THAT(m_log, IsEmpty()) << "a drag on a divider is no click";
}

TEST_F(ListHeaderTest, AClickOnAHeadingTellsTheListsParent) {
    ClickAt(m_header, CPoint(40, 9));
    ClickAt(m_header, CPoint(150, 9));
    ClickAt(m_header, CPoint(250, 9));
    PressAt(m_header, CPoint(40, 9));
    ReleaseAt(m_header, CPoint(150, 9));
    EXPECT_THAT(m_log,
                ElementsAre("owner columnclick item -1 column 0", "owner columnclick item -1 column 1"))
        << "beside the headings and released on another heading: no click";
}

} // namespace
