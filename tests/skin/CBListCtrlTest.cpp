// The list with in-place choice lists: which click opens a list and where, the entry it starts with,
// choosing by keys (cell text and stored value), Escape, narrow columns, and label
// edits that are not the choice list's.

#include "skin/CBListCtrl.h"

#include "skin/InPlaceList.h"
#include "tests/skin/SkinOwnerWnd.h"
#include "tests/skin/SkinTestWindow.h"

#include <gmock/gmock.h>

using ::testing::Contains;
using ::testing::Not;

namespace {

constexpr UINT kOwnerId = 3000;
constexpr UINT kListId = 2300;
constexpr int kPaperColumn = 0;
constexpr int kMappingColumn = 1;
constexpr int kNarrowColumn = 2;

class CBListCtrlTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        ASSERT_TRUE(m_owner.CreateChild(&m_parent, CRect(0, 0, 400, 300), kOwnerId));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS | LVS_SINGLESEL,
                                  CRect(10, 10, 330, 210), &m_owner, kListId));
        m_list.InsertColumn(kPaperColumn, "Papier", LVCFMT_LEFT, 100);
        m_list.InsertColumn(kMappingColumn, "Zuordnung", LVCFMT_LEFT, 120);
        m_list.InsertColumn(kNarrowColumn, "", LVCFMT_LEFT, 9);
        const char* rows[][2] = {{"A4", "Hochformat"}, {"A5", "unbekannt"}, {"Letter", "querformat"}};
        for (int row = 0; row < 3; ++row) {
            m_list.InsertItem(row, rows[row][0]);
            m_list.SetItemText(row, kMappingColumn, rows[row][1]);
            m_list.SetItemData(row, reinterpret_cast<DWORD_PTR>(&m_stored[row]));
        }
        for (const char* choice : {"Hochformat", "Querformat", "Automatisch"})
            m_list.m_choices.Add(choice);
        for (DWORD value : {10u, 20u, 30u})
            m_list.m_values.Add(value);
        m_list.m_editableColumns.Add(kMappingColumn);
        m_list.m_editableColumns.Add(kNarrowColumn);
        TakeLog();
    }

    CPoint CellPoint(int row, int column) const {
        CRect bounds;
        m_list.GetItemRect(row, &bounds, LVIR_BOUNDS);
        int left = bounds.left;
        for (int i = 0; i < column; ++i)
            left += static_cast<int>(m_list.SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i)));
        return CPoint(left + 4, bounds.CenterPoint().y);
    }

    CInPlaceList* ChoiceList() const {
        return dynamic_cast<CInPlaceList*>(m_list.GetDlgItem(CInPlaceList::kControlId));
    }

    // Two clicks on the cell: the first selects the row, the second opens the list.
    CInPlaceList* Open(int row, int column) {
        ClickAt(&m_list, CellPoint(row, column));
        PumpMessages();
        ClickAt(&m_list, CellPoint(row, column));
        PumpMessages();
        return ChoiceList();
    }

    SkinOwnerWnd m_owner{&m_log};
    CCBListCtrl m_list;
    DWORD m_stored[3] = {1, 2, 3};
};

TEST_F(CBListCtrlTest, FirstClickSelectsTheRowAndTheSecondOpensTheListOverTheCell) {
    ClickAt(&m_list, CellPoint(2, kMappingColumn));
    PumpMessages();
    EXPECT_EQ(nullptr, ChoiceList());
    EXPECT_EQ(2, m_list.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), m_list.GetItemState(2, LVIS_SELECTED));

    ClickAt(&m_list, CellPoint(2, kMappingColumn));
    PumpMessages();
    CInPlaceList* choices = ChoiceList();
    ASSERT_NE(nullptr, choices);
    EXPECT_EQ(3, choices->GetCount());
    EXPECT_EQ(1, choices->GetCurSel()) << "the cell's text matches a choice ignoring case";
    EXPECT_EQ(20u, static_cast<DWORD>(choices->GetItemData(1)));
    CRect row;
    m_list.GetItemRect(2, &row, LVIR_BOUNDS);
    CRect rect;
    choices->GetWindowRect(&rect);
    m_list.ScreenToClient(&rect);
    EXPECT_EQ(row.left + 100 + 4, rect.left);
    EXPECT_EQ(120 - 3, rect.Width());
    EXPECT_EQ(row.top, rect.top);
    EXPECT_EQ(choices, CWnd::GetFocus());
}

TEST_F(CBListCtrlTest, ACellMatchingNoChoiceOpensWithNothingChosen) {
    CInPlaceList* choices = Open(1, kMappingColumn);
    ASSERT_NE(nullptr, choices);
    EXPECT_EQ(CB_ERR, choices->GetCurSel());
}

TEST_F(CBListCtrlTest, ReturnWritesTheChoiceIntoTheCellAndItsValueIntoTheRowsStorage) {
    CInPlaceList* choices = Open(0, kMappingColumn);
    ASSERT_NE(nullptr, choices);
    TypeKey(choices, Qt::Key_Down);
    TypeKey(choices, Qt::Key_Return);
    PumpMessages();
    EXPECT_EQ(CString("Querformat"), m_list.GetItemText(0, kMappingColumn));
    EXPECT_EQ(20u, m_stored[0]);
    EXPECT_EQ(&m_list, CWnd::GetFocus());
    EXPECT_EQ(nullptr, ChoiceList()) << "the list closes itself";
    EXPECT_THAT(TakeLog(), Not(Contains("owner notify -106 id 1000"))) << "the list control handles it";
}

TEST_F(CBListCtrlTest, EscapeChangesNeitherTheCellNorTheStoredValue) {
    CInPlaceList* choices = Open(0, kMappingColumn);
    ASSERT_NE(nullptr, choices);
    TypeKey(choices, Qt::Key_Down);
    TypeKey(choices, Qt::Key_Escape);
    PumpMessages();
    EXPECT_EQ(CString("Hochformat"), m_list.GetItemText(0, kMappingColumn));
    EXPECT_EQ(1u, m_stored[0]);
    EXPECT_EQ(&m_list, CWnd::GetFocus());
    EXPECT_EQ(nullptr, ChoiceList());
}

TEST_F(CBListCtrlTest, AColumnNarrowerThanTenPixelsNeverOpensAList) {
    EXPECT_EQ(nullptr, Open(0, kNarrowColumn));
    EXPECT_EQ(nullptr, m_list.ShowInPlaceList(0, kNarrowColumn, m_list.m_choices, m_list.m_values, 0));
    EXPECT_EQ(nullptr, m_list.ShowInPlaceList(0, 7, m_list.m_choices, m_list.m_values, 0))
        << "no such column";
}

TEST_F(CBListCtrlTest, AColumnThatIsNotEditableOpensNothing) {
    EXPECT_EQ(nullptr, Open(0, kPaperColumn));
}

TEST_F(CBListCtrlTest, WithoutEditLabelsNoListOpens) {
    m_list.ModifyStyle(LVS_EDITLABELS, 0);
    EXPECT_EQ(nullptr, Open(0, kMappingColumn));
}

TEST_F(CBListCtrlTest, HitTestFindsTheColumnWithBothEdgesIncluded) {
    CRect bounds;
    m_list.GetItemRect(1, &bounds, LVIR_BOUNDS);
    const int y = bounds.CenterPoint().y;
    const struct {
        int x;
        int column;
    } cases[] = {{bounds.left, 0},
                 {bounds.left + 100, 0},
                 {bounds.left + 101, 1},
                 {bounds.left + 220, 1},
                 {bounds.left + 221, 2}};
    for (const auto& c : cases) {
        int column = -1;
        EXPECT_EQ(1, m_list.HitTestEx(CPoint(c.x, y), &column)) << c.x;
        EXPECT_EQ(c.column, column) << c.x;
    }
    int column = -1;
    EXPECT_EQ(-1, m_list.HitTestEx(CPoint(bounds.left + 5, 190), &column)) << "below the rows";
}

// A label edit of the list's own editor carries the row's data as its parameter: storing it through
// that same pointer would overwrite the value with the address.
TEST_F(CBListCtrlTest, ALabelEditThatIsNotAChoiceListsStoresNothing) {
    char text[] = "A3";
    NMLVDISPINFO info{};
    info.hdr.hwndFrom = m_list.m_hWnd;
    info.hdr.idFrom = kListId;
    info.hdr.code = LVN_ENDLABELEDIT;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = 0;
    info.item.pszText = text;
    info.item.lParam = static_cast<LPARAM>(m_list.GetItemData(0));
    m_owner.SendMessage(WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(1u, m_stored[0]);
    EXPECT_THAT(TakeLog(), Contains("owner notify -106 id 2300")) << "it reaches the owner as usual";
}

TEST_F(CBListCtrlTest, ScrollingTheListEndsAnOpenChoiceList) {
    CInPlaceList* choices = Open(0, kMappingColumn);
    ASSERT_NE(nullptr, choices);
    m_list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    PumpMessages();
    EXPECT_EQ(nullptr, ChoiceList());
    EXPECT_EQ(&m_list, CWnd::GetFocus());
}

} // namespace
