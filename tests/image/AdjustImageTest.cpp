#include "image/AdjustImage.h"

#include "image/PictureInfo.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

// ---- Slider mapping ----

struct SliderCase {
    const char* name;
    int id;
    int v;
    float ADJUST::*field; // the tone field set, or null for an effect
    double stored;        // the field's value, or the effect value in the list (-1: list empty)
    int readBack;
};

class SliderMapping : public ::testing::TestWithParam<SliderCase> {};

TEST_P(SliderMapping, SetsTheStoredValueAndReadsBack) {
    const SliderCase& c = GetParam();
    CAdjustImage adjust(false);
    adjust.SetAdjustPercent(c.id, c.v);
    if (c.field) {
        EXPECT_NEAR(adjust.*c.field, c.stored, 1e-6);
        EXPECT_EQ(adjust.effectCount, 0);
    } else if (c.stored < 0) {
        EXPECT_EQ(adjust.effectCount, 0);
    } else {
        ASSERT_EQ(adjust.effectCount, 1);
        EXPECT_EQ(adjust.effects[0], (ADJUST::EffectEntry{c.id, static_cast<int>(c.stored)}));
    }
    EXPECT_EQ(adjust.GetAdjustPercent(c.id), c.readBack);
}

const SliderCase kSliderCases[] = {
    {"BrightnessCentreIsNeutral", kAdjustBrightness, 50, &ADJUST::brightness, 0.0, 50},
    {"BrightnessRight", kAdjustBrightness, 80, &ADJUST::brightness, 0.3, 80},
    {"BrightnessLeftEnd", kAdjustBrightness, 0, &ADJUST::brightness, -0.5, 0},
    {"SaturationRight", kAdjustSaturation, 80, &ADJUST::saturation, 1.3, 80},
    {"SaturationLeftEnd", kAdjustSaturation, 0, &ADJUST::saturation, 0.5, 0},
    {"ContrastRightEndDoubles", kAdjustContrast, 100, &ADJUST::contrast, 2.0, 100},
    {"ContrastLeftEndHalves", kAdjustContrast, 0, &ADJUST::contrast, 0.5, 0},
    {"ContrastRight", kAdjustContrast, 80, &ADJUST::contrast, 1.5157166, 80},
    {"SharpnessRight", kAdjustSharpness, 80, &ADJUST::sharpness, 0.3, 80},
    {"GammaRightEnd", kAdjustGamma, 100, &ADJUST::gamma, 1.4142135, 100},
    {"GammaLeftEnd", kAdjustGamma, 0, &ADJUST::gamma, 0.70710677, 0},
    {"EmbossPassesTheValue", kAdjustEmboss, 30, nullptr, 30, 30},
    {"SwirlPassesTheValue", kAdjustSwirl, 40, nullptr, 40, 40},
    {"CurlPassesTheValue", kAdjustCurl, 65, nullptr, 65, 65},
    {"EffectAtZeroEmptiesTheList", kAdjustMosaic, 0, nullptr, -1, 0},
    {"NegativeLeftHalfIsOn", kAdjustNegative, 20, nullptr, 1, 0},
    {"NegativeJustLeftOfCentreIsOn", kAdjustNegative, 49, nullptr, 1, 0},
    {"NegativeCentreIsOff", kAdjustNegative, 50, nullptr, -1, 100},
    {"NegativeRightIsOff", kAdjustNegative, 90, nullptr, -1, 100},
    {"SolarizeStoresTheComplement", kAdjustSolarize, 30, nullptr, 70, 30},
    {"SolarizeRightEndIsOff", kAdjustSolarize, 100, nullptr, -1, 100},
    {"RedEyePassesTheValue", kAdjustRedEye, 60, nullptr, 60, 60},
    {"UnnamedEffectPassesTheValue", 25, 33, nullptr, 33, 33},
};

INSTANTIATE_TEST_SUITE_P(Adjustments, SliderMapping, ::testing::ValuesIn(kSliderCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A slider that is set must show the same position when the dialog reads it again.
TEST(SliderMappingRoundTrip, EveryPositionOfEveryAdjustmentReadsBack) {
    for (int id = 0; id < kAdjustCount; ++id) {
        if (id == kAdjustNegative)
            continue;
        for (int v = 0; v <= 100; ++v) {
            CAdjustImage adjust(false);
            adjust.SetAdjustPercent(id, v);
            EXPECT_EQ(adjust.GetAdjustPercent(id), v) << CAdjustImage::GetAdjustName(id) << " at " << v;
        }
    }
}

TEST(SliderMappingRoundTrip, RedEyeSetsTheCurrentRegionsThreshold) {
    struct Case {
        int v;
        int threshold;
    };
    for (const Case c : {Case{0, 200}, Case{50, 155}, Case{60, 146}, Case{99, 111}, Case{100, 110}}) {
        CAdjustImage adjust(false);
        adjust.PushShapeEntry();
        adjust.SetAdjustPercent(kAdjustRedEye, c.v);
        EXPECT_EQ(adjust.redEye[1].threshold, c.threshold) << c.v;
        EXPECT_EQ(adjust.redEye[0].threshold, 0) << "only the current region changes";
    }
}

TEST(SliderMappingRoundTrip, NegativeIdsChangeNothing) {
    CAdjustImage adjust(false);
    adjust.SetAdjustPercent(-1, 70);
    EXPECT_TRUE(adjust.SettingsEqual(ADJUST()));
    EXPECT_EQ(adjust.GetAdjustPercent(-1), 0);
}

// ---- Effect list ----

TEST(EffectList, ASecondEffectReplacesTheFirst) {
    CAdjustImage adjust(false);
    adjust.SetAdjustPercent(kAdjustEmboss, 30);
    adjust.SetAdjustPercent(kAdjustSwirl, 40);
    ASSERT_EQ(adjust.effectCount, 1);
    EXPECT_EQ(adjust.effects[0], (ADJUST::EffectEntry{kAdjustSwirl, 40}));
    EXPECT_EQ(adjust.GetEffectValue(kAdjustEmboss), 0);
    EXPECT_EQ(adjust.GetEffectValue(kAdjustSwirl), 40);
    adjust.SetAdjustPercent(kAdjustSwirl, 0);
    EXPECT_EQ(adjust.effectCount, 0);
    EXPECT_EQ(adjust.GetEffectValue(kAdjustSwirl), 0);
}

TEST(EffectList, OnlyTheUsedEntriesCount) {
    CAdjustImage adjust(false);
    adjust.effects[0] = {kAdjustWave, 10};
    adjust.effects[1] = {kAdjustCone, 20};
    adjust.effectCount = 1;
    EXPECT_EQ(adjust.GetEffectValue(kAdjustCone), 0);
    adjust.effectCount = 2;
    EXPECT_EQ(adjust.GetEffectValue(kAdjustCone), 20);
    adjust.effectCount = 1000; // as a damaged record might say
    EXPECT_EQ(adjust.GetEffectValue(kAdjustCone), 20);
}

// ---- Names and presets ----

TEST(AdjustNames, TheTableOfNamesAndDisplayStrings) {
    struct Case {
        int id;
        const char* name;
        UINT stringId;
    };
    const Case cases[] = {
        {0, "Brightness", 221}, {1, "Saturation", 222}, {2, "Contrast", 223}, {3, "Sharpness", 224},
        {4, "Gamma", 225},      {5, "Emboss", 279},     {6, "Wave", 280},     {7, "AddNoise", 281},
        {8, "Cone", 282},       {9, "FindEdge", 283},   {10, "FishEye", 284}, {11, "Mosaic", 285},
        {12, "Negative", 286},  {13, "OilPaint", 287},  {14, "Raise", 288},   {15, "Solarize", 289},
        {16, "Spread", 290},    {17, "Swirl", 291},     {18, "Curl", 312},    {19, "Red Eye Reduction", 406},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(CAdjustImage::GetAdjustName(c.id), c.name);
        EXPECT_EQ(CAdjustImage::FindAdjust(c.name), c.id);
        EXPECT_EQ(CAdjustImage::GetAdjustStringId(c.id), c.stringId);
    }
    EXPECT_EQ(CAdjustImage::GetAdjustName(-1), nullptr);
    EXPECT_EQ(CAdjustImage::GetAdjustName(20), nullptr);
    EXPECT_EQ(CAdjustImage::GetAdjustStringId(20), 0u);
    for (const char* unknown : {"brightness", "Swirl ", "", "Bogus", "FindEdges"})
        EXPECT_EQ(CAdjustImage::FindAdjust(unknown), -1) << unknown;
    EXPECT_EQ(CAdjustImage::FindAdjust(nullptr), -1);
}

TEST(AdjustPresets, TheTableOfPresets) {
    struct Case {
        const char* what;
        int id;
        std::vector<int> want;
    };
    const Case cases[] = {
        {"tone range 0..100", kAdjustBrightness, {0, 20, 40, 60, 80}},
        {"tone range for three", kAdjustGamma, {0, 33, 66}},
        {"effect range 20..100", kAdjustEmboss, {20, 36, 52, 68, 84}},
        {"curl has the effect range", kAdjustCurl, {20, 36, 52, 68, 84}},
        {"negative is on or off", kAdjustNegative, {0, 100, -1, -1, -1}},
        {"negative with one slot", kAdjustNegative, {0}},
        {"red eye offers eye colours", kAdjustRedEye, {0x8A7B43, 0x5A6A96, 0x9AB6BA, 0x5C9459, 0x965D5C}},
        {"red eye with more slots", kAdjustRedEye, {0x8A7B43, 0x5A6A96, 0x9AB6BA, 0x5C9459, 0x965D5C, -1}},
        {"ids beyond the table", 25, {5, 24, 43, 62, 81}},
        {"negative ids have none", -3, {-1, -1, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        std::vector<int> got(c.want.size(), 12345);
        CAdjustImage::GetEffectPresets(c.id, got.data(), static_cast<int>(got.size()));
        EXPECT_EQ(got, c.want) << c.what;
    }
    int untouched = 7;
    CAdjustImage::GetEffectPresets(kAdjustEmboss, &untouched, 0);
    EXPECT_EQ(untouched, 7) << "a count of 0 asks for nothing";
}

TEST(AdjustNames, FillEffectListAddsTheDisplayNamesInIdOrder) {
    struct Combo {
        std::vector<CString> items;
        int AddString(const CString& text) {
            items.push_back(text);
            return static_cast<int>(items.size()) - 1;
        }
    };
    FakeAppServices services;
    services.SetString(221, "Helligkeit");
    services.SetString(406, "Rote Augen entfernen");
    Combo combo;
    CAdjustImage::FillEffectList(&combo);
    ASSERT_EQ(combo.items.size(), 20u);
    EXPECT_EQ(combo.items[0], "Helligkeit");
    EXPECT_EQ(combo.items[19], "Rote Augen entfernen");
}

// ---- Red-eye regions ----

TEST(RedEyeStack, PushCopiesAndPopKeepsTheValuesOnePlaceLower) {
    CAdjustImage adjust(false);
    adjust.SetCurrentShapeEntry(0.1, 0.2, 0.3, 0.4);
    adjust.SetCurrentShapeColor(0x123456);
    adjust.PushShapeEntry();
    EXPECT_EQ(adjust.currentRegion, 1);
    EXPECT_EQ(adjust.redEye[1], adjust.redEye[0]);
    adjust.SetCurrentShapeEntry(0.5, 0.6, 0.7, 0.8);
    adjust.PopShapeEntry();
    EXPECT_EQ(adjust.currentRegion, 0);
    double l, r, t, b;
    adjust.GetCurrentShapeEntry(l, r, t, b, false);
    EXPECT_EQ(std::vector<double>({l, r, t, b}), std::vector<double>({0.5, 0.6, 0.7, 0.8}));
    EXPECT_EQ(adjust.redEye[0].colour, 0x123456u);
}

TEST(RedEyeStack, PushAtTheLastRegionAndPopAtTheFirstChangeNothing) {
    CAdjustImage adjust(false);
    const ADJUST before = adjust;
    adjust.PopShapeEntry();
    EXPECT_EQ(static_cast<const ADJUST&>(adjust), before);

    for (int i = 0; i < 40; ++i)
        adjust.PushShapeEntry();
    EXPECT_EQ(adjust.currentRegion, 31);
    adjust.SetCurrentShapeEntry(0.9, 0.95, 0.9, 0.95);
    const ADJUST full = adjust;
    adjust.PushShapeEntry();
    EXPECT_EQ(static_cast<const ADJUST&>(adjust), full);
}

// ---- Orientation mapping ----

TEST(ViewMapping, TheRectangleFollowsMirrorAndQuarterTurns) {
    struct Case {
        const char* what;
        BYTE mirror;
        int rotation;
        std::vector<double> want; // left, right, top, bottom
    };
    const Case cases[] = {
        {"unturned", 0, 0, {0.1, 0.2, 0.3, 0.6}},
        {"less than a quarter turn", 0, 899, {0.1, 0.2, 0.3, 0.6}},
        {"quarter turn", 0, 900, {0.3, 0.6, 0.8, 0.9}},
        {"half turn", 0, 1800, {0.8, 0.9, 0.4, 0.7}},
        {"three quarters", 0, 2700, {0.4, 0.7, 0.1, 0.2}},
        {"mirrored", 1, 0, {0.8, 0.9, 0.3, 0.6}},
        {"mirrored and turned", 1, 900, {0.3, 0.6, 0.1, 0.2}},
    };
    for (const Case& c : cases) {
        ADJUST a;
        a.mirror = c.mirror;
        a.rotation = c.rotation;
        double l = 0.1, r = 0.2, t = 0.3, b = 0.6;
        a.ImageToViewRect(l, r, t, b);
        const std::vector<double> got{l, r, t, b};
        for (size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(got[i], c.want[i], 1e-12) << c.what << " coordinate " << i;
        a.ViewToImageRect(l, r, t, b);
        EXPECT_NEAR(l, 0.1, 1e-12) << c.what;
        EXPECT_NEAR(r, 0.2, 1e-12) << c.what;
        EXPECT_NEAR(t, 0.3, 1e-12) << c.what;
        EXPECT_NEAR(b, 0.6, 1e-12) << c.what;
    }
}

TEST(ViewMapping, TheCurrentShapeEntryCanBeReadInViewCoordinates) {
    ADJUST a;
    a.rotation = 1800;
    a.SetCurrentShapeEntry(0.1, 0.2, 0.3, 0.6);
    double l, r, t, b;
    a.GetCurrentShapeEntry(l, r, t, b, true);
    EXPECT_NEAR(l, 0.8, 1e-12);
    EXPECT_NEAR(b, 0.7, 1e-12);
}

// ---- Equality ----

TEST(SettingsEquality, ResetAndCopiesCompareEqualWhateverTheirShiftAndZoom) {
    CAdjustImage fresh(false);
    CAdjustImage changed(false);
    changed.SetAdjustPercent(kAdjustContrast, 70);
    changed.SetAdjustPercent(kAdjustSwirl, 40);
    changed.shiftX = 40;
    changed.zoom = 300;
    changed.ResetSettings();
    changed.shiftY = -7;
    changed.zoom = 250;
    EXPECT_TRUE(fresh.HasSameSettings(&changed));

    CAdjustImage copy(false);
    copy.CopyFrom(&changed);
    copy.shiftX = 99;
    copy.zoom = 10;
    EXPECT_TRUE(copy.HasSameSettings(&changed));
    EXPECT_FALSE(copy.HasSameSettings(nullptr));
}

TEST(SettingsEquality, EachComparedFieldCountsAndTheOthersDoNot) {
    struct Case {
        const char* what;
        void (*change)(ADJUST&);
        bool equal;
    };
    const Case cases[] = {
        {"colour mode", [](ADJUST& a) { a.colourMode = 1; }, false},
        {"brightness", [](ADJUST& a) { a.brightness = 0.01f; }, false},
        {"saturation", [](ADJUST& a) { a.saturation = 1.01f; }, false},
        {"contrast", [](ADJUST& a) { a.contrast = 1.01f; }, false},
        {"gamma", [](ADJUST& a) { a.gamma = 1.01f; }, false},
        {"sharpness", [](ADJUST& a) { a.sharpness = 0.01f; }, false},
        {"effect count", [](ADJUST& a) { a.effectCount = 1; }, false},
        {"crop on", [](ADJUST& a) { a.cropOn = 1; }, false},
        {"crop bottom", [](ADJUST& a) { a.cropBottom = 0.9; }, false},
        {"mirror", [](ADJUST& a) { a.mirror = 1; }, false},
        {"rotation", [](ADJUST& a) { a.rotation = 10; }, false},
        {"current region", [](ADJUST& a) { a.currentRegion = 1; }, false},
        {"threshold of region 0", [](ADJUST& a) { a.redEye[0].threshold = 5; }, false},
        {"colour of region 0", [](ADJUST& a) { a.redEye[0].colour = 5; }, false},
        {"shift", [](ADJUST& a) { a.shiftX = 5; }, true},
        {"zoom", [](ADJUST& a) { a.zoom = 5; }, true},
        {"sharpen flag", [](ADJUST& a) { a.sharpen = 0; }, true},
        {"flip flag", [](ADJUST& a) { a.flip = 1; }, true},
        {"region above the current one", [](ADJUST& a) { a.redEye[1].left = 0.5; }, true},
        {"unused effect entry",
         [](ADJUST& a) {
             a.effects[0] = {5, 5};
         },
         true},
    };
    for (const Case& c : cases) {
        ADJUST a;
        c.change(a);
        EXPECT_EQ(a.SettingsEqual(ADJUST()), c.equal) << c.what;
        EXPECT_EQ(ADJUST().SettingsEqual(a), c.equal) << c.what;
    }
    ADJUST first, second;
    first.effectCount = second.effectCount = 2;
    first.effects[0] = second.effects[0] = {5, 30};
    first.effects[1] = {6, 1};
    EXPECT_TRUE(first.SettingsEqual(second)) << "entries after the first do not count";
    second.effects[0].value = 31;
    EXPECT_FALSE(first.SettingsEqual(second));
}

// ---- Rotation, crop, copies and pictures ----

TEST(AdjustRotation, IsKeptInAFullTurn) {
    struct Case {
        int set;
        int stored;
    };
    for (const Case c :
         {Case{-10, 3590}, Case{3600, 0}, Case{900, 900}, Case{3610, 10}, Case{-3600, 0}, Case{7300, 100}}) {
        CAdjustImage adjust(false);
        adjust.SetRotation(c.set);
        EXPECT_EQ(adjust.rotation, c.stored) << c.set;
    }
}

TEST(AdjustCrop, SetAndGetTheCropRectangle) {
    ADJUST a;
    a.SetCrop(true, 0.1, 0.9, 0.2, 0.8);
    bool on = false;
    double l, r, t, b;
    a.GetCrop(on, l, r, t, b);
    EXPECT_TRUE(on);
    EXPECT_EQ(std::vector<double>({l, r, t, b}), std::vector<double>({0.1, 0.9, 0.2, 0.8}));
    EXPECT_EQ(a.cropOn, 1);
}

TEST(AdjustCopies, CopyFromTakesSettingsColoursAndPathButNoPicturesOrFillFlag) {
    CAdjustImage source(true);
    source.SetAdjustPercent(kAdjustSwirl, 40);
    source.SetTwoColors(0x102030, 0xF0E0D0);
    source.SetFilePath("/bilder/äpfel.jpg");
    source.SetStateFlag(true);
    auto* picture = new CPictureInfo;
    picture->Allocate(100);
    source.SetOriginalDib(picture);
    picture->Release();

    std::unique_ptr<CAdjustImage> clone(source.Clone());
    EXPECT_TRUE(clone->HasSameSettings(&source));
    EXPECT_EQ(clone->GetDarkColor(), 0x102030u);
    EXPECT_EQ(clone->GetLightColor(), 0xF0E0D0u);
    EXPECT_EQ(clone->GetFilePath(), "/bilder/äpfel.jpg");
    EXPECT_TRUE(clone->IsStateFlagClear());
    EXPECT_EQ(clone->GetOriginalDib(), nullptr);
    EXPECT_EQ(clone->GetTempFile(), INVALID_HANDLE_VALUE);
    EXPECT_NE(source.GetTempFile(), INVALID_HANDLE_VALUE);

    CAdjustImage target(false);
    target.SetAdjustPercent(kAdjustWave, 9);
    target.CopyFrom(nullptr);
    EXPECT_EQ(target.GetEffectValue(kAdjustWave), 9);
}

TEST(AdjustCopies, NewObjectsHoldTheDefaults) {
    CAdjustImage adjust(false);
    EXPECT_EQ(static_cast<const ADJUST&>(adjust), ADJUST());
    EXPECT_EQ(adjust.GetDarkColor(), 0u);
    EXPECT_EQ(adjust.GetLightColor(), 0xFFFFFFu);
    EXPECT_TRUE(adjust.IsStateFlagClear());
    EXPECT_EQ(adjust.GetAdjustedDib(), nullptr);
    adjust.SetStateFlag(false);
    EXPECT_FALSE(adjust.IsStateFlagClear());
}

TEST(AdjustPictures, TheOriginalIsSharedTheOthersAreCopied) {
    auto* shared = new CPictureInfo;
    shared->Allocate(64);
    {
        CAdjustImage first(false);
        CAdjustImage second(false);
        first.SetOriginalDib(shared);
        first.SetOriginalDib(shared); // the same picture again keeps one reference
        second.SetOriginalDib(shared);
        EXPECT_EQ(shared->AddRef(), 4);
        shared->Release();

        first.SetAdjustedDib(shared);
        EXPECT_NE(first.GetAdjustedDib(), shared);
        EXPECT_EQ(first.GetAdjustedDib()->GetLength(), 64u);
        first.SetRotatedDib(shared);
        EXPECT_NE(first.GetRotatedDib(), shared);

        CPictureInfo* adjusted = first.GetAdjustedDib();
        first.SwapDibs(second);
        EXPECT_EQ(second.GetAdjustedDib(), adjusted);
        EXPECT_EQ(first.GetAdjustedDib(), nullptr);
        EXPECT_EQ(first.GetOriginalDib(), shared);

        second.FreeOriginalDib();
        second.SetAdjustedDib(nullptr);
        EXPECT_EQ(second.GetAdjustedDib(), nullptr);
    }
    // Both holders gave their references back: only the creator's is left.
    EXPECT_EQ(shared->AddRef(), 2);
    shared->Release();
    shared->Release();
}

TEST(AdjustTempFile, IsPrivateAndLeavesNoName) {
    TempFolder folder;
    const char* previous = std::getenv("TMPDIR");
    const std::string saved = previous ? previous : "";
    setenv("TMPDIR", folder.Path(), 1);
    {
        CAdjustImage adjust(true);
        EXPECT_NE(adjust.GetTempFile(), INVALID_HANDLE_VALUE);
        EXPECT_TRUE(folder.Names().empty());
    }
    if (previous)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
}

} // namespace
