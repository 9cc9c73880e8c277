// List control keys: where the arrows, Home, End and the page keys move the focus and the selection in
// the report and icon views with and without Shift and Ctrl, Space and F2, and the notifications a key
// yields in order.

#include "platform/ui/ListCtrl.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <functional>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class KeyOwner : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        const auto* change = reinterpret_cast<LPNMLISTVIEW>(lParam);
        if (change->hdr.code == LVN_ITEMCHANGED)
            Log("changed " + std::to_string(change->iItem) + " " + std::to_string(change->uOldState) + ">" +
                std::to_string(change->uNewState));
        else if (change->hdr.code == LVN_KEYDOWN)
            Log("keydown " + std::to_string(reinterpret_cast<LPNMLVKEYDOWN>(lParam)->wVKey));
        else if (change->hdr.code == LVN_BEGINLABELEDIT)
            Log("begin " + std::to_string(reinterpret_cast<LPNMLVDISPINFO>(lParam)->item.iItem));
        else
            return FALSE;
        *result = 0;
        return TRUE;
    }
};

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = {};
};

constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

struct Case {
    const char* name;
    DWORD style;
    int start; // the clicked item, -1 for none
    std::vector<Key> keys;
    int focused;
    std::vector<int> selected;
};

class ListCtrlKeysTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_owner.CreatePopup(CRect(100, 100, 420, 320)));
        ShowActive(&m_owner);
    }
    // Twelve rows under one heading: ten whole rows fit below it.
    void MakeReport(DWORD style) {
        ASSERT_TRUE(
            m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | style, CRect(0, 0, 280, 180), &m_owner, 9));
        m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        for (int item = 0; item < 12; ++item)
            m_list.InsertItem(item, ("Bild " + std::to_string(item)).c_str());
    }
    // Ten icons in rows of four cells of 75 pixels: 0-3, 4-7, 8-9, all shown without a scroll bar.
    void MakeIcons(DWORD style) {
        ASSERT_TRUE(
            m_list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON | style, CRect(0, 0, 300, 260), &m_owner, 9));
        for (int item = 0; item < 10; ++item)
            m_list.InsertItem(item, ("Bild " + std::to_string(item)).c_str());
    }
    // Focus and selection on item, as a click leaves them; none for -1.
    void Start(int item) {
        m_list.SetFocus();
        if (item >= 0) {
            CRect label;
            ASSERT_TRUE(m_list.GetItemRect(item, &label, LVIR_LABEL));
            ClickAt(&m_list, label.CenterPoint());
        }
        m_log.clear();
    }
    // Each case on a new list that make creates: the keys after the start, then focus and selection.
    void RunCases(const std::vector<Case>& cases, const std::function<void(DWORD)>& make) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            make(c.style);
            Start(c.start);
            for (const Key& key : c.keys)
                TypeKey(&m_list, key.key, key.modifiers);
            EXPECT_EQ(m_list.GetNextItem(-1, LVNI_FOCUSED), c.focused);
            EXPECT_EQ(Selected(), c.selected);
            m_list.DestroyWindow();
        }
    }
    std::vector<int> Selected() const {
        std::vector<int> items;
        for (int item = m_list.GetNextItem(-1, LVNI_SELECTED); item != -1;
             item = m_list.GetNextItem(item, LVNI_SELECTED))
            items.push_back(item);
        return items;
    }

    MessageLog m_log;
    KeyOwner m_owner{&m_log, "owner"};
    CListCtrl m_list;
};

TEST_F(ListCtrlKeysTest, KeysMoveTheFocusAndTheSelectionInTheReportView) {
    const std::vector<Case> cases = {
        {"Down", 0, 1, {{Qt::Key_Down}}, 2, {2}},
        {"Up", 0, 1, {{Qt::Key_Up}}, 0, {0}},
        {"Up stays on the first", 0, 0, {{Qt::Key_Up}}, 0, {0}},
        {"Down stays on the last", 0, 9, {{Qt::Key_End}, {Qt::Key_Down}}, 11, {11}},
        {"End", 0, 1, {{Qt::Key_End}}, 11, {11}},
        {"Home", 0, 7, {{Qt::Key_Home}}, 0, {0}},
        {"Page Down moves by the rows shown", 0, 1, {{Qt::Key_PageDown}}, 11, {11}},
        {"Page Down stops at the last", 0, 5, {{Qt::Key_PageDown}}, 11, {11}},
        {"Page Up", 0, 9, {{Qt::Key_End}, {Qt::Key_PageUp}}, 1, {1}},
        {"Left and Right move nothing", 0, 3, {{Qt::Key_Left}, {Qt::Key_Right}}, 3, {3}},
        {"the first key without a focus takes the first item", 0, -1, {{Qt::Key_Down}}, 0, {0}},
        {"End without a focus takes the last", 0, -1, {{Qt::Key_End}}, 11, {11}},
        {"Shift extends the run", 0, 3, {{Qt::Key_Down, kShift}, {Qt::Key_Down, kShift}}, 5, {3, 4, 5}},
        {"Shift runs turn at the anchor",
         0,
         3,
         {{Qt::Key_Down, kShift}, {Qt::Key_Up, kShift}, {Qt::Key_Up, kShift}},
         2,
         {2, 3}},
        {"Shift End", 0, 9, {{Qt::Key_End, kShift}}, 11, {9, 10, 11}},
        {"Ctrl moves the focus alone", 0, 3, {{Qt::Key_Down, kCtrl}, {Qt::Key_Down, kCtrl}}, 5, {3}},
        {"Space selects the focused item alone", 0, 3, {{Qt::Key_Down, kCtrl}, {Qt::Key_Space}}, 4, {4}},
        {"Ctrl Space adds it", 0, 3, {{Qt::Key_Down, kCtrl}, {Qt::Key_Space, kCtrl}}, 4, {3, 4}},
        {"Ctrl Space again removes it",
         0,
         3,
         {{Qt::Key_Down, kCtrl}, {Qt::Key_Space, kCtrl}, {Qt::Key_Space, kCtrl}},
         4,
         {3}},
        {"a plain key after a run selects one", 0, 3, {{Qt::Key_Down, kShift}, {Qt::Key_Down}}, 5, {5}},
        {"single selection ignores Shift", LVS_SINGLESEL, 3, {{Qt::Key_Down, kShift}}, 4, {4}},
        {"single selection ignores Ctrl", LVS_SINGLESEL, 3, {{Qt::Key_Down, kCtrl}}, 4, {4}},
        {"Delete moves nothing", 0, 3, {{Qt::Key_Delete}}, 3, {3}},
    };
    RunCases(cases, [this](DWORD style) { MakeReport(style); });
}

TEST_F(ListCtrlKeysTest, ArrowsMoveThroughTheGridOfIcons) {
    const std::vector<Case> cases = {
        {"Right", 0, 0, {{Qt::Key_Right}}, 1, {1}},
        {"Right stops at the end of a row", 0, 3, {{Qt::Key_Right}}, 3, {3}},
        {"Left stops at the start of a row", 0, 4, {{Qt::Key_Left}}, 4, {4}},
        {"Down goes a row down", 0, 1, {{Qt::Key_Down}}, 5, {5}},
        {"Down above a gap of a short row takes the last", 0, 6, {{Qt::Key_Down}}, 9, {9}},
        {"Down stays in the last row", 0, 8, {{Qt::Key_Down}}, 8, {8}},
        {"Up", 0, 5, {{Qt::Key_Up}}, 1, {1}},
        {"Up stays in the first row", 0, 2, {{Qt::Key_Up}}, 2, {2}},
        {"Shift Down selects the run between", 0, 1, {{Qt::Key_Down, kShift}}, 5, {1, 2, 3, 4, 5}},
    };
    RunCases(cases, [this](DWORD style) { MakeIcons(style); });
}

TEST_F(ListCtrlKeysTest, TheParentHearsTheKeyBeforeTheStateChangesAClickWouldMake) {
    MakeReport(0);
    Start(1);
    TypeKey(&m_list, Qt::Key_Down);
    TypeKey(&m_list, Qt::Key_Down, kCtrl);
    TypeKey(&m_list, Qt::Key_Delete);
    // 2 is LVIS_SELECTED, 1 LVIS_FOCUSED; Ctrl itself is a key the parent hears. An item's selection and
    // focus change in one notice.
    EXPECT_THAT(m_log, ElementsAre("owner keydown 40", "owner changed 1 3>0", "owner changed 2 0>3",
                                   "owner keydown 17", "owner keydown 40", "owner changed 2 3>2",
                                   "owner changed 3 0>1", "owner keydown 46"));
}

TEST_F(ListCtrlKeysTest, F2EditsTheFocusedLabelOnlyWhereLabelsMayBeEdited) {
    for (const DWORD style : {DWORD{0}, LVS_EDITLABELS}) {
        MakeIcons(style);
        Start(2);
        TypeKey(&m_list, Qt::Key_F2);
        const MessageLog heard =
            style ? MessageLog{"owner keydown 113", "owner begin 2"} : MessageLog{"owner keydown 113"};
        EXPECT_EQ(m_log, heard);
        EXPECT_EQ(m_list.GetEditControl() != nullptr, style != 0);
        m_list.DestroyWindow();
    }
}

} // namespace
