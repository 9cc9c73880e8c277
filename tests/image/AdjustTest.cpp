#include "image/Adjust.h"

#include <cstring>
#include <gtest/gtest.h>
#include <new>

namespace {

TEST(Adjust, NewRecordHoldsTheDefaults) {
    const ADJUST a;
    EXPECT_EQ(a.brightness, 0.0f);
    EXPECT_EQ(a.contrast, 1.0f);
    EXPECT_EQ(a.gamma, 1.0f);
    EXPECT_EQ(a.saturation, 1.0f);
    EXPECT_EQ(a.sharpness, 0.0f);
    EXPECT_EQ(a.effectCount, 0);
    for (const auto& entry : a.effects)
        EXPECT_EQ(entry, (ADJUST::EffectEntry{-1, 0}));
    EXPECT_EQ(a.sharpen, 1);
    EXPECT_EQ(a.colourMode, 3);
    EXPECT_EQ(a.mirror, 0);
    EXPECT_EQ(a.flip, 0);
    EXPECT_EQ(a.rotation, 0);
    EXPECT_EQ(a.cropOn, 0);
    EXPECT_EQ(a.cropLeft, 0.0);
    EXPECT_EQ(a.cropRight, 1.0);
    EXPECT_EQ(a.cropTop, 0.0);
    EXPECT_EQ(a.cropBottom, 1.0);
    EXPECT_EQ(a.redEye[0], (ADJUST::RedEyeRegion{0.35, 0.35, 0.65, 0.65, 50, 0}));
    for (int i = 1; i < ADJUST::kRedEyeSlots; ++i)
        EXPECT_EQ(a.redEye[i], (ADJUST::RedEyeRegion{0, 0, 0, 0, 0, 0})) << i;
    EXPECT_EQ(a.currentRegion, 0);
    EXPECT_EQ(a.shiftX, 0);
    EXPECT_EQ(a.shiftY, 0);
    EXPECT_EQ(a.zoom, 100);
}

// Records built over memory that held different garbage must be byte-identical, padding included, so
// nothing left over in memory reaches a file or a byte comparison.
TEST(Adjust, ConstructionFixesEveryByte) {
    alignas(ADJUST) unsigned char first[sizeof(ADJUST)];
    alignas(ADJUST) unsigned char second[sizeof(ADJUST)];
    std::memset(first, 0xA5, sizeof first);
    std::memset(second, 0x3C, sizeof second);
    new (first) ADJUST;
    new (second) ADJUST;
    EXPECT_EQ(std::memcmp(first, second, sizeof(ADJUST)), 0);
}

TEST(Adjust, CopyByAssignmentIsEqualAndIndependent) {
    ADJUST source;
    source.brightness = 0.25f;
    source.effectCount = 1;
    source.effects[0] = {17, 40};
    source.redEye[5] = {0.1, 0.2, 0.3, 0.4, 0x123456, 150};
    source.zoom = 250;
    ADJUST copy;
    copy = source;
    EXPECT_EQ(copy, source);
    copy.redEye[5].threshold = 151;
    EXPECT_NE(copy, source);
    EXPECT_EQ(source.redEye[5].threshold, 150);
}

TEST(Adjust, ResetRestoresDefaultsButKeepsTheEffectListAndOtherRegions) {
    ADJUST a;
    a.brightness = 0.4f;
    a.contrast = 2.0f;
    a.colourMode = 1;
    a.mirror = 1;
    a.flip = 1;
    a.rotation = 900;
    a.cropOn = 1;
    a.cropRight = 0.5;
    a.effectCount = 1;
    a.effects[0] = {5, 30};
    a.redEye[0] = {0.1, 0.1, 0.2, 0.2, 7, 111};
    a.redEye[3] = {0.5, 0.5, 0.6, 0.6, 9, 120};
    a.currentRegion = 3;
    a.shiftX = 12;
    a.zoom = 300;

    a.ResetSettings();

    ADJUST expected;
    expected.effects[0] = {5, 30};
    expected.redEye[0].threshold = 111;
    expected.redEye[3] = {0.5, 0.5, 0.6, 0.6, 9, 120};
    EXPECT_EQ(a, expected);
}

TEST(Adjust, ViewSettingsFromFilesAreClamped) {
    struct Case {
        int zoom, shiftX, shiftY;
        int wantZoom, wantX, wantY;
    };
    const Case cases[] = {
        {100, 5, -5, 100, 5, -5},
        {0, 0, 0, 1, 0, 0},
        {-40, 0, 0, 1, 0, 0},
        {1000000, 0, 0, 10000, 0, 0},
        {100, 2000000000, -2000000000, 100, ADJUST::kMaxShift, -ADJUST::kMaxShift},
    };
    for (const Case& c : cases) {
        ADJUST a;
        a.zoom = c.zoom;
        a.shiftX = c.shiftX;
        a.shiftY = c.shiftY;
        a.ClampViewSettings();
        EXPECT_EQ(a.zoom, c.wantZoom) << c.zoom;
        EXPECT_EQ(a.shiftX, c.wantX);
        EXPECT_EQ(a.shiftY, c.wantY);
    }
}

} // namespace
