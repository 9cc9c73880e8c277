// The colour picker and its popup: the cell that keys and the pointer lead to, the messages the parent
// receives, the colour dialog of the custom box, the popup's place on the screen, and the swatches'
// pixels.

#include "skin/ColorPicker.h"

#include "platform/gdi/SystemColors.h"
#include "platform/ui/SystemMetrics.h"
#include "skin/ColorButton.h"
#include "tests/platform/ui/ScriptedColorDialogPresenter.h"
#include "tests/skin/SkinOwnerWnd.h"
#include "tests/skin/SkinTestWindow.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr UINT kOwnerId = 3000;
constexpr UINT kPickerId = 2101;
constexpr COLORREF kInitial = RGB(255, 0, 0); // cell 16
constexpr int kLast = CColorPopup::kColorCount - 1;

std::string Message(UINT message, COLORREF color) {
    return "owner " + std::to_string(message) + " " + SkinOwnerWnd::Hex(color) + " id " +
           std::to_string(kPickerId);
}

class ColorPickerTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        m_services.SetString(297, "Standard");
        m_services.SetString(298, "Weitere Farben...");
        ASSERT_TRUE(m_owner.CreateChild(&m_parent, CRect(0, 0, 400, 300), kOwnerId));
        TakeLog();
    }

    // A picker at (10, 10) of the owner with the colour; captions null leave their boxes out.
    void Build(CColorPicker& picker, COLORREF color = kInitial) {
        ASSERT_TRUE(picker.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 80, 30), &m_owner,
                                  kPickerId));
        picker.SetColor(color);
    }

    // Clicks the picker; the open popup (it holds the capture), or null.
    CColorPopup* Open(CColorPicker& picker) {
        ClickAt(&picker, CPoint(5, 5));
        PumpMessages();
        return dynamic_cast<CColorPopup*>(CWnd::GetCapture());
    }

    static CPoint CenterOf(const CColorPopup* popup, int cell) {
        // The pointer's boxes lie a margin inside the painted ones; their middles are in both.
        if (cell == CColorPopup::kDefaultBox)
            return popup->GetDefaultBoxRect().CenterPoint();
        if (cell == CColorPopup::kCustomBox)
            return popup->GetCustomBoxRect().CenterPoint();
        return popup->GetCellRect(cell).CenterPoint();
    }

    void MoveToCell(CColorPopup* popup, int cell) {
        MoveTo(popup, CenterOf(popup, cell));
        PumpMessages();
    }

    ScriptedColorDialogPresenter m_colorDialog;
    SkinOwnerWnd m_owner{&m_log};
};

TEST_F(ColorPickerTest, TakesItsSizeFromTheArrowAndShowsItsColour) {
    CColorPicker picker;
    Build(picker);
    CRect rect;
    picker.GetWindowRect(&rect);
    m_owner.ScreenToClient(&rect);
    // Arrow: the larger of the thumb sizes and five edges, 16; height arrow + two edges.
    EXPECT_EQ(CRect(10, 10, 80, 30), rect);
    EXPECT_EQ(CRect(52, 2, 68, 18), picker.GetArrowRect());
    EXPECT_EQ(kInitial, WindowPixel(&picker, CPoint(10, 10)));
    EXPECT_EQ(GetSysColor(COLOR_3DSHADOW), WindowPixel(&picker, CPoint(0, 0))); // sunken edge

    CColorPicker narrow;
    ASSERT_TRUE(
        narrow.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 40, 20, 90), &m_owner, 2102));
    narrow.GetWindowRect(&rect);
    EXPECT_EQ(CSize(36, 20), rect.Size());
}

TEST_F(ColorPickerTest, SubclassingMakesTheButtonOwnerDrawnAndSizesIt) {
    CButton plain;
    ASSERT_TRUE(plain.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 50), &m_owner, kPickerId));
    const HWND window = plain.Detach();
    CColorPicker picker;
    ASSERT_TRUE(picker.SubclassWindow(window));
    EXPECT_EQ(static_cast<UINT>(BS_OWNERDRAW), picker.GetButtonStyle() & 0xF);
    CRect rect;
    picker.GetWindowRect(&rect);
    EXPECT_EQ(CSize(80, 20), rect.Size());
}

TEST_F(ColorPickerTest, ClickOpensThePopupUnderThePickerInsteadOfAClick) {
    CColorPicker picker;
    Build(picker);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(picker.IsActive());
    CRect pickerRect;
    CRect popupRect;
    picker.GetWindowRect(&pickerRect);
    popup->GetWindowRect(&popupRect);
    EXPECT_EQ(CPoint(pickerRect.left, pickerRect.bottom), popupRect.TopLeft());
    EXPECT_EQ(CColorPopup::kColumns * 18 + 4, popupRect.Width());
    // No BN_CLICKED reaches the owner: the picker handled it.
    EXPECT_THAT(TakeLog(), ElementsAre(Message(CPN_DROPDOWN, kInitial)));
    EXPECT_EQ(16, popup->GetChosenCell());
    TypeKey(popup, Qt::Key_Escape);
    PumpMessages();
    EXPECT_FALSE(picker.IsActive());
}

TEST_F(ColorPickerTest, EscapeAfterBrowsingReportsEachCellThenRestoresTheColour) {
    CColorPicker picker;
    Build(picker);
    picker.SetTrackSelection(TRUE);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    TakeLog();
    MoveToCell(popup, 0);
    MoveToCell(popup, 1);
    MoveToCell(popup, 9);
    EXPECT_EQ(CColorPopup::GetColor(9), picker.GetColor()); // tracking
    TypeKey(popup, Qt::Key_Escape);
    PumpMessages();
    EXPECT_THAT(TakeLog(), ElementsAre(Message(CPN_SELCHANGE, CColorPopup::GetColor(0)),
                                       Message(CPN_SELCHANGE, CColorPopup::GetColor(1)),
                                       Message(CPN_SELCHANGE, CColorPopup::GetColor(9)),
                                       Message(CPN_CLOSEUP, kInitial), Message(CPN_SELENDCANCEL, kInitial)));
    EXPECT_EQ(kInitial, picker.GetColor());
    EXPECT_EQ(kInitial, WindowPixel(&picker, CPoint(10, 10)));
    EXPECT_EQ(nullptr, CWnd::GetCapture());
}

TEST_F(ColorPickerTest, ReleaseOnACellAcceptsItsColour) {
    CColorPicker picker;
    Build(picker);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    TakeLog();
    MoveToCell(popup, 13);
    ClickAt(popup, CenterOf(popup, 13));
    PumpMessages();
    const COLORREF blue = RGB(0, 0, 255);
    EXPECT_THAT(TakeLog(), ElementsAre(Message(CPN_SELCHANGE, blue), Message(CPN_CLOSEUP, blue),
                                       Message(CPN_SELENDOK, blue)));
    EXPECT_EQ(blue, picker.GetColor());
    EXPECT_EQ(blue, WindowPixel(&picker, CPoint(10, 10)));
}

TEST_F(ColorPickerTest, ReleaseOutsideThePopupCancelsAfterVisitingCells) {
    CColorPicker picker;
    Build(picker);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    MoveToCell(popup, 5);
    TakeLog();
    // The popup holds the capture: a click on the window beside it reaches the popup.
    ClickAt(&m_parent, CPoint(300, 250));
    PumpMessages();
    EXPECT_THAT(TakeLog(), ElementsAre(Message(CPN_CLOSEUP, kInitial), Message(CPN_SELENDCANCEL, kInitial)));
    EXPECT_EQ(kInitial, picker.GetColor());
}

TEST_F(ColorPickerTest, LosingTheApplicationsActivationCancels) {
    CColorPicker picker;
    Build(picker);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    MoveToCell(popup, 5);
    TakeLog();
    popup->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    PumpMessages();
    EXPECT_THAT(TakeLog(), ElementsAre(Message(CPN_CLOSEUP, kInitial), Message(CPN_SELENDCANCEL, kInitial)));
    EXPECT_FALSE(picker.IsActive());
}

TEST_F(ColorPickerTest, APointRightOfTheLastColumnSelectsNoCell) {
    CColorPicker picker;
    Build(picker);
    // A default caption wider than the grid widens the popup beyond the eighth column.
    picker.SetDefaultText("Die Farbe, die das Programm von sich aus nimmt");
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    CRect client;
    popup->GetClientRect(&client);
    const CRect lastInRow = popup->GetCellRect(7);
    ASSERT_GT(client.right, lastInRow.right + 18);
    MoveToCell(popup, 3);
    TakeLog();
    for (int x = lastInRow.right + 1; x < client.right - 2; x += 9)
        MoveTo(popup, CPoint(x, lastInRow.CenterPoint().y));
    PumpMessages();
    EXPECT_THAT(TakeLog(), IsEmpty());
    EXPECT_EQ(3, popup->GetCurrentCell());
    TypeKey(popup, Qt::Key_Escape);
}

TEST_F(ColorPickerTest, DefaultBoxReportsTheDefaultColour) {
    CColorPicker picker;
    Build(picker, CLR_DEFAULT);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(CColorPopup::kDefaultBox, popup->GetChosenCell());
    TakeLog();
    MoveToCell(popup, CColorPopup::kDefaultBox);
    TypeKey(popup, Qt::Key_Return);
    PumpMessages();
    EXPECT_THAT(TakeLog(), ElementsAre(Message(CPN_SELCHANGE, CLR_DEFAULT), Message(CPN_CLOSEUP, CLR_DEFAULT),
                                       Message(CPN_SELENDOK, CLR_DEFAULT)));
    // The default colour shows as the face colour.
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), WindowPixel(&picker, CPoint(10, 10)));
}

TEST_F(ColorPickerTest, CustomBoxOpensTheColourDialogAndTellsTheOwner) {
    CColorPicker picker;
    Build(picker);
    const COLORREF chosen = RGB(12, 34, 56);
    m_colorDialog.QueueColor(chosen);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    TakeLog();
    MoveToCell(popup, CColorPopup::kCustomBox);
    TypeKey(popup, Qt::Key_Space);
    PumpMessages();
    EXPECT_THAT(TakeLog(), ElementsAre(Message(CPN_SELCHANGE, kInitial), "owner colordialog open",
                                       "owner colordialog closed", Message(CPN_CLOSEUP, chosen),
                                       Message(CPN_SELENDOK, chosen)));
    ASSERT_EQ(1u, m_colorDialog.Requests().size());
    const CHOOSECOLOR& request = m_colorDialog.Requests().front();
    EXPECT_EQ(kInitial, request.rgbResult);
    EXPECT_EQ(CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT, request.Flags);
    EXPECT_EQ(chosen, picker.GetColor());
}

TEST_F(ColorPickerTest, CancellingTheColourDialogEndsAsACancel) {
    CColorPicker picker;
    Build(picker);
    m_colorDialog.QueueCancel();
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    MoveToCell(popup, CColorPopup::kCustomBox);
    TakeLog();
    TypeKey(popup, Qt::Key_Return);
    PumpMessages();
    EXPECT_THAT(TakeLog(), ElementsAre("owner colordialog open", "owner colordialog closed",
                                       Message(CPN_CLOSEUP, kInitial), Message(CPN_SELENDCANCEL, kInitial)));
    EXPECT_EQ(kInitial, picker.GetColor());
}

// A colour dialog during which the application loses its activation.
class DeactivatingColorDialog final : public IColorDialogPresenter {
public:
    explicit DeactivatingColorDialog(CWnd* popup) : m_popup(popup) { SetColorDialogPresenter(this); }
    ~DeactivatingColorDialog() override { SetColorDialogPresenter(nullptr); }
    BOOL Choose(CHOOSECOLOR& request) override {
        m_popup->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
        request.rgbResult = RGB(1, 1, 1);
        return TRUE;
    }

private:
    CWnd* m_popup;
};

TEST_F(ColorPickerTest, LosingTheActivationWhileTheColourDialogRunsEndsTheChoiceOnce) {
    CColorPicker picker;
    Build(picker);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    DeactivatingColorDialog dialog(popup);
    MoveToCell(popup, CColorPopup::kCustomBox);
    TakeLog();
    TypeKey(popup, Qt::Key_Return);
    PumpMessages();
    EXPECT_THAT(TakeLog(),
                ElementsAre("owner colordialog open", "owner colordialog closed",
                            Message(CPN_CLOSEUP, RGB(1, 1, 1)), Message(CPN_SELENDOK, RGB(1, 1, 1))));
}

TEST_F(ColorPickerTest, AColourOutsideTheTableMarksTheCustomBoxAsChosen) {
    CColorPicker picker;
    Build(picker, RGB(1, 2, 3));
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(CColorPopup::kCustomBox, popup->GetChosenCell());
    // Chosen and not current: the custom box is filled with the light colour.
    const CRect box = popup->GetCustomBoxRect();
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), WindowPixel(popup, CPoint(box.left + 3, box.bottom - 3)));
    TypeKey(popup, Qt::Key_Escape);
}

TEST_F(ColorPickerTest, CellsShowTheirColoursAndTheChosenCellIsHighlighted) {
    CColorPicker picker;
    Build(picker);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    for (int cell = 0; cell < CColorPopup::kColorCount; ++cell) {
        EXPECT_EQ(CColorPopup::GetColor(cell), WindowPixel(popup, CenterOf(popup, cell))) << cell;
        const CRect rect = popup->GetCellRect(cell);
        const COLORREF ground = cell == 16 ? GetSysColor(COLOR_3DHILIGHT) : GetSysColor(COLOR_3DFACE);
        EXPECT_EQ(ground, WindowPixel(popup, CPoint(rect.left + 1, rect.top + 1))) << cell;
    }
    TypeKey(popup, Qt::Key_Escape);
}

TEST_F(ColorPickerTest, EachCellsToolTipIsItsColoursName) {
    m_services.SetString(320, "Schwarz");
    m_services.SetString(357, "Weiß");
    CColorPicker picker;
    Build(picker);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(CColorPopup::kColorCount, popup->GetToolTip().GetToolCount());
    CString name;
    popup->GetToolTip().GetText(name, popup, 1);
    EXPECT_EQ(CString("Schwarz"), name);
    popup->GetToolTip().GetText(name, popup, CColorPopup::kColorCount);
    EXPECT_EQ(CString("Weiß"), name);
    TypeKey(popup, Qt::Key_Escape);
}

TEST_F(ColorPickerTest, APopupThatWouldLeaveTheScreenOpensAbovethePicker) {
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    m_parent.MoveWindow(0, screenHeight - 60, 400, 60);
    CColorPicker picker;
    Build(picker);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    CRect pickerRect;
    CRect popupRect;
    picker.GetWindowRect(&pickerRect);
    popup->GetWindowRect(&popupRect);
    EXPECT_EQ(pickerRect.top, popupRect.bottom);
    EXPECT_EQ(pickerRect.left, popupRect.left);
    TypeKey(popup, Qt::Key_Escape);
}

// Keys: the popup's captions, the cell the pointer makes current first (-1: none), the key, the cell
// that becomes current.
struct KeyCase {
    const char* name;
    bool defaultBox;
    bool customBox;
    int start;
    Qt::Key key;
    int expected;
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c) {
    return out << c.name;
}

constexpr int D = CColorPopup::kDefaultBox;
constexpr int C = CColorPopup::kCustomBox;

const KeyCase kKeyCases[] = {
    {"NoBoxesRightWrapsLastToFirst", false, false, kLast, Qt::Key_Right, 0},
    {"NoBoxesDownFromLastRowToFirst", false, false, 35, Qt::Key_Down, 0},
    {"NoBoxesUpFromFirstRowToLast", false, false, 2, Qt::Key_Up, kLast},
    {"NoBoxesLeftFromFirstToLast", false, false, 0, Qt::Key_Left, kLast},
    {"NoneRightGoesToFirst", true, true, -1, Qt::Key_Right, 0},
    {"RightWrapsToNextRow", true, true, 7, Qt::Key_Right, 8},
    {"LeftWrapsToPreviousRow", true, true, 8, Qt::Key_Left, 7},
    {"UpKeepsColumn", true, true, 12, Qt::Key_Up, 4},
    {"DownKeepsColumn", true, true, 12, Qt::Key_Down, 20},
    {"UpFromFirstRowToDefault", true, true, 3, Qt::Key_Up, D},
    {"LeftFromFirstToDefault", true, true, 0, Qt::Key_Left, D},
    {"DownFromLastRowToCustom", true, true, 36, Qt::Key_Down, C},
    {"RightFromLastToCustom", true, true, kLast, Qt::Key_Right, C},
    {"DefaultDownToFirst", true, true, D, Qt::Key_Down, 0},
    {"DefaultRightToFirst", true, true, D, Qt::Key_Right, 0},
    {"DefaultUpToCustom", true, true, D, Qt::Key_Up, C},
    {"DefaultLeftToCustom", true, true, D, Qt::Key_Left, C},
    {"CustomDownToDefault", true, true, C, Qt::Key_Down, D},
    {"CustomRightToDefault", true, true, C, Qt::Key_Right, D},
    {"CustomUpToLast", true, true, C, Qt::Key_Up, kLast},
    {"CustomLeftToLast", true, true, C, Qt::Key_Left, kLast},
    {"OnlyCustomDownToFirst", false, true, C, Qt::Key_Down, 0},
    {"OnlyCustomUpFromFirstRow", false, true, 5, Qt::Key_Up, C},
    {"OnlyDefaultUpToLast", true, false, D, Qt::Key_Up, kLast},
    {"OnlyDefaultDownFromLastRow", true, false, 33, Qt::Key_Down, D},
};

class ColorPopupKeyTest : public ColorPickerTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ColorPopupKeyTest, MovesTheCurrentCell) {
    const KeyCase& c = GetParam();
    CColorPicker picker;
    Build(picker);
    if (!c.defaultBox)
        picker.SetDefaultText(nullptr);
    if (!c.customBox)
        picker.SetCustomText(nullptr);
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    if (c.start != -1)
        MoveToCell(popup, c.start);
    ASSERT_EQ(c.start, popup->GetCurrentCell());
    TypeKey(popup, c.key);
    PumpMessages();
    EXPECT_EQ(c.expected, popup->GetCurrentCell());
    TypeKey(popup, Qt::Key_Escape);
    PumpMessages();
}

INSTANTIATE_TEST_SUITE_P(Keys, ColorPopupKeyTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ColorPickerTest, WithoutBoxesThePopupIsJustTheGrid) {
    CColorPicker picker;
    Build(picker);
    picker.SetDefaultText(nullptr);
    picker.SetCustomText("");
    CColorPopup* popup = Open(picker);
    ASSERT_NE(popup, nullptr);
    CRect client;
    popup->GetClientRect(&client);
    EXPECT_EQ(CSize(8 * 18 + 4, 5 * 18 + 4), client.Size());
    EXPECT_EQ(CPoint(2, 2), popup->GetCellRect(0).TopLeft());
    TypeKey(popup, Qt::Key_Escape);
}

// The swatch button's two-pixel frame, raised and pushed.
TEST_F(ColorPickerTest, ColorButtonDrawsItsColourInARaisedOrSunkenFrame) {
    CColorButton button;
    ASSERT_TRUE(
        button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 50, 40), &m_owner, 2103));
    const COLORREF probe = RGB(10, 200, 30);
    button.SetColor(probe);
    button.Invalidate();
    struct Expect {
        CPoint at;
        COLORREF raised;
        COLORREF pushed;
    };
    const Expect expected[] = {
        {{20, 15}, probe, probe},
        {{0, 5}, RGB(255, 255, 255), RGB(0, 0, 0)},
        {{1, 5}, RGB(223, 223, 223), RGB(128, 128, 128)},
        {{39, 5}, RGB(0, 0, 0), RGB(255, 255, 255)},
        {{38, 5}, RGB(128, 128, 128), RGB(223, 223, 223)},
        {{5, 29}, RGB(0, 0, 0), RGB(255, 255, 255)},
        {{5, 0}, RGB(255, 255, 255), RGB(0, 0, 0)},
    };
    for (const Expect& e : expected)
        EXPECT_EQ(e.raised, WindowPixel(&button, e.at)) << e.at.x << "," << e.at.y;
    button.SetState(TRUE);
    for (const Expect& e : expected)
        EXPECT_EQ(e.pushed, WindowPixel(&button, e.at)) << e.at.x << "," << e.at.y;
}

} // namespace
