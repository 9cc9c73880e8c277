// Tree controls: the notifications that expansion, selection, deletion, label edits, clicks, keys and
// drags give the parent and their order; hit tests over the parts of a row; item fields, walks, sorting
// and scrolling; the colours the parent sets through custom draw, read from the pixels.

#include "platform/ui/TreeCtrl.h"

#include "platform/base/Module.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ScrollBar.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

constexpr COLORREF kCustomText = RGB(255, 0, 0);
constexpr COLORREF kCustomBackground = RGB(0, 0, 255);
constexpr LPARAM kCustomData = 42;

class TreeOwner : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;
    CTreeCtrl* m_tree = nullptr;
    LRESULT m_expandingAnswer = 0;
    LRESULT m_selChangingAnswer = 0;
    LRESULT m_beginAnswer = 0;
    LRESULT m_endAnswer = TRUE;
    // Inserts this child under an item without children while it is being expanded.
    const char* m_fillOnExpand = nullptr;
    // Takes the child count back while an item without children is being expanded.
    bool m_clearChildrenOnExpand = false;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        const auto* header = reinterpret_cast<LPNMHDR>(lParam);
        const auto* tree = reinterpret_cast<LPNMTREEVIEW>(lParam);
        *result = 0;
        switch (header->code) {
        case TVN_ITEMEXPANDING:
            return Expanding(*tree, result);
        case TVN_ITEMEXPANDED:
            Log("expanded " + Name(tree->itemNew.hItem) + " " + std::to_string(tree->action) + " " +
                ChildrenShown(tree->itemNew.hItem));
            return TRUE;
        case TVN_SELCHANGING:
        case TVN_SELCHANGED:
            Log(std::string(header->code == TVN_SELCHANGING ? "selchanging " : "selchanged ") +
                Name(tree->itemOld.hItem) + ">" + Name(tree->itemNew.hItem) + " by " +
                std::to_string(tree->action));
            *result = header->code == TVN_SELCHANGING ? m_selChangingAnswer : 0;
            return TRUE;
        case TVN_DELETEITEM:
            Log("delete " + Name(tree->itemOld.hItem) + " data " + std::to_string(tree->itemOld.lParam));
            return TRUE;
        case TVN_BEGINDRAG:
        case TVN_BEGINRDRAG:
            Log(std::string(header->code == TVN_BEGINDRAG ? "begindrag " : "beginrdrag ") +
                Name(tree->itemNew.hItem));
            return TRUE;
        case TVN_KEYDOWN:
            Log("keydown " + std::to_string(reinterpret_cast<LPNMTVKEYDOWN>(lParam)->wVKey));
            return TRUE;
        case TVN_BEGINLABELEDIT:
        case TVN_ENDLABELEDIT:
            return LabelEdit(*reinterpret_cast<LPNMTVDISPINFO>(lParam), result);
        case NM_CLICK:
        case NM_RCLICK:
        case NM_DBLCLK:
            Log(header->code == NM_CLICK ? "click" : header->code == NM_RCLICK ? "rclick" : "dblclk");
            return TRUE;
        case NM_CUSTOMDRAW:
            return CustomDraw(*reinterpret_cast<LPNMTVCUSTOMDRAW>(lParam), result);
        default:
            return FALSE;
        }
    }

private:
    std::string Name(HTREEITEM item) const {
        return item ? std::string(m_tree->GetItemText(item).GetString()) : "(none)";
    }
    // Whether the first child shows as the row after its parent.
    std::string ChildrenShown(HTREEITEM item) const {
        const HTREEITEM child = m_tree->GetChildItem(item);
        return child && m_tree->GetNextVisibleItem(item) == child ? "shown" : "hidden";
    }
    BOOL Expanding(const NMTREEVIEW& tree, LRESULT* result) {
        Log("expanding " + Name(tree.itemNew.hItem) + " " + std::to_string(tree.action) + " " +
            ChildrenShown(tree.itemNew.hItem));
        if (m_fillOnExpand && !m_tree->GetChildItem(tree.itemNew.hItem))
            m_tree->InsertItem(m_fillOnExpand, tree.itemNew.hItem);
        if (m_clearChildrenOnExpand) {
            TVITEM item{};
            item.mask = TVIF_CHILDREN | TVIF_HANDLE;
            item.hItem = tree.itemNew.hItem;
            m_tree->SetItem(&item);
        }
        *result = m_expandingAnswer;
        return TRUE;
    }
    BOOL LabelEdit(const NMTVDISPINFO& edit, LRESULT* result) {
        const bool begin = edit.hdr.code == TVN_BEGINLABELEDIT;
        Log(std::string(begin ? "begin " : "end ") + Name(edit.item.hItem) + " " +
            (edit.item.pszText ? edit.item.pszText : "(none)"));
        *result = begin ? m_beginAnswer : m_endAnswer;
        return TRUE;
    }
    BOOL CustomDraw(NMTVCUSTOMDRAW& draw, LRESULT* result) {
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
            *result = CDRF_NOTIFYITEMDRAW;
        } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw.nmcd.lItemlParam == kCustomData) {
            EXPECT_EQ(reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec), m_tree->GetRootItem());
            draw.clrText = kCustomText;
            draw.clrTextBk = kCustomBackground;
            *result = CDRF_NEWFONT;
        }
        return TRUE;
    }
};

// A picture list of one 16 x 16 green square.
void MakeIcons(CImageList* icons) {
    ASSERT_TRUE(icons->Create(16, 16, ILC_COLOR24, 1, 1));
    CBitmap green;
    const std::vector<BYTE> bits(16 * 16 * 3, 0);
    ASSERT_TRUE(green.CreateBitmap(16, 16, 1, 24, bits.data()));
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap* previous = memory.SelectObject(&green);
    memory.FillSolidRect(0, 0, 16, 16, RGB(0, 160, 0));
    memory.SelectObject(previous);
    ASSERT_EQ(icons->Add(&green, CLR_NONE), 0);
}

// Each channel within 48 of the other colour's.
bool Near(COLORREF color, COLORREF other) {
    const auto close = [](int a, int b) { return std::abs(a - b) <= 48; };
    return close(GetRValue(color), GetRValue(other)) && close(GetGValue(color), GetGValue(other)) &&
           close(GetBValue(color), GetBValue(other));
}

// A handle that names no item.
HTREEITEM Stale(HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(reinterpret_cast<std::uintptr_t>(item) + 1);
}

constexpr DWORD kFolderStyle =
    TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS;

class TreeCtrlTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_owner.m_tree = &m_tree;
        ASSERT_TRUE(m_owner.CreatePopup(CRect(100, 100, 400, 400)));
        ShowActive(&m_owner);
        MakeIcons(&m_icons);
    }
    // Bilder (data 1) > Urlaub (2) > Strand (3) > Düne (4); Urlaub > Berge (5); Bilder > Familie (6);
    // Bilder > Leer (7). Bilder is open; rows are 18 pixels high with the pictures.
    void MakeTree(DWORD style = kFolderStyle) {
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 260, 210), &m_owner, 7));
        m_tree.SetImageList(&m_icons, TVSIL_NORMAL);
        m_root = Insert("Bilder", 1, TVI_ROOT);
        m_holiday = Insert("Urlaub", 2, m_root);
        m_beach = Insert("Strand", 3, m_holiday);
        m_dune = Insert("Düne", 4, m_beach);
        m_mountains = Insert("Berge", 5, m_holiday);
        m_family = Insert("Familie", 6, m_root);
        m_empty = Insert("Leer", 7, m_root);
        ASSERT_TRUE(m_tree.Expand(m_root, TVE_EXPAND));
        m_log.clear();
    }
    HTREEITEM Insert(const char* text, LPARAM data, HTREEITEM parent) {
        const HTREEITEM item =
            m_tree.InsertItem(TVIF_TEXT | TVIF_PARAM, text, 0, 0, 0, 0, data, parent, TVI_LAST);
        EXPECT_NE(item, nullptr) << text;
        return item;
    }
    CPoint LabelPoint(HTREEITEM item) const {
        CRect label;
        EXPECT_TRUE(m_tree.GetItemRect(item, &label, TRUE));
        return label.CenterPoint();
    }
    // Inside the label left of its text, off the focus frame.
    CPoint PaddingPoint(HTREEITEM item) const {
        CRect label;
        EXPECT_TRUE(m_tree.GetItemRect(item, &label, TRUE));
        return CPoint(label.left + 1, label.CenterPoint().y);
    }
    // The centre of the button column left of the item's picture.
    CPoint ButtonPoint(HTREEITEM item) const {
        CRect label;
        EXPECT_TRUE(m_tree.GetItemRect(item, &label, TRUE));
        return CPoint(label.left - 17 - 10, label.CenterPoint().y);
    }
    std::vector<std::string> Children(HTREEITEM parent) const {
        std::vector<std::string> names;
        for (HTREEITEM item = m_tree.GetChildItem(parent); item; item = m_tree.GetNextSiblingItem(item))
            names.emplace_back(m_tree.GetItemText(item).GetString());
        return names;
    }

    MessageLog m_log;
    TreeOwner m_owner{&m_log, "owner"};
    CTreeCtrl m_tree;
    CImageList m_icons;

public:
    // Public so that tables of cases can name them.
    HTREEITEM m_root = nullptr;
    HTREEITEM m_holiday = nullptr;
    HTREEITEM m_beach = nullptr;
    HTREEITEM m_dune = nullptr;
    HTREEITEM m_mountains = nullptr;
    HTREEITEM m_family = nullptr;
    HTREEITEM m_empty = nullptr;
};

TEST_F(TreeCtrlTest, ExpandingIsAnnouncedBeforeTheChildrenShowAndMayBeRefused) {
    struct Case {
        const char* name;
        bool clickButton; // else Expand with the code
        UINT code;
        LRESULT answer;
        BOOL result;
        bool expanded;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"expand",
         false,
         TVE_EXPAND,
         0,
         TRUE,
         true,
         {"owner expanding Urlaub 2 hidden", "owner expanded Urlaub 2 shown"}},
        {"refused", false, TVE_EXPAND, TRUE, FALSE, false, {"owner expanding Urlaub 2 hidden"}},
        {"toggle opens",
         false,
         TVE_TOGGLE,
         0,
         TRUE,
         true,
         {"owner expanding Urlaub 2 hidden", "owner expanded Urlaub 2 shown"}},
        {"a click on the button",
         true,
         0,
         0,
         TRUE,
         true,
         {"owner expanding Urlaub 2 hidden", "owner expanded Urlaub 2 shown", "owner click"}},
        {"a refused click on the button",
         true,
         0,
         TRUE,
         TRUE,
         false,
         {"owner expanding Urlaub 2 hidden", "owner click"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeTree();
        m_owner.m_expandingAnswer = c.answer;
        if (c.clickButton)
            ClickAt(&m_tree, ButtonPoint(m_holiday));
        else
            EXPECT_EQ(m_tree.Expand(m_holiday, c.code), c.result);
        EXPECT_EQ(m_tree.GetItemState(m_holiday, TVIS_EXPANDED) != 0, c.expanded);
        EXPECT_EQ(m_tree.GetNextVisibleItem(m_holiday) == m_beach, c.expanded);
        EXPECT_THAT(m_log, ElementsAreArray(c.log));
        EXPECT_EQ(m_tree.GetSelectedItem(), nullptr) << "a button click selects nothing";
        m_tree.DestroyWindow();
        m_owner.m_expandingAnswer = 0;
    }
}

TEST_F(TreeCtrlTest, CollapsingAnnouncesItselfAndTakesTheSelectionOutOfTheClosedItems) {
    MakeTree();
    ASSERT_TRUE(m_tree.SelectItem(m_dune));
    EXPECT_EQ(m_tree.GetItemState(m_holiday, TVIS_EXPANDED), TVIS_EXPANDED) << "selecting opens the parents";
    m_log.clear();
    EXPECT_TRUE(m_tree.Expand(m_holiday, TVE_TOGGLE));
    EXPECT_THAT(m_log, ElementsAre("owner expanding Urlaub 1 shown", "owner selchanging Düne>Urlaub by 0",
                                   "owner selchanged Düne>Urlaub by 0", "owner expanded Urlaub 1 hidden"));
    EXPECT_FALSE(m_tree.Expand(m_family, TVE_EXPAND)) << "no children, no expansion";
    EXPECT_TRUE(m_tree.Expand(m_family, TVE_COLLAPSE)) << "already closed";
    EXPECT_EQ(m_log.size(), 4u);
}

TEST_F(TreeCtrlTest, DeletingAnItemReportsEveryDescendantBeforeIt) {
    struct Case {
        const char* name;
        HTREEITEM TreeCtrlTest::*item;
        std::vector<std::string> log;
        UINT count;
    };
    const Case cases[] = {
        {"a leaf", &TreeCtrlTest::m_family, {"owner delete Familie data 6"}, 6},
        {"a subtree",
         &TreeCtrlTest::m_holiday,
         {"owner delete Düne data 4", "owner delete Strand data 3", "owner delete Berge data 5",
          "owner delete Urlaub data 2"},
         3},
        {"every item",
         nullptr,
         {"owner delete Düne data 4", "owner delete Strand data 3", "owner delete Berge data 5",
          "owner delete Urlaub data 2", "owner delete Familie data 6", "owner delete Leer data 7",
          "owner delete Bilder data 1"},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeTree();
        const HTREEITEM item = c.item ? this->*c.item : TVI_ROOT;
        EXPECT_TRUE(m_tree.DeleteItem(item));
        EXPECT_THAT(m_log, ElementsAreArray(c.log));
        EXPECT_EQ(m_tree.GetCount(), c.count);
        EXPECT_EQ(m_tree.GetItemText(item), "") << "the handle is gone";
        EXPECT_FALSE(m_tree.DeleteItem(c.item ? item : m_root)) << "a stale handle is refused";
        m_tree.DestroyWindow();
    }
}

TEST_F(TreeCtrlTest, DeletingTheSelectedItemSelectsItsNeighbourAndDestroyingReportsTheRest) {
    MakeTree();
    ASSERT_TRUE(m_tree.SelectItem(m_dune));
    m_log.clear();
    EXPECT_TRUE(m_tree.DeleteItem(m_holiday));
    EXPECT_EQ(m_tree.GetSelectedItem(), m_family);
    EXPECT_THAT(m_log,
                ElementsAre("owner delete Düne data 4", "owner delete Strand data 3",
                            "owner delete Berge data 5", "owner delete Urlaub data 2",
                            "owner selchanging (none)>Familie by 0", "owner selchanged (none)>Familie by 0"));
    m_log.clear();
    m_tree.DestroyWindow();
    EXPECT_THAT(m_log, ElementsAre("owner delete Familie data 6", "owner delete Leer data 7",
                                   "owner delete Bilder data 1"));
}

TEST_F(TreeCtrlTest, ClicksAndKeysSelectWithTheirActionCodes) {
    MakeTree();
    m_tree.Expand(m_holiday, TVE_EXPAND);
    m_log.clear();
    struct Step {
        const char* name;
        std::function<void()> input;
        HTREEITEM TreeCtrlTest::*selected;
        std::vector<std::string> log;
    };
    const auto key = [this](Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        return [this, k, modifiers] { TypeKey(&m_tree, k, modifiers); };
    };
    const Step steps[] = {
        {"click on a label",
         [this] { ClickAt(&m_tree, LabelPoint(m_family)); },
         &TreeCtrlTest::m_family,
         {"owner selchanging (none)>Familie by 1", "owner selchanged (none)>Familie by 1", "owner click"}},
        {"Up",
         key(Qt::Key_Up),
         &TreeCtrlTest::m_mountains,
         {"owner keydown 38", "owner selchanging Familie>Berge by 2", "owner selchanged Familie>Berge by 2"}},
        {"Home",
         key(Qt::Key_Home),
         &TreeCtrlTest::m_root,
         {"owner keydown 36", "owner selchanging Berge>Bilder by 2", "owner selchanged Berge>Bilder by 2"}},
        {"Home again changes nothing", key(Qt::Key_Home), &TreeCtrlTest::m_root, {"owner keydown 36"}},
        {"Down",
         key(Qt::Key_Down),
         &TreeCtrlTest::m_holiday,
         {"owner keydown 40", "owner selchanging Bilder>Urlaub by 2", "owner selchanged Bilder>Urlaub by 2"}},
        {"Right goes to the first child of an open item",
         key(Qt::Key_Right),
         &TreeCtrlTest::m_beach,
         {"owner keydown 39", "owner selchanging Urlaub>Strand by 2", "owner selchanged Urlaub>Strand by 2"}},
        {"Right opens a closed item",
         key(Qt::Key_Right),
         &TreeCtrlTest::m_beach,
         {"owner keydown 39", "owner expanding Strand 2 hidden", "owner expanded Strand 2 shown"}},
        {"keypad minus closes",
         key(Qt::Key_Minus, Qt::KeypadModifier),
         &TreeCtrlTest::m_beach,
         {"owner keydown 109", "owner expanding Strand 1 shown", "owner expanded Strand 1 hidden"}},
        {"Left goes to the parent of a closed item",
         key(Qt::Key_Left),
         &TreeCtrlTest::m_holiday,
         {"owner keydown 37", "owner selchanging Strand>Urlaub by 2", "owner selchanged Strand>Urlaub by 2"}},
        {"End",
         key(Qt::Key_End),
         &TreeCtrlTest::m_empty,
         {"owner keydown 35", "owner selchanging Urlaub>Leer by 2", "owner selchanged Urlaub>Leer by 2"}},
        {"SelectItem",
         [this] { m_tree.SelectItem(m_dune); },
         &TreeCtrlTest::m_dune,
         {"owner selchanging Leer>Düne by 0", "owner expanding Strand 2 hidden",
          "owner expanded Strand 2 shown", "owner selchanged Leer>Düne by 0"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        m_log.clear();
        step.input();
        EXPECT_EQ(m_tree.GetSelectedItem(), this->*step.selected);
        EXPECT_EQ(m_tree.GetItemState(this->*step.selected, TVIS_SELECTED), TVIS_SELECTED);
        EXPECT_THAT(m_log, ElementsAreArray(step.log));
    }
}

TEST_F(TreeCtrlTest, ARefusedSelectionChangeKeepsTheOldOne) {
    MakeTree();
    m_tree.SelectItem(m_family);
    m_owner.m_selChangingAnswer = TRUE;
    m_log.clear();
    ClickAt(&m_tree, LabelPoint(m_root));
    EXPECT_EQ(m_tree.GetSelectedItem(), m_family);
    EXPECT_EQ(m_tree.GetItemState(m_root, TVIS_SELECTED), 0u);
    EXPECT_THAT(m_log, ElementsAre("owner selchanging Familie>Bilder by 1", "owner click"));
}

TEST_F(TreeCtrlTest, HitTestsNameThePartOfTheRowUnderThePoint) {
    MakeTree();
    // Rows of 18 pixels; Bilder's column starts at 19 (lines at the root), its children's at 38; the
    // pictures are 16 wide and the label starts one pixel after.
    CRect label;
    ASSERT_TRUE(m_tree.GetItemRect(m_holiday, &label, TRUE));
    EXPECT_EQ(label.left, 38 + 16 + 1);
    EXPECT_EQ(label.top, 18);
    EXPECT_EQ(label.bottom, 36);
    CRect row;
    ASSERT_TRUE(m_tree.GetItemRect(m_holiday, &row, FALSE));
    EXPECT_EQ(row, CRect(0, 18, 250, 36));
    EXPECT_FALSE(m_tree.GetItemRect(m_beach, &row, FALSE)) << "inside a closed item";

    struct Case {
        CPoint point;
        HTREEITEM TreeCtrlTest::*item;
        UINT flags;
    };
    const Case cases[] = {
        {CPoint(9, 9), &TreeCtrlTest::m_root, TVHT_ONITEMBUTTON},
        {CPoint(25, 9), &TreeCtrlTest::m_root, TVHT_ONITEMICON},
        {CPoint(label.left + 3, 9), &TreeCtrlTest::m_root, TVHT_ONITEMLABEL},
        {CPoint(240, 9), &TreeCtrlTest::m_root, TVHT_ONITEMRIGHT},
        {CPoint(5, 27), &TreeCtrlTest::m_holiday, TVHT_ONITEMINDENT},
        {CPoint(28, 27), &TreeCtrlTest::m_holiday, TVHT_ONITEMBUTTON},
        {CPoint(45, 27), &TreeCtrlTest::m_holiday, TVHT_ONITEMICON},
        {CPoint(label.left + 2, 27), &TreeCtrlTest::m_holiday, TVHT_ONITEMLABEL},
        {CPoint(28, 45), &TreeCtrlTest::m_family, TVHT_ONITEMINDENT}, // no children: no button
        {CPoint(50, 150), nullptr, TVHT_NOWHERE},
        {CPoint(-5, 10), nullptr, TVHT_TOLEFT},
        {CPoint(10, -5), nullptr, TVHT_ABOVE},
        {CPoint(300, 500), nullptr, TVHT_TORIGHT | TVHT_BELOW},
    };
    for (const Case& c : cases) {
        UINT flags = 0;
        const HTREEITEM expected = c.item ? this->*c.item : nullptr;
        EXPECT_EQ(m_tree.HitTest(c.point, &flags), expected) << c.point.x << "," << c.point.y;
        EXPECT_EQ(flags, c.flags) << c.point.x << "," << c.point.y;
    }
}

TEST_F(TreeCtrlTest, AChildCountGivenLaterShowsTheButtonAndTheParentFillsTheItemAsItOpens) {
    MakeTree();
    const CPoint button = ButtonPoint(m_empty);
    // The top left corner of the button's box, off the dotted lines.
    const CPoint corner(button.x - 4, button.y - 4);
    UINT flags = 0;
    EXPECT_EQ(m_tree.HitTest(button, &flags), m_empty);
    EXPECT_EQ(flags, TVHT_ONITEMINDENT);
    EXPECT_EQ(WindowPixel(&m_tree, corner), GetSysColor(COLOR_WINDOW));
    EXPECT_FALSE(m_tree.ItemHasChildren(m_empty));

    TVITEM item{};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = m_empty;
    item.cChildren = 1;
    ASSERT_TRUE(m_tree.SetItem(&item));
    EXPECT_TRUE(m_tree.ItemHasChildren(m_empty));
    EXPECT_EQ(m_tree.HitTest(button, &flags), m_empty);
    EXPECT_EQ(flags, TVHT_ONITEMBUTTON);
    EXPECT_EQ(WindowPixel(&m_tree, corner), GetSysColor(COLOR_3DSHADOW));

    m_owner.m_fillOnExpand = "Neu";
    ClickAt(&m_tree, button);
    const HTREEITEM added = m_tree.GetChildItem(m_empty);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(m_tree.GetNextVisibleItem(m_empty), added);
    EXPECT_THAT(m_log,
                ElementsAre("owner expanding Leer 2 hidden", "owner expanded Leer 2 shown", "owner click"));

    m_owner.m_fillOnExpand = nullptr;
    EXPECT_TRUE(m_tree.DeleteItem(added));
    item.cChildren = 0;
    ASSERT_TRUE(m_tree.SetItem(&item));
    EXPECT_EQ(m_tree.GetItemState(m_empty, TVIS_EXPANDED), 0u) << "the last child took the expansion along";
    EXPECT_EQ(WindowPixel(&m_tree, corner), GetSysColor(COLOR_WINDOW));

    item.cChildren = 1;
    ASSERT_TRUE(m_tree.SetItem(&item));
    m_owner.m_clearChildrenOnExpand = true;
    m_log.clear();
    EXPECT_FALSE(m_tree.Expand(m_empty, TVE_EXPAND));
    EXPECT_EQ(m_tree.GetItemState(m_empty, TVIS_EXPANDED), 0u) << "no children found: the item stays closed";
    EXPECT_THAT(m_log, ElementsAre("owner expanding Leer 2 hidden"));
    EXPECT_EQ(WindowPixel(&m_tree, corner), GetSysColor(COLOR_WINDOW));
}

TEST_F(TreeCtrlTest, StateImagesAndOverlaysShowBesideAndOverThePicture) {
    // Pictures 16 wide: 0 green, 1 magenta (transparent) on the left and red on the right, 2 blue.
    CBitmap strip;
    const std::vector<BYTE> bits(48 * 16 * 3, 0);
    ASSERT_TRUE(strip.CreateBitmap(48, 16, 1, 24, bits.data()));
    {
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        CBitmap* previous = memory.SelectObject(&strip);
        memory.FillSolidRect(0, 0, 16, 16, RGB(0, 160, 0));
        memory.FillSolidRect(16, 0, 8, 16, RGB(255, 0, 255));
        memory.FillSolidRect(24, 0, 8, 16, RGB(255, 0, 0));
        memory.FillSolidRect(32, 0, 16, 16, RGB(0, 0, 255));
        memory.SelectObject(previous);
    }
    CImageList pictures;
    ASSERT_TRUE(pictures.Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 1));
    ASSERT_EQ(pictures.Add(&strip, RGB(255, 0, 255)), 0);
    ASSERT_TRUE(pictures.SetOverlayImage(1, 1));
    ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 100), &m_owner, 7));
    m_tree.SetImageList(&pictures, TVSIL_NORMAL);
    EXPECT_EQ(m_tree.SetImageList(&pictures, TVSIL_STATE), nullptr);
    EXPECT_EQ(m_tree.GetImageList(TVSIL_STATE), &pictures);
    const HTREEITEM item = m_tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_STATE, "Ordner", 0, 0,
                                             INDEXTOSTATEIMAGEMASK(2) | INDEXTOOVERLAYMASK(1),
                                             TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK, 0, TVI_ROOT, TVI_LAST);
    ASSERT_NE(item, nullptr);
    // The state picture at 0, the picture at 16, the label one pixel after.
    struct Case {
        CPoint point;
        UINT flags;
        COLORREF color;
    };
    const Case cases[] = {
        {CPoint(4, 9), TVHT_ONITEMSTATEICON, RGB(0, 0, 255)},
        {CPoint(18, 9), TVHT_ONITEMICON, RGB(0, 160, 0)},
        {CPoint(28, 9), TVHT_ONITEMICON, RGB(255, 0, 0)},
    };
    for (const Case& c : cases) {
        UINT flags = 0;
        EXPECT_EQ(m_tree.HitTest(c.point, &flags), item) << c.point.x;
        EXPECT_EQ(flags, c.flags) << c.point.x;
        EXPECT_EQ(WindowPixel(&m_tree, c.point), c.color) << c.point.x;
    }
    CRect label;
    ASSERT_TRUE(m_tree.GetItemRect(item, &label, TRUE));
    EXPECT_EQ(label.left, 33);
}

TEST_F(TreeCtrlTest, ThePartingParentHearsOfEveryItem) {
    MakeTree();
    m_owner.DestroyWindow();
    EXPECT_THAT(m_log, testing::Contains("owner delete Bilder data 1"));
    EXPECT_EQ(std::count_if(m_log.begin(), m_log.end(),
                            [](const std::string& line) { return line.rfind("owner delete ", 0) == 0; }),
              7);
}

TEST_F(TreeCtrlTest, LabelEditsAreRefusedCancelledOrKept) {
    struct Case {
        const char* name;
        Qt::Key key; // Key_unknown: the focus moves away
        LRESULT endAnswer;
        const char* label;
        const char* endLine;
    };
    const Case cases[] = {
        {"Return keeps", Qt::Key_Return, TRUE, "Ferien", "owner end Urlaub Ferien"},
        {"the focus leaving keeps", Qt::Key_unknown, TRUE, "Ferien", "owner end Urlaub Ferien"},
        {"the parent refuses the new label", Qt::Key_Return, FALSE, "Urlaub", "owner end Urlaub Ferien"},
        {"Escape cancels without a text", Qt::Key_Escape, TRUE, "Urlaub", "owner end Urlaub (none)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeTree();
        m_tree.SelectItem(m_holiday);
        m_tree.SetFocus();
        m_log.clear();
        m_owner.m_endAnswer = c.endAnswer;
        TypeKey(&m_tree, Qt::Key_F2);
        CEdit* editor = m_tree.GetEditControl();
        ASSERT_NE(editor, nullptr);
        CString shown;
        editor->GetWindowText(shown);
        EXPECT_STREQ(shown, "Urlaub");
        editor->SetWindowText("Ferien");
        if (c.key == Qt::Key_unknown)
            m_owner.SetFocus();
        else
            TypeKey(editor, c.key);
        PumpMessages();
        EXPECT_EQ(m_tree.GetEditControl(), nullptr);
        EXPECT_STREQ(m_tree.GetItemText(m_holiday), c.label);
        EXPECT_THAT(m_log, ElementsAre("owner keydown 113", "owner begin Urlaub Urlaub", c.endLine));
        m_tree.DestroyWindow();
    }
}

TEST_F(TreeCtrlTest, ARefusedLabelEditOpensNoEditorAndF2NeedsTheStyle) {
    MakeTree();
    m_owner.m_beginAnswer = TRUE;
    EXPECT_EQ(m_tree.EditLabel(m_family), nullptr);
    EXPECT_EQ(m_tree.GetEditControl(), nullptr);
    EXPECT_EQ(m_tree.GetSelectedItem(), m_family) << "editing selects";
    EXPECT_THAT(m_log, ElementsAre("owner selchanging (none)>Familie by 0",
                                   "owner selchanged (none)>Familie by 0", "owner begin Familie Familie"));
    m_tree.DestroyWindow();

    MakeTree(TVS_HASBUTTONS);
    m_tree.SelectItem(m_root);
    m_tree.SetFocus();
    m_log.clear();
    TypeKey(&m_tree, Qt::Key_F2);
    EXPECT_EQ(m_tree.GetEditControl(), nullptr);
    EXPECT_THAT(m_log, ElementsAre("owner keydown 113"));
}

TEST_F(TreeCtrlTest, AnEditEndsWhenItsLabelHidesOrScrollsAway) {
    MakeTree();
    for (const bool collapse : {true, false}) {
        SCOPED_TRACE(collapse ? "collapse" : "scroll");
        CEdit* editor = m_tree.EditLabel(m_beach);
        ASSERT_NE(editor, nullptr);
        editor->SetWindowText(collapse ? "Meer" : "Küste");
        m_log.clear();
        if (collapse) {
            m_tree.Expand(m_holiday, TVE_COLLAPSE);
        } else {
            for (int i = 0; i < 20; ++i)
                m_tree.InsertItem("Ordner", m_family);
            m_tree.Expand(m_family, TVE_EXPAND);
            m_log.clear();
            m_tree.SendMessage(WM_VSCROLL, SB_BOTTOM);
        }
        EXPECT_EQ(m_tree.GetEditControl(), nullptr);
        EXPECT_STREQ(m_tree.GetItemText(m_beach), collapse ? "Meer" : "Küste");
        EXPECT_EQ(m_log.front(), collapse ? "owner expanding Urlaub 1 shown" : "owner end Meer Küste");
        m_tree.SendMessage(WM_VSCROLL, SB_TOP);
    }
}

TEST_F(TreeCtrlTest, CustomDrawColoursTheTextOfTheItemsTheParentChooses) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT);
    m_tree.SetItemData(m_root, kCustomData);
    PumpMessages();
    // Counts the pixels of an item's label close to a colour: the glyphs' edges are smoothed.
    const auto count = [this](HTREEITEM item, COLORREF color) {
        CRect label;
        EXPECT_TRUE(m_tree.GetItemRect(item, &label, TRUE));
        m_tree.UpdateWindow();
        CDC* dc = m_tree.GetDC();
        int found = 0;
        for (int y = label.top; y < label.bottom; ++y) {
            for (int x = label.left; x < label.right; ++x) {
                found += Near(dc->GetPixel(x, y), color);
            }
        }
        m_tree.ReleaseDC(dc);
        return found;
    };
    EXPECT_GT(count(m_root, kCustomText), 5);
    EXPECT_EQ(count(m_root, GetSysColor(COLOR_WINDOWTEXT)), 0);
    EXPECT_EQ(WindowPixel(&m_tree, PaddingPoint(m_root)), kCustomBackground);
    EXPECT_EQ(count(m_family, kCustomText), 0);
    EXPECT_GT(count(m_family, GetSysColor(COLOR_WINDOWTEXT)), 5);
}

TEST_F(TreeCtrlTest, HighlightsShowTheSelectionWhileFocusedOrAlwaysAndTheDropTargetAboveIt) {
    for (const DWORD style : {DWORD{TVS_HASBUTTONS}, TVS_HASBUTTONS | TVS_SHOWSELALWAYS}) {
        MakeTree(style);
        ClickAt(&m_tree, LabelPoint(m_family));
        const CPoint probe = PaddingPoint(m_family);
        EXPECT_EQ(WindowPixel(&m_tree, probe), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_TRUE(m_tree.SelectDropTarget(m_holiday));
        EXPECT_EQ(m_tree.GetDropHilightItem(), m_holiday);
        EXPECT_EQ(m_tree.GetItemState(m_holiday, TVIS_DROPHILITED), TVIS_DROPHILITED);
        EXPECT_EQ(WindowPixel(&m_tree, PaddingPoint(m_holiday)), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(WindowPixel(&m_tree, probe), GetSysColor(COLOR_3DFACE))
            << "the drop target takes the highlight, the selection shows in the face colour";
        EXPECT_TRUE(m_tree.SetItemState(m_holiday, 0, TVIS_DROPHILITED));
        EXPECT_EQ(m_tree.GetDropHilightItem(), nullptr);
        m_owner.SetFocus();
        EXPECT_EQ(WindowPixel(&m_tree, probe),
                  GetSysColor(style & TVS_SHOWSELALWAYS ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        m_tree.DestroyWindow();
    }
}

TEST_F(TreeCtrlTest, ItemsKeepTheirFieldsAndTheWalkFollowsTheTree) {
    MakeTree();
    m_tree.Expand(m_holiday, TVE_EXPAND);
    struct Case {
        HTREEITEM TreeCtrlTest::*from;
        UINT code;
        HTREEITEM TreeCtrlTest::*to;
    };
    const Case cases[] = {
        {nullptr, TVGN_ROOT, &TreeCtrlTest::m_root},
        {&TreeCtrlTest::m_root, TVGN_CHILD, &TreeCtrlTest::m_holiday},
        {&TreeCtrlTest::m_holiday, TVGN_NEXT, &TreeCtrlTest::m_family},
        {&TreeCtrlTest::m_family, TVGN_PREVIOUS, &TreeCtrlTest::m_holiday},
        {&TreeCtrlTest::m_holiday, TVGN_PREVIOUS, nullptr},
        {&TreeCtrlTest::m_mountains, TVGN_PARENT, &TreeCtrlTest::m_holiday},
        {&TreeCtrlTest::m_root, TVGN_PARENT, nullptr},
        {&TreeCtrlTest::m_mountains, TVGN_NEXTVISIBLE, &TreeCtrlTest::m_family},
        {&TreeCtrlTest::m_beach, TVGN_NEXTVISIBLE, &TreeCtrlTest::m_mountains}, // Strand is closed
        {&TreeCtrlTest::m_family, TVGN_PREVIOUSVISIBLE, &TreeCtrlTest::m_mountains},
        {&TreeCtrlTest::m_dune, TVGN_NEXTVISIBLE, nullptr},
        {nullptr, TVGN_FIRSTVISIBLE, &TreeCtrlTest::m_root},
        {nullptr, TVGN_LASTVISIBLE, &TreeCtrlTest::m_empty},
    };
    for (const Case& c : cases) {
        const HTREEITEM from = c.from ? this->*c.from : nullptr;
        const HTREEITEM to = c.to ? this->*c.to : nullptr;
        EXPECT_EQ(m_tree.GetNextItem(from, c.code), to) << "code " << c.code;
    }
    EXPECT_EQ(m_tree.GetParentItem(m_holiday), m_root);
    EXPECT_EQ(m_tree.GetPrevSiblingItem(m_empty), m_family);

    EXPECT_EQ(m_tree.GetItemData(m_beach), 3u);
    EXPECT_TRUE(m_tree.SetItemData(m_beach, 30));
    EXPECT_EQ(m_tree.GetItemData(m_beach), 30u);
    EXPECT_TRUE(m_tree.SetItemText(m_beach, "Meer"));
    EXPECT_STREQ(m_tree.GetItemText(m_beach), "Meer");
    EXPECT_TRUE(m_tree.SetItemImage(m_beach, 3, 4));
    int image = 0;
    int selected = 0;
    EXPECT_TRUE(m_tree.GetItemImage(m_beach, image, selected));
    EXPECT_EQ(std::pair(image, selected), std::pair(3, 4));
    EXPECT_TRUE(m_tree.SetItemState(m_beach, INDEXTOOVERLAYMASK(2), TVIS_OVERLAYMASK));
    EXPECT_EQ(m_tree.GetItemState(m_beach, TVIS_OVERLAYMASK), INDEXTOOVERLAYMASK(2));
    EXPECT_EQ(m_tree.GetItemState(m_beach, TVIS_EXPANDED | TVIS_SELECTED), 0u);

    const HTREEITEM first = m_tree.InsertItem("Anfang", m_root, TVI_FIRST);
    const HTREEITEM after = m_tree.InsertItem("Danach", m_root, m_holiday);
    EXPECT_EQ(m_tree.InsertItem("Falsch", m_root, m_dune), nullptr) << "after an item of another parent";
    EXPECT_EQ(m_tree.InsertItem("Falsch", Stale(first)), nullptr);
    EXPECT_NE(first, nullptr);
    EXPECT_NE(after, nullptr);
    EXPECT_THAT(Children(m_root), ElementsAre("Anfang", "Urlaub", "Danach", "Familie", "Leer"));
    EXPECT_EQ(m_tree.GetCount(), 9u);
    EXPECT_EQ(m_tree.GetVisibleCount(), 11u) << "200 pixels of 18-pixel rows";
}

int ByDataDescending(LPARAM first, LPARAM second, LPARAM sortData) {
    EXPECT_EQ(sortData, 77);
    return static_cast<int>(second - first);
}

TEST_F(TreeCtrlTest, SortingOrdersChildrenByTheCallbackOrByLabel) {
    MakeTree();
    TVSORTCB sort{m_root, ByDataDescending, 77};
    ASSERT_TRUE(m_tree.SortChildrenCB(&sort));
    EXPECT_THAT(Children(m_root), ElementsAre("Leer", "Familie", "Urlaub"));
    EXPECT_THAT(Children(m_holiday), ElementsAre("Strand", "Berge")) << "grandchildren stay";
    EXPECT_EQ(m_tree.GetChildItem(m_holiday), m_beach) << "handles stay";

    ASSERT_TRUE(m_tree.SortChildren(m_root));
    EXPECT_THAT(Children(m_root), ElementsAre("Familie", "Leer", "Urlaub"));
    m_tree.InsertItem("album", m_root, TVI_SORT);
    m_tree.InsertItem("Zoo", m_root, TVI_SORT);
    m_tree.InsertItem("Mitte", m_root, TVI_SORT);
    EXPECT_THAT(Children(m_root), ElementsAre("album", "Familie", "Leer", "Mitte", "Urlaub", "Zoo"));
    ASSERT_TRUE(m_tree.SortChildren(TVI_ROOT, TRUE));
    EXPECT_THAT(Children(m_holiday), ElementsAre("Berge", "Strand")) << "recursive";
    sort.hParent = Stale(m_dune);
    EXPECT_FALSE(m_tree.SortChildrenCB(&sort));
}

TEST_F(TreeCtrlTest, TheFirstRowShownFollowsEnsureVisibleKeysWheelAndScrollRequests) {
    ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 90), &m_owner, 7));
    std::vector<HTREEITEM> items;
    for (int i = 0; i < 30; ++i)
        items.push_back(m_tree.InsertItem(("Ordner " + std::to_string(i)).c_str()));
    // Five rows of 18 pixels.
    ASSERT_EQ(m_tree.GetVisibleCount(), 5u);
    EXPECT_EQ(m_tree.GetFirstVisibleItem(), items[0]);
    EXPECT_TRUE(m_tree.EnsureVisible(items[20]));
    EXPECT_EQ(m_tree.GetFirstVisibleItem(), items[16]);
    EXPECT_EQ(m_tree.HitTest(CPoint(30, 80)), items[20]) << "the last row shown";
    EXPECT_TRUE(m_tree.EnsureVisible(items[10]));
    EXPECT_EQ(m_tree.GetFirstVisibleItem(), items[10]);

    struct Step {
        const char* name;
        std::function<void()> input;
        int first;
    };
    const Step steps[] = {
        {"wheel down",
         [this] { m_tree.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA))); }, 13},
        {"wheel up", [this] { m_tree.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA)); }, 10},
        {"line down", [this] { m_tree.SendMessage(WM_VSCROLL, SB_LINEDOWN); }, 11},
        {"page up", [this] { m_tree.SendMessage(WM_VSCROLL, SB_PAGEUP); }, 6},
        {"thumb", [this] { m_tree.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40)); }, 25},
        {"top", [this] { m_tree.SendMessage(WM_VSCROLL, SB_TOP); }, 0},
        {"End selects and shows the last", [this] { TypeKey(&m_tree, Qt::Key_End); }, 25},
        {"Page Up", [this] { TypeKey(&m_tree, Qt::Key_PageUp); }, 25},
        {"Page Up again", [this] { TypeKey(&m_tree, Qt::Key_PageUp); }, 21},
        {"SelectSetFirstVisible", [this, &items] { m_tree.SelectSetFirstVisible(items[3]); }, 3},
        {"an item inserted above keeps the first shown",
         [this] { m_tree.InsertItem("Neu", TVI_ROOT, TVI_FIRST); }, 3},
        {"the first shown deleted: its next sibling takes its place",
         [this, &items] { m_tree.DeleteItem(items[3]); }, 4},
    };
    m_tree.SetFocus();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.input();
        EXPECT_EQ(m_tree.GetFirstVisibleItem(), items[static_cast<size_t>(step.first)]);
    }
    EXPECT_EQ(m_tree.GetSelectedItem(), items[21]);
    // The bar shows the rows: "Neu", items 0 to 2, then items 4 to 29 from row 4 on.
    PumpMessages();
    SCROLLINFO bar{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(m_tree.GetScrollInfo(SB_VERT, &bar));
    EXPECT_EQ(bar.nMax, 29);
    EXPECT_EQ(bar.nPage, 5u);
    EXPECT_EQ(bar.nPos, 4);
    m_tree.DeleteItem(TVI_ROOT);
    EXPECT_EQ(m_tree.GetFirstVisibleItem(), nullptr);
}

TEST_F(TreeCtrlTest, DragsRightClicksAndDoubleClicksReachTheParent) {
    for (const DWORD style : {kFolderStyle, kFolderStyle | TVS_DISABLEDRAGDROP}) {
        MakeTree(style);
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            const CPoint start = LabelPoint(m_family);
            PressAt(&m_tree, start, button);
            MoveTo(&m_tree, start + CPoint(2, 1));
            MoveTo(&m_tree, start + CPoint(30, 0));
            ReleaseAt(&m_tree, start + CPoint(30, 0), button);
        }
        const std::vector<std::string> drags = {"owner begindrag Familie", "owner beginrdrag Familie"};
        std::vector<std::string> expected = {"owner selchanging (none)>Familie by 1",
                                             "owner selchanged (none)>Familie by 1"};
        if (!(style & TVS_DISABLEDRAGDROP))
            expected.push_back(drags[0]);
        expected.push_back("owner click");
        if (!(style & TVS_DISABLEDRAGDROP))
            expected.push_back(drags[1]);
        expected.push_back("owner rclick");
        EXPECT_THAT(m_log, ElementsAreArray(expected));
        m_log.clear();
        DoubleClickAt(&m_tree, LabelPoint(m_holiday));
        EXPECT_EQ(m_tree.GetItemState(m_holiday, TVIS_EXPANDED), TVIS_EXPANDED) << "a double click opens";
        m_tree.DestroyWindow();
    }
}

class TreeDialog : public CDialog {
public:
    explicit TreeDialog(CWnd* parent) : CDialog(547, parent) {}
    CTreeCtrl m_tree;

protected:
    void DoDataExchange(CDataExchange* exchange) override { DDX_Control(exchange, 1001, m_tree); }
};

TEST_F(TreeCtrlTest, ADialogTemplateMakesTheTreeWithItsStyles) {
    const HMODULE module = LoadLibrary(VC_UI_TEST_MODULE);
    ASSERT_NE(module, nullptr);
    AfxSetResourceHandle(module);
    {
        TreeDialog dialog(&m_owner);
        ASSERT_TRUE(dialog.Create(547, &m_owner));
        EXPECT_EQ(dialog.m_tree.GetStyle() & (TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                              TVS_EDITLABELS | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS),
                  TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_DISABLEDRAGDROP |
                      TVS_SHOWSELALWAYS);
        const HTREEITEM item = dialog.m_tree.InsertItem("Ordner");
        EXPECT_EQ(dialog.m_tree.GetRootItem(), item);
        dialog.DestroyWindow();
    }
    AfxSetResourceHandle(nullptr);
    FreeLibrary(module);
}

} // namespace
