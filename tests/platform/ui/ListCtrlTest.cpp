// List controls: the states clicks with Ctrl and Shift leave and the LVN_ITEMCHANGED records the parent
// hears, single selection, items with their texts, data and pictures, and where the views lay them out.

#include "platform/ui/ListCtrl.h"

#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

class ListOwner : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;
    LRESULT m_beginAnswer = 0;
    LRESULT m_endAnswer = TRUE;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        const auto* change = reinterpret_cast<LPNMLISTVIEW>(lParam);
        if (change->hdr.code == LVN_ITEMCHANGED)
            Log("changed " + std::to_string(change->iItem) + " " + std::to_string(change->uOldState) + ">" +
                std::to_string(change->uNewState) + " data " + std::to_string(change->lParam));
        else if (change->hdr.code == NM_DBLCLK)
            Log("dblclk");
        else if (change->hdr.code == LVN_BEGINDRAG || change->hdr.code == LVN_BEGINRDRAG)
            Log(std::string(change->hdr.code == LVN_BEGINDRAG ? "begindrag " : "beginrdrag ") +
                std::to_string(change->iItem) + " data " + std::to_string(change->lParam));
        else if (change->hdr.code == LVN_KEYDOWN)
            Log("keydown " + std::to_string(reinterpret_cast<LPNMLVKEYDOWN>(lParam)->wVKey));
        else if (change->hdr.code == LVN_BEGINLABELEDIT || change->hdr.code == LVN_ENDLABELEDIT)
            return LogLabelEdit(*reinterpret_cast<LPNMLVDISPINFO>(lParam), result);
        else
            return FALSE;
        *result = 0;
        return TRUE;
    }

private:
    BOOL LogLabelEdit(const NMLVDISPINFO& edit, LRESULT* result) {
        const bool begin = edit.hdr.code == LVN_BEGINLABELEDIT;
        Log(std::string(begin ? "begin " : "end ") + std::to_string(edit.item.iItem) + " " +
            (edit.item.pszText ? edit.item.pszText : "(none)") + " data " + std::to_string(edit.item.lParam));
        *result = begin ? m_beginAnswer : m_endAnswer;
        return TRUE;
    }
};

class ListCtrlTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_owner.CreatePopup(CRect(100, 100, 400, 300)));
        ShowActive(&m_owner);
    }
    // A report list of five rows under two columns; row i has data 10 + i.
    void MakeReport(DWORD style = 0) {
        ASSERT_TRUE(
            m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | style, CRect(10, 10, 290, 190), &m_owner, 9));
        EXPECT_EQ(m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 100), 0);
        EXPECT_EQ(m_list.InsertColumn(1, "Größe", LVCFMT_LEFT, 80), 1);
        for (int item = 0; item < 5; ++item) {
            ASSERT_EQ(m_list.InsertItem(item, ("Bild " + std::to_string(item)).c_str()), item);
            m_list.SetItemData(item, static_cast<DWORD_PTR>(10 + item));
        }
        m_log.clear();
    }
    CPoint RowPoint(int item) const {
        CRect row;
        EXPECT_TRUE(m_list.GetItemRect(item, &row, LVIR_LABEL));
        return row.CenterPoint();
    }
    std::vector<int> Selected() const {
        std::vector<int> items;
        for (int item = m_list.GetNextItem(-1, LVNI_SELECTED); item != -1;
             item = m_list.GetNextItem(item, LVNI_SELECTED))
            items.push_back(item);
        return items;
    }

    MessageLog m_log;
    ListOwner m_owner{&m_log, "owner"};
    CListCtrl m_list;
};

TEST_F(ListCtrlTest, ClicksWithCtrlAndShiftLeaveTheirSelection) {
    struct Click {
        int item;
        Qt::KeyboardModifiers keys;
    };
    struct Case {
        const char* name;
        DWORD style;
        std::vector<Click> clicks;
        std::vector<int> selected;
        int focused;
    };
    const Qt::KeyboardModifiers none;
    const Case cases[] = {
        {"a click selects one", 0, {{1, none}, {3, none}}, {3}, 3},
        {"Ctrl adds", 0, {{1, none}, {3, Qt::ControlModifier}}, {1, 3}, 3},
        {"Ctrl again removes", 0, {{1, none}, {3, Qt::ControlModifier}, {1, Qt::ControlModifier}}, {3}, 1},
        {"Shift selects the run", 0, {{3, none}, {1, Qt::ShiftModifier}}, {1, 2, 3}, 1},
        {"Shift runs from the last Ctrl-click",
         0,
         {{0, none}, {2, Qt::ControlModifier}, {4, Qt::ShiftModifier}},
         {2, 3, 4},
         4},
        {"a click beside the items clears", 0, {{1, none}, {-1, none}}, {}, 1},
        {"single selection ignores Ctrl", LVS_SINGLESEL, {{1, none}, {3, Qt::ControlModifier}}, {3}, 3},
        {"single selection ignores Shift", LVS_SINGLESEL, {{1, none}, {3, Qt::ShiftModifier}}, {3}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeReport(c.style);
        for (const Click& click : c.clicks)
            ClickAt(&m_list, click.item < 0 ? CPoint(150, 170) : RowPoint(click.item), Qt::LeftButton,
                    click.keys);
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(m_list.GetSelectedCount(), c.selected.size());
        EXPECT_EQ(m_list.GetNextItem(-1, LVNI_FOCUSED), c.focused);
        m_list.DestroyWindow();
    }
}

TEST_F(ListCtrlTest, TheParentHearsEveryStateChangeWithTheItemsData) {
    MakeReport();
    ClickAt(&m_list, RowPoint(1));
    ClickAt(&m_list, RowPoint(3), Qt::LeftButton, Qt::ControlModifier);
    ClickAt(&m_list, RowPoint(2), Qt::LeftButton, Qt::ShiftModifier);
    DoubleClickAt(&m_list, RowPoint(2));
    // 2 is LVIS_SELECTED, 1 LVIS_FOCUSED. An item's selection and focus change in one notice, the
    // clicked item's last.
    EXPECT_THAT(m_log, ElementsAre("owner changed 1 0>3 data 11", "owner changed 1 3>2 data 11",
                                   "owner changed 3 0>3 data 13", "owner changed 1 2>0 data 11",
                                   "owner changed 3 3>2 data 13", "owner changed 2 0>3 data 12",
                                   "owner changed 3 2>0 data 13", "owner dblclk"));
}

TEST_F(ListCtrlTest, ItemsKeepTheirTextsDataAndStates) {
    MakeReport();
    EXPECT_TRUE(m_list.SetItemText(2, 1, "12 KB"));
    EXPECT_STREQ(m_list.GetItemText(2, 0), "Bild 2");
    EXPECT_STREQ(m_list.GetItemText(2, 1), "12 KB");
    EXPECT_STREQ(m_list.GetItemText(3, 1), "");
    EXPECT_STREQ(m_list.GetItemText(7, 0), "");
    const std::string longText(600, 'x');
    EXPECT_TRUE(m_list.SetItemText(0, 0, longText.c_str()));
    EXPECT_EQ(std::string(m_list.GetItemText(0, 0).GetString()), longText);

    EXPECT_EQ(m_list.InsertItem(99, "Ende"), 5) << "an index beyond the end appends";
    EXPECT_EQ(m_list.InsertItem(0, "Anfang"), 0);
    EXPECT_EQ(m_list.GetItemData(3), 12u) << "items after an insertion move down";
    EXPECT_TRUE(m_list.SetItemState(3, LVIS_SELECTED | LVIS_DROPHILITED, LVIS_SELECTED | LVIS_DROPHILITED));
    EXPECT_EQ(m_list.GetItemState(3, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED);
    EXPECT_TRUE(m_list.DeleteItem(0));
    EXPECT_EQ(m_list.GetItemState(2, LVIS_DROPHILITED), LVIS_DROPHILITED);
    EXPECT_FALSE(m_list.DeleteItem(6));
    EXPECT_EQ(m_list.GetItemCount(), 6);
    EXPECT_TRUE(m_list.SetItemState(-1, 0, LVIS_SELECTED)) << "-1 stands for every item";
    EXPECT_EQ(m_list.GetSelectedCount(), 0u);
    EXPECT_TRUE(m_list.DeleteAllItems());
    EXPECT_EQ(m_list.GetItemCount(), 0);
    EXPECT_EQ(m_list.GetNextItem(-1, LVNI_ALL), -1);
}

TEST_F(ListCtrlTest, LabelEditsEndByReturnOrFocusAndAreCancelledByEscapeOrRefused) {
    struct Case {
        const char* name;
        Qt::Key key; // Key_unknown: the focus moves away
        LRESULT endAnswer;
        const char* label;
        const char* endLine;
    };
    const Case cases[] = {
        {"Return keeps", Qt::Key_Return, TRUE, "Neu", "owner end 1 Neu data 11"},
        {"the focus leaving keeps", Qt::Key_unknown, TRUE, "Neu", "owner end 1 Neu data 11"},
        {"the parent refuses the new label", Qt::Key_Return, FALSE, "Bild 1", "owner end 1 Neu data 11"},
        {"Escape cancels without a text", Qt::Key_Escape, TRUE, "Bild 1", "owner end 1 (none) data 11"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeReport(LVS_EDITLABELS);
        m_owner.m_endAnswer = c.endAnswer;
        CEdit* editor = m_list.EditLabel(1);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(m_list.GetEditControl(), editor);
        CString shown;
        editor->GetWindowText(shown);
        EXPECT_STREQ(shown, "Bild 1");
        editor->SetWindowText("Neu");
        if (c.key == Qt::Key_unknown)
            m_owner.SetFocus();
        else
            TypeKey(editor, c.key);
        PumpMessages();
        EXPECT_EQ(m_list.GetEditControl(), nullptr);
        EXPECT_STREQ(m_list.GetItemText(1, 0), c.label);
        EXPECT_THAT(m_log, ElementsAre("owner begin 1 Bild 1 data 11", c.endLine));
        m_list.DestroyWindow();
    }
}

// The editor's frame must leave the label's text whole: it is wider than the label, about the label's
// centre under an icon, from the label's left edge in a report.
TEST_F(ListCtrlTest, TheLabelEditorIsWiderThanItsLabel) {
    for (const DWORD view : {DWORD{LVS_ICON}, DWORD{LVS_REPORT}}) {
        SCOPED_TRACE(view);
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_EDITLABELS | view, CRect(10, 10, 290, 190),
                                  &m_owner, 9));
        if (view == LVS_REPORT) {
            EXPECT_EQ(m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 100), 0);
        }
        for (int item = 0; item < 3; ++item)
            ASSERT_EQ(m_list.InsertItem(item, "Neues Album"), item);
        CRect label;
        ASSERT_TRUE(m_list.GetItemRect(1, &label, LVIR_LABEL));
        CEdit* editor = m_list.EditLabel(1);
        ASSERT_NE(editor, nullptr);
        CRect area;
        editor->GetWindowRect(&area);
        m_list.ScreenToClient(&area);
        EXPECT_GE(area.Width(), label.Width() + 40);
        if (view == LVS_REPORT) {
            EXPECT_EQ(area.left, label.left);
        } else {
            EXPECT_LE(std::abs(area.CenterPoint().x - label.CenterPoint().x), 1);
        }
        m_list.DestroyWindow();
    }
}

TEST_F(ListCtrlTest, ARefusedLabelEditOpensNoEditor) {
    MakeReport(LVS_EDITLABELS);
    m_owner.m_beginAnswer = TRUE;
    EXPECT_EQ(m_list.EditLabel(2), nullptr);
    EXPECT_EQ(m_list.GetEditControl(), nullptr);
    EXPECT_EQ(m_list.EditLabel(9), nullptr);
    EXPECT_THAT(m_log, ElementsAre("owner begin 2 Bild 2 data 12"));
}

TEST_F(ListCtrlTest, ADragBeginsOnceThePointerLeavesThePressedItemsDragDistance) {
    MakeReport(LVS_SINGLESEL);
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        const CPoint start = RowPoint(2);
        PressAt(&m_list, start, button);
        MoveTo(&m_list, start + CPoint(2, 1));
        MoveTo(&m_list, start + CPoint(30, 0));
        MoveTo(&m_list, start + CPoint(60, 0));
        ReleaseAt(&m_list, start + CPoint(60, 0), button);
    }
    PressAt(&m_list, CPoint(150, 170));
    MoveTo(&m_list, CPoint(200, 170));
    ReleaseAt(&m_list, CPoint(200, 170));
    EXPECT_THAT(m_log, ElementsAre("owner changed 2 0>3 data 12", "owner begindrag 2 data 12",
                                   "owner beginrdrag 2 data 12", "owner changed 2 3>1 data 12"));
}

// Descending by data.
int ByDataDescending(LPARAM first, LPARAM second, LPARAM sortData) {
    EXPECT_EQ(sortData, 77);
    return static_cast<int>(second - first);
}

TEST_F(ListCtrlTest, SortingMovesTextsAndStatesWithTheirData) {
    MakeReport();
    m_list.SetItemText(1, 1, "zweite");
    m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_TRUE(m_list.SortItems(ByDataDescending, 77));
    for (int item = 0; item < 5; ++item)
        EXPECT_EQ(m_list.GetItemData(item), static_cast<DWORD_PTR>(14 - item));
    EXPECT_STREQ(m_list.GetItemText(3, 0), "Bild 1");
    EXPECT_STREQ(m_list.GetItemText(3, 1), "zweite");
    EXPECT_EQ(Selected(), std::vector<int>{3});
}

TEST_F(ListCtrlTest, ColoursPaintTheBackgroundAndTheLabelsAndKeysReachTheParent) {
    MakeReport();
    EXPECT_EQ(m_list.GetBkColor(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(m_list.GetTextBkColor(), CLR_NONE);
    m_list.SetBkColor(RGB(0, 0, 128));
    m_list.SetTextBkColor(RGB(200, 200, 0));
    EXPECT_EQ(m_list.GetTextBkColor(), RGB(200, 200, 0));
    PumpMessages();
    EXPECT_EQ(WindowPixel(&m_list, CPoint(200, 170)), RGB(0, 0, 128)) << "below the rows";
    EXPECT_EQ(WindowPixel(&m_list, RowPoint(2) + CPoint(40, 0)), RGB(200, 200, 0)) << "behind a label";

    m_list.SetFocus();
    TypeKey(&m_list, Qt::Key_Delete);
    EXPECT_THAT(m_log, ElementsAre("owner keydown 46"));
}

TEST_F(ListCtrlTest, IconsSitInCellsOfTheIconSpacingAndHitTestsFindTheirParts) {
    CImageList icons;
    ASSERT_TRUE(icons.Create(32, 32, ILC_COLOR24 | ILC_MASK, 1, 1));
    CBitmap red;
    const std::vector<BYTE> redBits(32 * 32 * 3, 0);
    ASSERT_TRUE(red.CreateBitmap(32, 32, 1, 24, redBits.data()));
    {
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        CBitmap* previous = memory.SelectObject(&red);
        memory.FillSolidRect(0, 0, 32, 32, RGB(255, 0, 0));
        memory.SelectObject(previous);
    }
    ASSERT_EQ(icons.Add(&red, CLR_NONE), 0);
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 160, 180), &m_owner, 9));
    EXPECT_EQ(m_list.SetImageList(&icons, LVSIL_NORMAL), nullptr);
    for (int item = 0; item < 3; ++item)
        m_list.InsertItem(item, "Bild", 0);
    // 160 pixels hold two cells of 75.
    CRect bounds;
    ASSERT_TRUE(m_list.GetItemRect(2, &bounds, LVIR_BOUNDS));
    EXPECT_EQ(bounds, CRect(0, 75, 75, 150));
    CRect icon;
    ASSERT_TRUE(m_list.GetItemRect(1, &icon, LVIR_ICON));
    EXPECT_EQ(icon, CRect(96, 2, 128, 34));
    PumpMessages();
    EXPECT_EQ(WindowPixel(&m_list, CPoint(110, 20)), RGB(255, 0, 0)) << "the picture shows";
    CRect label;
    ASSERT_TRUE(m_list.GetItemRect(1, &label, LVIR_LABEL));
    EXPECT_EQ(label.top, 36) << "two pixels below the picture";
    EXPECT_EQ(m_list.SetIconSpacing(50, 60), CSize(75, 75));
    ASSERT_TRUE(m_list.GetItemRect(2, &bounds, LVIR_BOUNDS));
    EXPECT_EQ(bounds, CRect(100, 0, 150, 60)) << "three cells of 50 in a row";
    EXPECT_EQ(m_list.SetIconSpacing(-1, -1), CSize(50, 60));
    ASSERT_TRUE(m_list.GetItemRect(2, &bounds, LVIR_BOUNDS));
    EXPECT_EQ(bounds, CRect(0, 75, 75, 150));

    struct Case {
        CPoint point;
        int item;
        UINT flags;
    };
    const Case cases[] = {
        {CPoint(100, 10), 1, LVHT_ONITEMICON},
        {CPoint(80, 40), 1, LVHT_ONITEMLABEL},
        {CPoint(80, 60), -1, LVHT_NOWHERE},
        {CPoint(150, 100), -1, LVHT_NOWHERE},
    };
    for (const Case& c : cases) {
        UINT flags = 0;
        EXPECT_EQ(m_list.HitTest(c.point, &flags), c.item) << c.point.x << "," << c.point.y;
        EXPECT_EQ(flags, c.flags) << c.point.x << "," << c.point.y;
    }
}

TEST_F(ListCtrlTest, SelectedRowsShowTheHighlightOnlyWhileFocusedUnlessShownAlways) {
    for (const DWORD style : {DWORD{0}, LVS_SHOWSELALWAYS}) {
        MakeReport(style);
        ClickAt(&m_list, RowPoint(1));
        PumpMessages();
        const CPoint probe = RowPoint(1) + CPoint(40, 0);
        EXPECT_EQ(WindowPixel(&m_list, probe), GetSysColor(COLOR_HIGHLIGHT));
        m_owner.SetFocus();
        PumpMessages();
        EXPECT_EQ(WindowPixel(&m_list, probe), GetSysColor(style ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        m_list.DestroyWindow();
    }
}

// The highlight belongs to the label: a selected row's other columns stay readable in the text colour.
TEST_F(ListCtrlTest, ASelectedRowsOtherColumnsKeepThePlainTextColour) {
    MakeReport();
    m_list.SetItemText(1, 1, "MMMMMMMM");
    ClickAt(&m_list, RowPoint(1));
    PumpMessages();
    CRect row;
    ASSERT_TRUE(m_list.GetItemRect(1, &row, LVIR_BOUNDS));
    int darkest = 255;
    for (int x = 104; x < 170; ++x)
        for (int y = row.top; y < row.bottom; ++y) {
            const COLORREF pixel = WindowPixel(&m_list, CPoint(x, y));
            darkest = std::min(darkest, (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel)) / 3);
        }
    EXPECT_LT(darkest, 80) << "the second column's text shows on the window colour";
}

} // namespace
