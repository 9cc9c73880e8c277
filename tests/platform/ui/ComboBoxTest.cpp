// Combo boxes: the notifications that choosing by mouse and keys sends, the item functions, owner
// drawing of the field and the items, the editor of CBS_DROPDOWN, and a subclass painting the face.

#include "platform/ui/ComboBox.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/PaintDC.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr UINT kComboId = 40;
constexpr COLORREF kFace = RGB(239, 241, 211);

std::string CodeName(WORD code) {
    switch (code) {
    case CBN_SELCHANGE:
        return "selchange";
    case CBN_SETFOCUS:
        return "setfocus";
    case CBN_KILLFOCUS:
        return "killfocus";
    case CBN_EDITCHANGE:
        return "editchange";
    case CBN_DROPDOWN:
        return "dropdown";
    case CBN_CLOSEUP:
        return "closeup";
    default:
        return std::to_string(code);
    }
}

// Logs the combo box notifications and what the owner is asked to measure and draw.
class OwnerWnd : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;
    CComboBox* m_combo = nullptr;
    bool m_logFocus = false;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        const WORD code = HIWORD(static_cast<DWORD>(wParam));
        if ((code == CBN_SETFOCUS || code == CBN_KILLFOCUS) && !m_logFocus)
            return TRUE;
        Log(CodeName(code) + (code == CBN_SELCHANGE ? " " + std::to_string(m_combo->GetCurSel()) : ""));
        return TRUE;
    }
    void OnMeasureItem(int, LPMEASUREITEMSTRUCT measure) override {
        Log("measure " + std::to_string(static_cast<int>(measure->itemID)));
        measure->itemHeight = static_cast<int>(measure->itemID) < 0 ? 20 : 17;
    }
    void OnDrawItem(int, LPDRAWITEMSTRUCT draw) override {
        Log("draw " + std::to_string(static_cast<int>(draw->itemID)) +
            ((draw->itemState & ODS_COMBOBOXEDIT) ? " field" : "") +
            ((draw->itemState & ODS_SELECTED) ? " selected" : "") + " " + std::to_string(draw->rcItem.top) +
            "-" + std::to_string(draw->rcItem.bottom));
    }
};

// Paints the closed face itself and keeps the drawing of the items.
class FaceCombo : public CComboBox {
public:
    MessageLog* m_log = nullptr;

protected:
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, kFace);
    }
    void DrawItem(LPDRAWITEMSTRUCT draw) override {
        m_log->push_back("combo draws " + std::to_string(static_cast<int>(draw->itemID)));
    }
    void MeasureItem(LPMEASUREITEMSTRUCT measure) override { measure->itemHeight = 15; }
};

class ComboBoxTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_owner.CreatePopup(CRect(100, 100, 400, 400)));
        ShowActive(&m_owner);
    }
    void Fill(CComboBox& combo, DWORD style, std::initializer_list<const char*> items) {
        m_owner.m_combo = &combo;
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, CRect(10, 10, 160, 150),
                                 &m_owner, kComboId));
        for (const char* item : items)
            combo.AddString(item);
        PumpMessages();
        m_log.clear();
    }
    // The open list: it holds the pointer.
    static CWnd* List() { return CWnd::GetCapture(); }

    MessageLog m_log;
    OwnerWnd m_owner{&m_log, "owner"};
};

TEST_F(ComboBoxTest, EachChoiceByMouseSendsOneSelectionChange) {
    CComboBox combo;
    Fill(combo, CBS_DROPDOWNLIST, {"Rot", "Grün", "Blau"});
    const int itemHeight = combo.GetItemHeight(0);

    PressAt(&combo, CPoint(5, 5));
    ASSERT_TRUE(combo.GetDroppedState());
    ReleaseAt(&combo, CPoint(5, 5));
    EXPECT_TRUE(combo.GetDroppedState()) << "the release of the opening press keeps the list open";
    CWnd* list = List();
    ASSERT_NE(list, nullptr);
    ClickAt(list, CPoint(20, 1 + itemHeight + itemHeight / 2));
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(combo.GetCurSel(), 1);

    PressAt(&combo, CPoint(5, 5));
    ReleaseAt(&combo, CPoint(5, 5));
    ClickAt(&m_owner, CPoint(250, 250));
    EXPECT_FALSE(combo.GetDroppedState()) << "a press outside closes without a choice";
    EXPECT_EQ(combo.GetCurSel(), 1);

    EXPECT_THAT(m_log, ElementsAre("owner dropdown", "owner closeup", "owner selchange 1", "owner dropdown",
                                   "owner closeup", "owner lup 250,250 flags 0"));
}

TEST_F(ComboBoxTest, KeysMoveTheSelectionAndNotifyOnlyChanges) {
    CComboBox combo;
    Fill(combo, CBS_DROPDOWNLIST, {"a", "b", "c"});
    combo.SetFocus();
    PumpMessages();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int selection;
    } steps[] = {{Qt::Key_Down, {}, 0}, {Qt::Key_Down, {}, 1}, {Qt::Key_End, {}, 2},
                 {Qt::Key_Down, {}, 2}, {Qt::Key_Home, {}, 0}, {Qt::Key_Up, {}, 0},
                 {Qt::Key_F4, {}, 0},   {Qt::Key_Down, {}, 0}, {Qt::Key_Return, {}, 1},
                 {Qt::Key_F4, {}, 1},   {Qt::Key_Down, {}, 1}, {Qt::Key_Escape, {}, 1}};
    for (const auto& step : steps) {
        TypeKey(&combo, step.key, step.modifiers);
        EXPECT_EQ(combo.GetCurSel(), step.selection);
    }
    EXPECT_THAT(m_log, ElementsAre("owner selchange 0", "owner selchange 1", "owner selchange 2",
                                   "owner selchange 0", "owner dropdown", "owner closeup",
                                   "owner selchange 1", "owner dropdown", "owner closeup"));
}

TEST_F(ComboBoxTest, ItemsKeepTextAndDataAndAreFoundIgnoringCase) {
    CComboBox combo;
    Fill(combo, CBS_DROPDOWNLIST, {"Album", "Vorlage", "album"});
    EXPECT_EQ(combo.InsertString(1, "Rahmen"), 1);
    EXPECT_EQ(combo.GetCount(), 4);
    EXPECT_EQ(combo.SetItemData(3, 77), CB_OKAY);
    EXPECT_EQ(combo.GetItemData(3), 77u);
    EXPECT_EQ(combo.SetItemData(9, 1), CB_ERR);
    CString text;
    combo.GetLBText(2, text);
    EXPECT_STREQ(text, "Vorlage");
    EXPECT_EQ(combo.GetLBTextLen(9), CB_ERR);

    EXPECT_EQ(combo.FindStringExact(-1, "ALBUM"), 0);
    EXPECT_EQ(combo.FindStringExact(0, "ALBUM"), 3);
    EXPECT_EQ(combo.FindStringExact(3, "album"), 0) << "the search wraps round";
    EXPECT_EQ(combo.FindStringExact(-1, "Albu"), CB_ERR);

    EXPECT_EQ(combo.SetCurSel(2), 2);
    EXPECT_EQ(combo.DeleteString(1), 3);
    EXPECT_EQ(combo.GetCurSel(), 1) << "the selection follows its item";
    combo.GetWindowText(text);
    EXPECT_STREQ(text, "Vorlage");
    EXPECT_EQ(combo.SetCurSel(5), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), -1);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_THAT(m_log, IsEmpty()) << "changes by the program send nothing";
}

TEST_F(ComboBoxTest, TheOwnerMeasuresAndDrawsTheFieldAndTheItems) {
    // As a dialog template makes it: no object of its own, so the owner measures and draws.
    m_log.clear();
    const HWND handle = CreateWindowEx(
        0, WC_COMBOBOX, "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
        10, 10, 150, 140, m_owner.m_hWnd, reinterpret_cast<HMENU>(std::uintptr_t{kComboId}), nullptr,
        nullptr);
    ASSERT_NE(handle, nullptr);
    CComboBox& combo = *static_cast<CComboBox*>(CWnd::FromHandle(handle));
    m_owner.m_combo = &combo;
    EXPECT_THAT(m_log, ElementsAre("owner measure -1", "owner measure 0"));
    CRect window;
    combo.GetWindowRect(&window);
    EXPECT_EQ(window.Height(), 20 + 6) << "the field's measured height inside its frame";
    combo.AddString("eins");
    combo.AddString("zwei");
    combo.SetCurSel(1);
    m_log.clear();
    combo.UpdateWindow();
    EXPECT_THAT(m_log, ElementsAre("owner draw 1 field 3-23"));

    m_log.clear();
    combo.ShowDropDown();
    CWnd* list = List();
    ASSERT_NE(list, nullptr);
    list->UpdateWindow();
    EXPECT_THAT(m_log, ElementsAre("owner dropdown", "owner draw 0 1-18", "owner draw 1 selected 18-35"));
    combo.ShowDropDown(FALSE);

    combo.SetItemHeight(-1, 30);
    combo.GetWindowRect(&window);
    EXPECT_EQ(window.Height(), 36);
}

TEST_F(ComboBoxTest, ASubclassDrawsItsItemsAndPaintsTheFace) {
    FaceCombo combo;
    combo.m_log = &m_log;
    m_owner.m_combo = &combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(10, 10, 160, 150), &m_owner, kComboId));
    combo.AddString("eins");
    EXPECT_EQ(combo.GetItemHeight(0), 15);
    EXPECT_EQ(WindowPixel(&combo, CPoint(30, 5)), kFace);
    m_log.clear();
    combo.ShowDropDown();
    List()->UpdateWindow();
    EXPECT_THAT(m_log, ElementsAre("owner dropdown", "combo draws 0")) << "reflected, not the owner's";
}

TEST_F(ComboBoxTest, TheEditorOfADropDownReportsTypingWithinItsLimit) {
    CComboBox combo;
    Fill(combo, CBS_DROPDOWN, {"Hallo"});
    combo.LimitText(3);
    combo.SetFocus();
    PumpMessages();
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D})
        TypeKey(&combo, key);
    CString text;
    combo.GetWindowText(text);
    EXPECT_STREQ(text, "abc");
    EXPECT_THAT(m_log, ElementsAre("owner editchange", "owner editchange", "owner editchange"));
    m_log.clear();
    combo.SetCurSel(0);
    combo.GetWindowText(text);
    EXPECT_STREQ(text, "Hallo");
    EXPECT_THAT(m_log, IsEmpty());
}

} // namespace
