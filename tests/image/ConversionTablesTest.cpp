#include "image/ConversionTables.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

// Global, so that the assertions find it next to the type.
bool operator==(RGBTRIPLE a, RGBTRIPLE b) {
    return a.rgbtBlue == b.rgbtBlue && a.rgbtGreen == b.rgbtGreen && a.rgbtRed == b.rgbtRed;
}

namespace {

RGBTRIPLE Bgr(int b, int g, int r) {
    return {static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r)};
}

ADJUST Settings(int mode, float brightness = 0, float contrast = 1, float gamma = 1, float saturation = 1) {
    ADJUST a;
    a.colourMode = mode;
    a.brightness = brightness;
    a.contrast = contrast;
    a.gamma = gamma;
    a.saturation = saturation;
    return a;
}

TEST(ConversionTables, WithoutSettingsAndWithNeutralSettingsEveryColourStays) {
    ToneTables none;
    BuildConversionTables(nullptr, none);
    const ADJUST neutral;
    ToneTables defaults;
    BuildConversionTables(&neutral, defaults);
    for (int i = 0; i < 256; ++i) {
        const RGBTRIPLE p = Bgr(i, 255 - i, i / 2);
        EXPECT_EQ(ConvertColorPixel(p, none), p) << i;
        EXPECT_EQ(ConvertColorPixel(p, defaults), p) << i;
    }
}

struct TableCase {
    const char* name;
    ADJUST settings;
    int index;
    float t[5];
};

class ToneTableTest : public testing::TestWithParam<TableCase> {};

TEST_P(ToneTableTest, Entry) {
    const TableCase& c = GetParam();
    ToneTables t;
    BuildConversionTables(&c.settings, t);
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(t[k][c.index], c.t[k], 1e-6) << "T" << k;
}

const double kMid = 128.0 / 255.0;

INSTANTIATE_TEST_SUITE_P(
    Modes, ToneTableTest,
    testing::Values(
        // Grey: b = 0.1 - 2 * 0.5 + 0.5 = -0.4, s = 2, c = 0.
        TableCase{
            "GreyWhite", Settings(1, 0.1f, 2.0f), 255, {0, 0.3f * 2 - 0.4f, 0.52f * 2, 0.18f * 2, 2 - 0.4f}},
        // Colour with half saturation and gamma 2: c = 0.5, s = 0.5, b = 0, g = (128/255)^2.
        TableCase{"ColourGamma",
                  Settings(3, 0, 1, 2, 0.5f),
                  128,
                  {static_cast<float>(0.5 * kMid * kMid), static_cast<float>(0.15 * kMid * kMid),
                   static_cast<float>(0.26 * kMid * kMid), static_cast<float>(0.09 * kMid * kMid),
                   static_cast<float>(kMid* kMid)}},
        // Two colours: b = brightness / 2, s = 1, c = 0, and gamma does not bend the curve.
        TableCase{"TwoColoursIgnoreGamma",
                  Settings(0, 0.2f, 3, 2),
                  128,
                  {0, static_cast<float>(0.3 * kMid + 0.1), static_cast<float>(0.52 * kMid),
                   static_cast<float>(0.18 * kMid), static_cast<float>(kMid + 0.1)}},
        TableCase{"GammaLeavesBlackAlone", Settings(1, 0, 1, 0.5f), 0, {0, 0, 0, 0, 0}},
        TableCase{"UnknownModeIsBlack", Settings(7, 0.3f, 2, 2), 200, {0, 0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConversionTables, ToByteRoundsThenClamps) {
    struct Case {
        double v;
        int want;
    };
    for (const Case& c : {Case{0.0, 0}, Case{1.0, 255}, Case{2.0, 255}, Case{-1.0, 0}, Case{100.0 / 255, 100},
                          Case{100.4 / 255, 100}, Case{100.6 / 255, 101}, Case{-0.001, 0},
                          Case{std::numeric_limits<double>::quiet_NaN(), 0}, Case{1e300, 255}}) {
        EXPECT_EQ(ToByte(c.v), c.want) << c.v;
        EXPECT_EQ(ToByte(static_cast<float>(c.v)), c.want) << c.v;
    }
    EXPECT_EQ(ThresholdByte(0.5), 255);
    EXPECT_EQ(ThresholdByte(0.4999), 0);
}

TEST(ConversionTables, GreyWeightsAreThirtyFiftyTwoEighteen) {
    const ADJUST grey = Settings(1);
    ToneTables t;
    BuildConversionTables(&grey, t);
    EXPECT_EQ(GreyLevel(Bgr(0, 0, 255), t), 77);  // 0.3 * 255 = 76.5
    EXPECT_EQ(GreyLevel(Bgr(0, 255, 0), t), 133); // 0.52 * 255 = 132.6
    EXPECT_EQ(GreyLevel(Bgr(255, 0, 0), t), 46);  // 0.18 * 255 = 45.9
    EXPECT_EQ(GreyLevel(Bgr(255, 255, 255), t), 255);
    EXPECT_EQ(ConvertGreyPixel(Bgr(0, 255, 0), t), Bgr(133, 133, 133));
}

TEST(ConversionTables, TwoColoursSplitAtHalfGrey) {
    const ADJUST two = Settings(0);
    ToneTables t;
    BuildConversionTables(&two, t);
    const COLORREF dark = RGB(10, 20, 30);
    const COLORREF light = RGB(200, 210, 220);
    EXPECT_EQ(ConvertTwoColorPixel(Bgr(128, 128, 128), t, dark, light), Bgr(220, 210, 200));
    EXPECT_EQ(ConvertTwoColorPixel(Bgr(127, 127, 127), t, dark, light), Bgr(30, 20, 10));
    EXPECT_EQ(ConvertTwoColorLevel(128, t, dark, light), Bgr(220, 210, 200));
    EXPECT_EQ(ConvertTwoColorLevel(127, t, dark, light), Bgr(30, 20, 10));

    // Brightness 0.2 moves the split by a tenth: 0.3 + 0.1 reaches one half.
    const ADJUST brighter = Settings(0, 0.2f);
    BuildConversionTables(&brighter, t);
    EXPECT_EQ(ConvertTwoColorLevel(103, t, dark, light), Bgr(220, 210, 200));
    EXPECT_EQ(ConvertTwoColorLevel(101, t, dark, light), Bgr(30, 20, 10));
}

TEST(ConversionTables, GreyLevelEntriesFollowTheWholeCurve) {
    const ADJUST brighter = Settings(1, 0.2f);
    ToneTables t;
    BuildConversionTables(&brighter, t);
    EXPECT_EQ(ConvertGreyLevel(0, t), Bgr(51, 51, 51)); // 0.2 * 255
    EXPECT_EQ(ConvertGreyLevel(100, t), Bgr(151, 151, 151));
    EXPECT_EQ(ConvertGreyLevel(255, t), Bgr(255, 255, 255));
}

TEST(ConversionTables, SaturationZeroMakesColoursGrey) {
    const ADJUST flat = Settings(3, 0, 1, 1, 0);
    ToneTables t;
    BuildConversionTables(&flat, t);
    EXPECT_EQ(ConvertColorPixel(Bgr(0, 0, 255), t), Bgr(77, 77, 77));
}

} // namespace
