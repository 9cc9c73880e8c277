// The skinned buttons: hit regions decide which presses and releases count, right clicks report code 5,
// held tick buttons repeat, the hover look wins over the pushed one, radio buttons check at the press,
// check buttons fall back to their up bitmap, and a missing bitmap is reported. The drawn bitmap is told
// by its probe pixel.

#include "platform/ui/TimerTesting.h"
#include "skin/CheckBitmapButton.h"
#include "skin/MyBitmapButton.h"
#include "skin/RadioBitmapButton.h"
#include "skin/TickBitmapButton.h"
#include "skin/TwoColorsBitmapButton.h"
#include "tests/skin/SkinTestWindow.h"

#include <algorithm>
#include <functional>
#include <gmock/gmock.h>
#include <memory>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr UINT kId = 2087;
// The "Rotate" strip button: 23 by 22, shaped as a rectangle; clicks count only in its middle.
constexpr CRect kWindow(40, 30, 63, 52);
constexpr POINT kInsideHit = {11, 11};
constexpr POINT kOutsideHit = {2, 20}; // inside the shape, outside the hit area
constexpr POINT kOutsideWindow = {60, 60};

struct ButtonKind {
    const char* name;
    std::function<std::unique_ptr<CSkinButton>()> make;
    bool reportsRightClicks;
};

std::ostream& operator<<(std::ostream& out, const ButtonKind& kind) {
    return out << kind.name;
}

const ButtonKind kKinds[] = {
    {"Plain", [] { return std::make_unique<CMyBitmapButton>(); }, true},
    {"Tick", [] { return std::make_unique<CTickBitmapButton>(); }, true},
    {"TwoColors", [] { return std::make_unique<CTwoColorsBitmapButton>(); }, true},
    {"Radio", [] { return std::make_unique<CRadioBitmapButton>(); }, false},
};

class SkinButtonTest : public SkinTest {
protected:
    // Creates, shapes and skins button as the main window does.
    void Build(CSkinButton& button, const char* up = "MS_ROTATEU", const char* down = "MS_ROTATED",
               const char* focus = "MS_ROTATEF", const char* disabled = "MS_ROTATEX") {
        ASSERT_TRUE(
            button.Create("Rotate", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), &m_parent, kId));
        button.SetWindowPos(nullptr, kWindow.left, kWindow.top, kWindow.Width(), kWindow.Height(),
                            SWP_NOZORDER);
        CRgn shape;
        CRgn hit;
        MakePolygon(shape, {{1, 0}, {23, 0}, {23, 22}, {0, 22}, {0, 0}});
        MakePolygon(hit, {{5, 4}, {18, 4}, {18, 18}, {5, 18}});
        ASSERT_TRUE(button.SetRegions(&shape, &hit, TRUE));
        ASSERT_TRUE(button.LoadBitmaps(up, down, focus, disabled));
        m_log.clear();
    }
};

class EveryButtonTest : public SkinButtonTest, public ::testing::WithParamInterface<ButtonKind> {};

TEST_P(EveryButtonTest, APressOutsideTheHitRegionNeitherPushesNorNotifies) {
    auto button = GetParam().make();
    Build(*button);
    PressAt(button.get(), kOutsideHit);
    EXPECT_FALSE(button->GetState() & BST_PUSHED);
    ReleaseAt(button.get(), kOutsideHit);
    EXPECT_THAT(TakeLog(), IsEmpty());
}

TEST_P(EveryButtonTest, AReleaseOutsideTheHitRegionAfterAPressInsideSendsNothing) {
    auto button = GetParam().make();
    Build(*button);
    PressAt(button.get(), kInsideHit);
    EXPECT_TRUE(button->GetState() & BST_PUSHED);
    MoveTo(button.get(), kOutsideWindow);
    ReleaseAt(button.get(), kOutsideWindow);
    EXPECT_THAT(TakeLog(), IsEmpty());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_P(EveryButtonTest, LeftClickPostsCodeZeroAndRightClickCodeFiveWhereTheClassReportsIt) {
    auto button = GetParam().make();
    Build(*button);
    ClickAt(button.get(), kInsideHit);
    EXPECT_THAT(TakeLog(), ElementsAre("parent command 2087 code 0 from Rotate"));

    ClickAt(button.get(), kInsideHit, Qt::RightButton);
    if (GetParam().reportsRightClicks)
        EXPECT_THAT(TakeLog(), ElementsAre("parent command 2087 code 5 from Rotate"));
    else
        EXPECT_THAT(TakeLog(), IsEmpty());
}

TEST_P(EveryButtonTest, AMissingUpBitmapFailsAndAMissingOptionalOneIsReportedToo) {
    auto button = GetParam().make();
    ASSERT_TRUE(button->Create("Rotate", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, kWindow, &m_parent, kId));
    EXPECT_FALSE(button->LoadBitmaps("NO_SUCH_BITMAPU", "MS_ROTATED", "MS_ROTATEF", "MS_ROTATEX"));
    EXPECT_EQ(button->m_bitmap.m_hObject, nullptr);
    EXPECT_EQ(button->m_bitmapSel.m_hObject, nullptr);

    EXPECT_FALSE(button->LoadBitmaps("MS_ROTATEU", "MS_ROTATED", "NO_SUCH_BITMAPF", "MS_ROTATEX"));
    EXPECT_NE(button->m_bitmapDisabled.m_hObject, nullptr);
    EXPECT_TRUE(button->LoadBitmaps("MS_ROTATEU", "MS_ROTATED", "MS_ROTATEF", nullptr));
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryButtonTest, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SkinButtonTest, PlainButtonShowsItsStatesAndHoverWinsOverPushed) {
    CMyBitmapButton button;
    Build(button);
    EXPECT_TRUE(Shows(&button, "MS_ROTATEU"));
    button.EnableWindow(FALSE);
    EXPECT_TRUE(Shows(&button, "MS_ROTATEX"));
    button.EnableWindow(TRUE);

    MoveTo(&button, kInsideHit);
    EXPECT_TRUE(Shows(&button, "MS_ROTATEF"));
    PressAt(&button, kInsideHit);
    EXPECT_TRUE(button.GetState() & BST_PUSHED);
    EXPECT_TRUE(Shows(&button, "MS_ROTATEF"));
    ReleaseAt(&button, kInsideHit);

    MoveTo(&m_parent, CPoint(300, 250));
    m_parent.SetFocus();
    EXPECT_TRUE(Shows(&button, "MS_ROTATEU")) << "the pointer left and the focus went";
}

TEST_F(SkinButtonTest, HeldTickButtonRepeatsEveryHundredMillisecondsAndOnceOnRelease) {
    CTickBitmapButton button;
    Build(button);
    PressAt(&button, kInsideHit);
    AdvanceTimersForTesting(1000);
    ReleaseAt(&button, kInsideHit);
    const MessageLog log = TakeLog();
    const auto commands = std::count(log.begin(), log.end(), "parent command 2087 code 0 from Rotate");
    EXPECT_EQ(static_cast<size_t>(commands), log.size());
    EXPECT_GE(commands, 8 + 1);
    EXPECT_LE(commands, 11 + 1);

    AdvanceTimersForTesting(500);
    EXPECT_THAT(TakeLog(), IsEmpty()) << "the repeat ends with the release";
}

TEST_F(SkinButtonTest, TickButtonLeftWhileHeldShowsUpButRepeatsAndSendsNoFinalCommandOutside) {
    CTickBitmapButton button;
    Build(button);
    PressAt(&button, kInsideHit);
    EXPECT_TRUE(Shows(&button, "MS_ROTATED"));
    MoveTo(&button, kOutsideHit);
    EXPECT_FALSE(button.GetState() & BST_PUSHED);
    EXPECT_TRUE(Shows(&button, "MS_ROTATEF")) << "up, with the focus the press gave it";
    AdvanceTimersForTesting(300);
    EXPECT_EQ(TakeLog().size(), 3u);
    ReleaseAt(&button, kOutsideHit);
    EXPECT_THAT(TakeLog(), IsEmpty());
}

TEST_F(SkinButtonTest, RadioButtonIsCheckedAtThePressAndUncheckedByAPressOutsideItsHitArea) {
    CRadioBitmapButton button;
    Build(button, "NORMAL_MODE_UU", "NORMAL_MODE_UF", "NORMAL_MODE_DU", "NORMAL_MODE_DF");
    EXPECT_TRUE(Shows(&button, "NORMAL_MODE_UU"));
    PressAt(&button, kInsideHit);
    EXPECT_TRUE(button.GetCheck());
    EXPECT_THAT(TakeLog(), IsEmpty()) << "checked before the parent hears of it";
    ReleaseAt(&button, kInsideHit);
    EXPECT_THAT(TakeLog(), ElementsAre("parent command 2087 code 0 from Rotate"));

    MoveTo(&m_parent, CPoint(300, 250));
    m_parent.SetFocus();
    EXPECT_TRUE(Shows(&button, "NORMAL_MODE_DU"));

    PressAt(&button, kOutsideHit);
    ReleaseAt(&button, kOutsideHit);
    EXPECT_FALSE(button.GetCheck());
}

TEST_F(SkinButtonTest, TwoColorsButtonPaintsItsSwatchesInTheUpOrPushedRectangles) {
    CTwoColorsBitmapButton button;
    Build(button, "MS_2COLORSU", "MS_2COLORSD", "MS_2COLORSF", "MS_2COLORSX");
    const CRect firstUp(4, 5, 10, 11), firstPushed(8, 7, 14, 13), secondUp(10, 11, 16, 17),
        secondPushed(14, 13, 20, 19);
    button.SetRect1(&firstUp);
    button.SetRect2(&firstPushed);
    button.SetRect3(&secondUp);
    button.SetRect4(&secondPushed);
    button.SetFirstColor(RGB(200, 0, 0));
    button.SetSecondColor(RGB(0, 0, 200));
    button.Invalidate();
    PumpMessages();
    EXPECT_EQ(WindowPixel(&button, CPoint(5, 6)), RGB(200, 0, 0));
    EXPECT_EQ(WindowPixel(&button, CPoint(11, 12)), RGB(0, 0, 200));

    PressAt(&button, kInsideHit);
    PumpMessages();
    EXPECT_EQ(WindowPixel(&button, CPoint(9, 8)), RGB(200, 0, 0));
    EXPECT_EQ(WindowPixel(&button, CPoint(19, 18)), RGB(0, 0, 200));
    ReleaseAt(&button, kInsideHit);
}

// Logs the keys that its children pass up.
class KeyLoggingWnd : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;

protected:
    void OnKeyDown(UINT key, UINT repeatCount, UINT) override {
        Log("key " + std::to_string(key) + " x" + std::to_string(repeatCount));
    }
};

class CheckButtonTest : public SkinTest {
protected:
    void Build(LPCTSTR focus, LPCTSTR checkedFocus) {
        ASSERT_TRUE(m_button.Create("Ton", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 20, 21, 21),
                                    &m_parent, 1016));
        ASSERT_TRUE(
            m_button.LoadBitmaps("EINSTELLUNGEN_SNDU", "EINSTELLUNGEN_SNDD", focus, nullptr, checkedFocus));
        m_button.SizeToContent();
        m_log.clear();
    }
    // What the button shows with the focus, unchecked and checked.
    std::pair<bool, bool> FocusLooks(const char* unchecked, const char* checked) {
        m_button.SetFocus();
        m_button.SetCheck(FALSE);
        m_button.Invalidate();
        const bool first = Shows(&m_button, unchecked);
        m_button.SetCheck(TRUE);
        m_button.Invalidate();
        return {first, Shows(&m_button, checked)};
    }
    CCheckBitmapButton m_button;
};

TEST_F(CheckButtonTest, WithoutFocusBitmapsTheFocusedButtonShowsUpOrDown) {
    Build(nullptr, nullptr);
    EXPECT_EQ(FocusLooks("EINSTELLUNGEN_SNDU", "EINSTELLUNGEN_SNDD"), std::make_pair(true, true));
}

TEST_F(CheckButtonTest, WithFocusBitmapsTheFocusedButtonShowsThem) {
    Build("EINSTELLUNGEN_SNDUF", "EINSTELLUNGEN_SNDDF");
    EXPECT_EQ(FocusLooks("EINSTELLUNGEN_SNDUF", "EINSTELLUNGEN_SNDDF"), std::make_pair(true, true));
}

TEST_F(CheckButtonTest, AMissingNamedBitmapFallsBackToUp) {
    Build("NO_SUCH_BITMAPUF", "NO_SUCH_BITMAPDF");
    EXPECT_EQ(FocusLooks("EINSTELLUNGEN_SNDU", "EINSTELLUNGEN_SNDU"), std::make_pair(true, true));
    EXPECT_FALSE(m_button.LoadBitmaps("NO_SUCH_BITMAPU", "EINSTELLUNGEN_SNDD"));
    EXPECT_EQ(m_button.m_bitmapSel.m_hObject, nullptr);
}

TEST_F(CheckButtonTest, APressTogglesAndTheReleaseClicks) {
    Build(nullptr, nullptr);
    ShowActive(&m_parent);
    ClickAt(&m_button, CPoint(3, 3));
    EXPECT_TRUE(m_button.GetCheck());
    EXPECT_THAT(TakeLog(), ElementsAre("parent command 1016 code 0 from Ton"));
    ClickAt(&m_button, CPoint(3, 3));
    EXPECT_FALSE(m_button.GetCheck());
}

TEST_F(CheckButtonTest, KeysPressedWithTheFocusReachTheParentFirst) {
    KeyLoggingWnd panel(&m_log, "panel");
    ASSERT_TRUE(panel.CreateChild(&m_parent, CRect(0, 0, 300, 200), 1));
    ASSERT_TRUE(
        m_button.Create("Ton", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 20, 60, 40), &panel, 1016));
    m_button.SetFocus();
    m_log.clear();
    TypeKey(&m_button, Qt::Key_Space);
    EXPECT_THAT(TakeLog(), ElementsAre("panel key 32 x1", "panel command 1016 code 0 from Ton"));
}

} // namespace
