// The thumbnail settings: their defaults in the profile, and the dialog that limits, squares and
// saves them. Only the save button writes the profile.

#include "albums/BrowseFileSettingsDlg.h"

#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/SliderCtrl.h"
#include "skin/ColorPicker.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

void PrintTo(const BrowseThumbnailSettings& s, std::ostream* os) {
    *os << s.thumbWidth << "x" << s.thumbHeight << " gaps " << s.spacingX << "," << s.spacingY << " colours "
        << std::hex << s.backgroundColor << "," << s.textColor;
}

namespace {

constexpr char kSection[] = "Settings\\Thumbnails\\Browse";

class ThumbnailSettingsTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    }
    static void TearDownTestSuite() {
        FreeLibrary(s_resources);
        s_resources = nullptr;
    }

    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(s_resources, nullptr);
        SetProfileFolderForTesting(m_profile.Path());
        m_previousHandle = AfxGetResourceHandle();
        AfxSetResourceHandle(s_resources);
        m_services.SetResourceModule(s_resources);
        m_services.SetString(61527, "Standardfarbe");
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "Besitzer", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                     nullptr));
    }

    void TearDown() override {
        m_owner.DestroyWindow();
        AfxSetResourceHandle(m_previousHandle);
        SetProfileFolderForTesting("");
        UiTest::TearDown();
    }

    // Runs the dialog on settings; step runs inside its loop and ends it.
    INT_PTR Run(CBrowseFileSettingsDlg& dialog, const BrowseThumbnailSettings& settings,
                std::function<void()> step) {
        dialog.SetSettings(settings);
        dialog.SetSection(kSection);
        QTimer::singleShot(0, std::move(step));
        return dialog.DoModal();
    }

    static CSliderCtrl* Slider(CWnd& dialog, int id) {
        return static_cast<CSliderCtrl*>(dialog.GetDlgItem(id));
    }
    static CColorPicker* Picker(CWnd& dialog, int id) {
        return static_cast<CColorPicker*>(dialog.GetDlgItem(id));
    }

    // Moves a slider one step on by the keyboard, as the user does.
    static void StepSlider(CWnd& dialog, int id, int from, Qt::Key key) {
        CSliderCtrl* slider = Slider(dialog, id);
        slider->SetFocus();
        slider->SetPos(from);
        TypeKey(slider, key);
    }

    static void Press(CWnd& dialog, int id) { ClickAt(dialog.GetDlgItem(id), CPoint(5, 5)); }

    static HMODULE s_resources;
    TempFolder m_profile;
    FakeAppServices m_services;
    CWnd m_owner;
    HINSTANCE m_previousHandle = nullptr;
};

HMODULE ThumbnailSettingsTest::s_resources = nullptr;

TEST_F(ThumbnailSettingsTest, WithoutProfileValuesThumbnailsTakeTheSystemIconSizeAndSpacing) {
    const BrowseThumbnailSettings expected{
        32, 32, 43, 43, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)};
    EXPECT_EQ(ReadBrowseThumbnailSettings(kSection), expected);
}

TEST_F(ThumbnailSettingsTest, GapDefaultsFollowTheStoredThumbnailSize) {
    WriteProfileInt(kSection, "thumbcx", 60);
    WriteProfileInt(kSection, "thumbcy", 50);
    const BrowseThumbnailSettings read = ReadBrowseThumbnailSettings(kSection);
    EXPECT_EQ(read.spacingX, 15);
    EXPECT_EQ(read.spacingY, 25);
    // Thumbnails larger than the system's icon cell get no gap rather than overlapping.
    WriteProfileInt(kSection, "thumbcx", 100);
    WriteProfileInt(kSection, "thumbcy", 75);
    const BrowseThumbnailSettings large = ReadBrowseThumbnailSettings(kSection);
    EXPECT_EQ(large.spacingX, 0);
    EXPECT_EQ(large.spacingY, 0);
}

struct LimitCase {
    const char* name;
    BrowseThumbnailSettings given;
    BrowseThumbnailSettings shown;
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsLimitTest : public ThumbnailSettingsTest, public testing::WithParamInterface<LimitCase> {};

TEST_P(SettingsLimitTest, SlidersShowTheLimitedValuesAndOkGivesThemBack) {
    CBrowseFileSettingsDlg dialog(&m_owner);
    const BrowseThumbnailSettings& shown = GetParam().shown;
    EXPECT_EQ(Run(dialog, GetParam().given,
                  [&] {
                      EXPECT_EQ(Slider(dialog, 6011)->GetPos(), shown.thumbWidth);
                      EXPECT_EQ(Slider(dialog, 6012)->GetPos(), shown.thumbHeight);
                      EXPECT_EQ(Slider(dialog, 6013)->GetPos(), shown.spacingX);
                      EXPECT_EQ(Slider(dialog, 6014)->GetPos(), shown.spacingY);
                      EXPECT_EQ(Picker(dialog, 1369)->GetColor(), shown.backgroundColor);
                      EXPECT_EQ(Picker(dialog, 1370)->GetColor(), shown.textColor);
                      Press(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(dialog.GetSettings(), shown);
}

const LimitCase kLimitCases[] = {
    {"BelowTheRangesRiseToTheirLows",
     {20, 10, 5, 0, RGB(1, 2, 3), RGB(4, 5, 6)},
     {32, 32, 20, 20, RGB(1, 2, 3), RGB(4, 5, 6)}},
    {"AboveTheRangesFallToTheirHighs",
     {150, 120, 70, 51, RGB(1, 2, 3), RGB(4, 5, 6)},
     {100, 100, 50, 50, RGB(1, 2, 3), RGB(4, 5, 6)}},
    {"InsideTheRangesStayAsGiven",
     {48, 80, 25, 40, RGB(250, 240, 230), RGB(0, 0, 128)},
     {48, 80, 25, 40, RGB(250, 240, 230), RGB(0, 0, 128)}},
};

INSTANTIATE_TEST_SUITE_P(Dialog, SettingsLimitTest, testing::ValuesIn(kLimitCases),
                         [](const testing::TestParamInfo<LimitCase>& info) { return info.param.name; });

struct SquareCase {
    const char* name;
    int moved;
    Qt::Key key;
    int other;
};

void PrintTo(const SquareCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsSquareTest : public ThumbnailSettingsTest, public testing::WithParamInterface<SquareCase> {};

TEST_P(SettingsSquareTest, MovingOneSizeSliderToSixtyFourMakesBothSidesSixtyFour) {
    CBrowseFileSettingsDlg dialog(&m_owner);
    EXPECT_EQ(Run(dialog, {40, 90, 30, 30, 0, 0},
                  [&] {
                      StepSlider(dialog, GetParam().moved, 63, GetParam().key);
                      EXPECT_EQ(Slider(dialog, GetParam().other)->GetPos(), 64);
                      Press(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(dialog.GetSettings().thumbWidth, 64);
    EXPECT_EQ(dialog.GetSettings().thumbHeight, 64);
}

INSTANTIATE_TEST_SUITE_P(Dialog, SettingsSquareTest,
                         testing::Values(SquareCase{"WidthSlider", 6011, Qt::Key_Right, 6012},
                                         SquareCase{"HeightSlider", 6012, Qt::Key_Down, 6011}),
                         [](const testing::TestParamInfo<SquareCase>& info) { return info.param.name; });

TEST_F(ThumbnailSettingsTest, GapSlidersChangeOnlyTheirOwnGap) {
    CBrowseFileSettingsDlg dialog(&m_owner);
    EXPECT_EQ(Run(dialog, {40, 40, 30, 30, 0, 0},
                  [&] {
                      StepSlider(dialog, 6013, 44, Qt::Key_Right);
                      StepSlider(dialog, 6014, 21, Qt::Key_Down);
                      Press(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(dialog.GetSettings(), (BrowseThumbnailSettings{40, 40, 45, 22, 0, 0}));
}

TEST_F(ThumbnailSettingsTest, OkWithoutSavingLeavesTheProfileForTheNextBrowser) {
    WriteProfileInt(kSection, "thumbcx", 48);
    WriteProfileInt(kSection, "thumbcy", 48);
    const BrowseThumbnailSettings before = ReadBrowseThumbnailSettings(kSection);
    CBrowseFileSettingsDlg dialog(&m_owner);
    EXPECT_EQ(Run(dialog, before,
                  [&] {
                      StepSlider(dialog, 6011, 79, Qt::Key_Right);
                      Press(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(dialog.GetSettings().thumbWidth, 80);
    EXPECT_EQ(ReadBrowseThumbnailSettings(kSection), before);
}

TEST_F(ThumbnailSettingsTest, SaveWritesWhatTheDialogShowsAndKeepsItOpen) {
    CBrowseFileSettingsDlg dialog(&m_owner);
    bool openAfterSaving = false;
    EXPECT_EQ(Run(dialog, {40, 40, 30, 30, RGB(10, 20, 30), RGB(40, 50, 60)},
                  [&] {
                      StepSlider(dialog, 6011, 71, Qt::Key_Right);
                      StepSlider(dialog, 6014, 24, Qt::Key_Down);
                      Press(dialog, 6015);
                      openAfterSaving = dialog.IsWindowVisible();
                      Press(dialog, IDCANCEL);
                  }),
              IDCANCEL);
    EXPECT_TRUE(openAfterSaving);
    EXPECT_EQ(ReadBrowseThumbnailSettings(kSection),
              (BrowseThumbnailSettings{72, 72, 30, 25, RGB(10, 20, 30), RGB(40, 50, 60)}));
}

TEST_F(ThumbnailSettingsTest, ChosenColoursBecomeTheSettingsOfTheirPicker) {
    CBrowseFileSettingsDlg dialog(&m_owner);
    EXPECT_EQ(Run(dialog, {40, 40, 30, 30, RGB(10, 20, 30), RGB(40, 50, 60)},
                  [&] {
                      for (const auto& [id, color] :
                           {std::pair{1369, RGB(200, 0, 0)}, std::pair{1370, RGB(0, 200, 0)}}) {
                          Picker(dialog, id)->SetColor(color);
                          EXPECT_EQ(dialog.SendMessage(CPN_SELENDOK, color, id), 1);
                      }
                      // A picker the dialog does not know changes nothing.
                      EXPECT_EQ(dialog.SendMessage(CPN_SELENDOK, RGB(0, 0, 200), 1371), 1);
                      Press(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(dialog.GetSettings().backgroundColor, RGB(200, 0, 0));
    EXPECT_EQ(dialog.GetSettings().textColor, RGB(0, 200, 0));
}

} // namespace
