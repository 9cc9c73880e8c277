#include "image/DibConvert.h"

#include "platform/base/GlobalMemory.h"
#include "tests/image/DibBuilder.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

constexpr unsigned kRed = 0xFF0000, kWhite = 0xFFFFFF, kGreen = 0x00FF00, kBlack = 0x000000;
constexpr COLORREF kDark = RGB(1, 2, 3), kLight = RGB(251, 252, 253);

struct Converted {
    int colours = -1;
    std::vector<unsigned> table; // 0xRRGGBB
    std::vector<unsigned> pixels;
};

// Converts through ConvertDibInto into a block laid out as the conversion asks.
Converted Convert(DibBuilder& src, CRect srcRect, int width, int height, const ADJUST* s, int outKind,
                  int firstRow = 0, int rowCount = -1) {
    Converted out;
    const int colours = ConvertedColorCount(src.Header(), s, outKind);
    if (colours < 0)
        return out;
    rowCount = rowCount < 0 ? height : rowCount;
    DibBuilder dst(width, rowCount, colours ? 8 : 24, std::vector<RGBQUAD>(static_cast<size_t>(colours)));
    dst.Header()->biHeight = height;
    out.colours = ConvertDibInto(dst.Header(), firstRow, rowCount, src.Header(), srcRect, s, true, 2, outKind,
                                 kDark, kLight);
    dst.Header()->biHeight = rowCount;
    const auto* table = reinterpret_cast<const RGBQUAD*>(DibColorTablePtr(dst.Header()));
    for (int i = 0; i < colours; ++i)
        out.table.push_back(table[i].rgbRed << 16 | table[i].rgbGreen << 8 | table[i].rgbBlue);
    out.pixels = PixelsOf(dst.Header(), rowCount);
    return out;
}

std::vector<RGBQUAD> FourColours() {
    return {Rgb(kBlack), Rgb(kWhite), Rgb(kRed), Rgb(kGreen)};
}

DibBuilder Paletted() {
    return std::move(DibBuilder(2, 2, 8, FourColours()).Pixels({2, 1, 3, 0}));
}
DibBuilder TrueColour(int bpp = 24) {
    return std::move(DibBuilder(2, 2, bpp).Pixels({kRed, kWhite, kGreen, kBlack}));
}

std::optional<ADJUST> Settings(int mode, bool sharpen = true, std::function<void(ADJUST&)> more = {}) {
    ADJUST a;
    a.colourMode = mode;
    a.sharpen = sharpen;
    if (more)
        more(a);
    return a;
}

struct ConvertCase {
    const char* name;
    std::function<DibBuilder()> source;
    std::optional<ADJUST> settings;
    int outKind;
    int colours;
    std::vector<unsigned> pixels;
    std::vector<std::pair<int, unsigned>> entries; // colour-table entries to check
};

class ConvertDibTest : public testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertDibTest, ColourTableAndPixels) {
    const ConvertCase& c = GetParam();
    DibBuilder src = c.source();
    const Converted out =
        Convert(src, CRect(0, 0, 2, 2), 2, 2, c.settings ? &*c.settings : nullptr, c.outKind);
    ASSERT_EQ(out.colours, c.colours);
    if (c.colours < 0)
        return;
    EXPECT_EQ(out.pixels, c.pixels);
    for (const auto& [index, rgb] : c.entries)
        EXPECT_EQ(out.table.at(static_cast<size_t>(index)), rgb) << "entry " << index;
}

const std::vector<unsigned> kCubeIndexes = {5, 239, 42, 0}; // red, white, green, black on the 6x8x5 cube
const unsigned kDarkRgb = 0x010203, kLightRgb = 0xFBFCFD;

INSTANTIATE_TEST_SUITE_P(
    Modes, ConvertDibTest,
    testing::Values(
        // Paletted sources keep their indexes unless grey sharpening or sharpened true colour needs more.
        ConvertCase{"PalettedWithoutSettingsKeepsColours",
                    Paletted,
                    std::nullopt,
                    1,
                    4,
                    {2, 1, 3, 0},
                    {{0, kBlack}, {1, kWhite}, {2, kRed}, {3, kGreen}}},
        ConvertCase{"PalettedTwoColours",
                    Paletted,
                    Settings(0),
                    1,
                    4,
                    {2, 1, 3, 0},
                    {{0, kDarkRgb}, {1, kLightRgb}, {2, kDarkRgb}, {3, kLightRgb}}},
        ConvertCase{"PalettedGrey",
                    Paletted,
                    Settings(1, false),
                    1,
                    4,
                    {2, 1, 3, 0},
                    {{0, 0}, {1, 0xFFFFFF}, {2, 0x4D4D4D}, {3, 0x858585}}},
        ConvertCase{"PalettedGreySharpenedUsesRamp",
                    Paletted,
                    Settings(1),
                    1,
                    256,
                    {77, 255, 133, 0},
                    {{0, 0}, {77, 0x4D4D4D}, {255, 0xFFFFFF}}},
        ConvertCase{"PalettedColours", Paletted, Settings(2), 0, 4, {2, 1, 3, 0}, {{2, kRed}}},
        ConvertCase{
            "PalettedTrueColourUnsharpened", Paletted, Settings(3, false), 0, 4, {2, 1, 3, 0}, {{3, kGreen}}},
        ConvertCase{"PalettedSharpenedToCube", Paletted, Settings(3), 0, 240, kCubeIndexes, {{239, kWhite}}},
        ConvertCase{
            "PalettedSharpenedToTrueColour", Paletted, Settings(3), 1, 0, {kRed, kWhite, kGreen, kBlack}, {}},
        ConvertCase{"PalettedSharpenedRefusesOutKind3", Paletted, Settings(3), 3, -1, {}, {}},
        ConvertCase{"PalettedRefusesMode4", Paletted, Settings(4), 1, -1, {}, {}},
        ConvertCase{"PalettedRefusesNegativeMode", Paletted, Settings(-1), 1, -1, {}, {}},
        // True-colour sources.
        ConvertCase{"TrueColourWithoutSettingsIsCopied",
                    [] { return TrueColour(); },
                    std::nullopt,
                    1,
                    0,
                    {kRed, kWhite, kGreen, kBlack},
                    {}},
        ConvertCase{"TrueColourWithoutSettingsToCube",
                    [] { return TrueColour(); },
                    std::nullopt,
                    0,
                    240,
                    kCubeIndexes,
                    {{5, kRed}, {42, kGreen}}},
        ConvertCase{"TrueColourWithoutSettingsRefusesOutKind3",
                    [] { return TrueColour(); },
                    std::nullopt,
                    3,
                    -1,
                    {},
                    {}},
        // The indexes are grey levels after the tone; the colour table applies the tone once more.
        ConvertCase{"TrueColourTwoColours",
                    [] { return TrueColour(); },
                    Settings(0),
                    2,
                    256,
                    {77, 255, 133, 0},
                    {{127, kDarkRgb}, {128, kLightRgb}}},
        ConvertCase{"TrueColourGrey",
                    [] { return TrueColour(); },
                    Settings(1, false),
                    2,
                    256,
                    {77, 255, 133, 0},
                    {{77, 0x4D4D4D}, {200, 0xC8C8C8}}},
        // Brightness 0.25 lifts black to index 64, and its entry to 128.
        ConvertCase{"TrueColourGreyAppliesTheToneInIndexesAndTable",
                    [] { return TrueColour(); },
                    Settings(1, false, [](ADJUST& a) { a.brightness = 0.25f; }),
                    2,
                    256,
                    {140, 255, 196, 64},
                    {{64, 0x808080}, {140, 0xCCCCCC}}},
        // Brightness 0.2 lifts black to 51; applied once, in the indexes, with a plain ramp.
        ConvertCase{"TrueColourGreySharpened",
                    [] { return TrueColour(); },
                    Settings(1, true, [](ADJUST& a) { a.brightness = 0.2f; }),
                    2,
                    256,
                    {128, 255, 184, 51},
                    {{51, 0x333333}}},
        ConvertCase{"TrueColourPaletteToCube",
                    [] { return TrueColour(); },
                    Settings(2),
                    1,
                    240,
                    kCubeIndexes,
                    {{239, kWhite}}},
        ConvertCase{"TrueColourPaletteModeAsTrueColour",
                    [] { return TrueColour(); },
                    Settings(2, true, [](ADJUST& a) { a.saturation = 0; }),
                    2,
                    0,
                    {0x4D4D4D, kWhite, 0x858585, kBlack},
                    {}},
        ConvertCase{
            "TrueColourPaletteModeRefusesOutKind3", [] { return TrueColour(); }, Settings(2), 3, -1, {}, {}},
        ConvertCase{
            "TrueColourSharpenedToCube", [] { return TrueColour(); }, Settings(3), 0, 240, kCubeIndexes, {}},
        ConvertCase{"TrueColourUnsharpenedToCube",
                    [] { return TrueColour(); },
                    Settings(3, false),
                    0,
                    240,
                    kCubeIndexes,
                    {}},
        ConvertCase{"TrueColourDefaults",
                    [] { return TrueColour(); },
                    Settings(3),
                    1,
                    0,
                    {kRed, kWhite, kGreen, kBlack},
                    {}},
        ConvertCase{"ThirtyTwoBitSource",
                    [] { return TrueColour(32); },
                    Settings(3),
                    2,
                    0,
                    {kRed, kWhite, kGreen, kBlack},
                    {}},
        ConvertCase{"TrueColourRefusesMode4", [] { return TrueColour(); }, Settings(4), 1, -1, {}, {}},
        // Orientation.
        ConvertCase{"Mirror",
                    [] { return TrueColour(); },
                    Settings(3, true, [](ADJUST& a) { a.mirror = 1; }),
                    1,
                    0,
                    {kWhite, kRed, kBlack, kGreen},
                    {}},
        ConvertCase{"Flip",
                    [] { return TrueColour(); },
                    Settings(3, true, [](ADJUST& a) { a.flip = 1; }),
                    1,
                    0,
                    {kGreen, kBlack, kRed, kWhite},
                    {}},
        ConvertCase{"MirrorAndFlipCountAsNeither",
                    [] { return TrueColour(); },
                    Settings(3, true, [](ADJUST& a) { a.mirror = a.flip = 1; }),
                    1,
                    0,
                    {kRed, kWhite, kGreen, kBlack},
                    {}},
        // Sources the engine cannot read.
        ConvertCase{"RefusesSixteenBits", [] { return DibBuilder(2, 2, 16); }, std::nullopt, 1, -1, {}, {}},
        ConvertCase{"RefusesCompressed",
                    [] {
                        DibBuilder d = Paletted();
                        d.Header()->biCompression = BI_RLE8;
                        return d;
                    },
                    std::nullopt,
                    1,
                    -1,
                    {},
                    {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Two colours from true colour: at brightness slider 75 the tone moves the grey level and then the
// threshold in the colour table, so the light colour starts at grey 64 (one pass would give 96).
TEST(ConvertDib, TwoColoursFromTrueColourApplyTheToneTwice) {
    std::vector<unsigned> ramp;
    for (unsigned grey = 0; grey < 256; ++grey)
        ramp.push_back(grey * 0x010101);
    DibBuilder src = std::move(DibBuilder(256, 1, 24).Pixels(ramp));
    ADJUST settings;
    settings.colourMode = 0;
    settings.brightness = 0.25f;
    const Converted out = Convert(src, CRect(0, 0, 256, 1), 256, 1, &settings, 2);
    ASSERT_EQ(out.colours, 256);
    std::vector<unsigned> shown;
    for (const unsigned index : out.pixels)
        shown.push_back(out.table.at(index));
    EXPECT_EQ(shown[63], kDarkRgb);
    EXPECT_EQ(shown[64], kLightRgb);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), kLightRgb), 256 - 64);
}

TEST(ConvertDib, StretchStepsWithAnAccumulatorStartingAtHalfTheRemainder) {
    DibBuilder src = std::move(DibBuilder(3, 1, 24).Pixels({0x111111, 0x222222, 0x333333}));
    EXPECT_EQ(Convert(src, CRect(0, 0, 3, 1), 2, 1, nullptr, 1).pixels,
              (std::vector<unsigned>{0x111111, 0x222222}));
    EXPECT_EQ(Convert(src, CRect(0, 0, 2, 1), 5, 1, nullptr, 1).pixels,
              (std::vector<unsigned>{0x111111, 0x111111, 0x222222, 0x222222, 0x222222}));
    ADJUST mirrored;
    mirrored.mirror = 1;
    EXPECT_EQ(Convert(src, CRect(0, 0, 3, 1), 2, 1, &mirrored, 1).pixels,
              (std::vector<unsigned>{0x333333, 0x222222}));
}

TEST(ConvertDib, SourceRectangleCountsFromTheTopAndIsClampedToThePicture) {
    DibBuilder src = std::move(DibBuilder(3, 2, 24).Pixels({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Convert(src, CRect(1, 0, 3, 1), 2, 1, nullptr, 1).pixels, (std::vector<unsigned>{2, 3}));
    EXPECT_EQ(Convert(src, CRect(1, 1, 3, 2), 2, 1, nullptr, 1).pixels, (std::vector<unsigned>{5, 6}));
    EXPECT_EQ(Convert(src, CRect(2, 1, 50, 90), 1, 1, nullptr, 1).pixels, (std::vector<unsigned>{6}));
    EXPECT_EQ(Convert(src, CRect(5, 5, 9, 9), 1, 1, nullptr, 1).colours, -1);
}

TEST(ConvertDib, TopDownSourcesReadTheSameWay) {
    DibBuilder src = std::move(DibBuilder(2, 2, 24).Pixels({1, 2, 3, 4}));
    // Turn the rows over in memory and mark the DIB top-down.
    std::swap_ranges(src.Row(0), src.Row(0) + 8, src.Row(1));
    src.Header()->biHeight = -2;
    EXPECT_EQ(Convert(src, CRect(0, 0, 2, 2), 2, 2, nullptr, 1).pixels, (std::vector<unsigned>{1, 2, 3, 4}));
}

TEST(ConvertDib, SubByteIndexesAreUnpacked) {
    DibBuilder mono(10, 1, 1, {Rgb(kBlack), Rgb(kWhite)});
    mono.Pixels({1, 0, 1, 1, 0, 0, 0, 1, 0, 1});
    const Converted fromMono = Convert(mono, CRect(0, 0, 10, 1), 10, 1, nullptr, 1);
    EXPECT_EQ(fromMono.colours, 2);
    EXPECT_EQ(fromMono.pixels, (std::vector<unsigned>{1, 0, 1, 1, 0, 0, 0, 1, 0, 1}));

    DibBuilder nibbles(3, 1, 4, std::vector<RGBQUAD>(16));
    nibbles.Pixels({15, 0, 7});
    EXPECT_EQ(Convert(nibbles, CRect(0, 0, 3, 1), 3, 1, nullptr, 1).pixels,
              (std::vector<unsigned>{15, 0, 7}));
}

TEST(ConvertDib, CoreHeaderColoursAreThreeBytesEach) {
    // 12-byte header, 256 three-byte entries, then one row of two 8-bit pixels.
    std::vector<std::uint32_t> block((12 + 768 + 4 + 3) / 4, 0);
    auto* bytes = reinterpret_cast<BYTE*>(block.data());
    const BITMAPCOREHEADER core{12, 2, 1, 1, 8};
    std::memcpy(bytes, &core, sizeof core);
    const BYTE entry1[3] = {0x30, 0x20, 0x10}; // blue, green, red
    std::memcpy(bytes + 12 + 3, entry1, 3);
    bytes[12 + 768] = 1;
    bytes[12 + 768 + 1] = 0;
    const auto* src = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
    ASSERT_EQ(ConvertedColorCount(src, nullptr, 1), 256);
    DibBuilder dst(2, 1, 8, std::vector<RGBQUAD>(256));
    ASSERT_EQ(ConvertDibInto(dst.Header(), 0, 1, src, CRect(0, 0, 2, 1), nullptr, true, 2, 1, 0, 0), 256);
    const auto* table = reinterpret_cast<const RGBQUAD*>(DibColorTablePtr(dst.Header()));
    EXPECT_EQ(table[1].rgbRed, 0x10);
    EXPECT_EQ(table[1].rgbBlue, 0x30);
    EXPECT_EQ(PixelsOf(dst.Header(), 1), (std::vector<unsigned>{1, 0}));
}

TEST(ConvertDib, ErrorDiffusionCarriesHalfAlongTheRowAndHalfDown) {
    // Red 40 on six levels: 0, 1, 1, 0 in the first row (errors 40, 9, -6, 37 halved each way), then
    // 1, 1, 0, 1 with the column errors 20, 4, -3, 18 added.
    DibBuilder src(4, 2, 24);
    src.Pixels({0x280000, 0x280000, 0x280000, 0x280000, 0x280000, 0x280000, 0x280000, 0x280000});
    EXPECT_EQ(Convert(src, CRect(0, 0, 4, 2), 4, 2, nullptr, 0).pixels,
              (std::vector<unsigned>{0, 1, 1, 0, 1, 1, 0, 1}));
}

TEST(ConvertDib, BandHoldsJustItsRows) {
    DibBuilder src = std::move(DibBuilder(2, 3, 24).Pixels({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Convert(src, CRect(0, 0, 2, 3), 2, 3, nullptr, 1, 1, 2).pixels,
              (std::vector<unsigned>{3, 4, 5, 6}));
    EXPECT_EQ(Convert(src, CRect(0, 0, 2, 3), 2, 3, nullptr, 1, 2, 2).colours, -1)
        << "band beyond the picture";
}

TEST(ConvertDib, DestinationMustMatchTheConversion) {
    DibBuilder src = TrueColour();
    DibBuilder eightBit(2, 2, 8, std::vector<RGBQUAD>(256));
    EXPECT_EQ(
        ConvertDibInto(eightBit.Header(), 0, 2, src.Header(), CRect(0, 0, 2, 2), nullptr, true, 2, 1, 0, 0),
        -1);
    DibBuilder tooFewColours(2, 2, 8, std::vector<RGBQUAD>(16));
    EXPECT_EQ(ConvertDibInto(tooFewColours.Header(), 0, 2, src.Header(), CRect(0, 0, 2, 2), nullptr, true, 2,
                             0, 0, 0),
              -1);
}

TEST(ConvertDib, WithoutConvertOnlyTheColourTableIsMade) {
    DibBuilder src = TrueColour();
    DibBuilder dst(2, 2, 8, std::vector<RGBQUAD>(240));
    dst.Pixels({9, 9, 9, 9});
    ASSERT_EQ(ConvertDibInto(dst.Header(), 0, 2, src.Header(), CRect(0, 0, 2, 2), nullptr, false, 2, 0, 0, 0),
              240);
    EXPECT_EQ(PixelsOf(dst.Header(), 2), (std::vector<unsigned>{9, 9, 9, 9}));
    EXPECT_EQ(reinterpret_cast<const RGBQUAD*>(DibColorTablePtr(dst.Header()))[239].rgbGreen, 255);
}

TEST(ConvertDib, IntoGlobalMemory) {
    DibBuilder src = std::move(DibBuilder(2, 3, 24).Pixels({1, 2, 3, 4, 5, 6}));
    const CRect all(0, 0, 2, 3);
    // A band comes back as a DIB of its own rows, so that nobody reads rows the block does not hold.
    struct Band {
        const char* what;
        int firstRow, rowCount;
        std::vector<unsigned> pixels;
    };
    for (const Band& b : {Band{"whole", 0, 3, {1, 2, 3, 4, 5, 6}}, Band{"lower rows", 1, 2, {3, 4, 5, 6}}}) {
        HGLOBAL block = ConvertDib(src.Header(), b.firstRow, b.rowCount, all, 2, 3, nullptr, 2, 1, 0, 0);
        ASSERT_NE(block, nullptr) << b.what;
        {
            CGlobalLock lock(block);
            const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(lock.Bytes());
            EXPECT_EQ(h->biHeight, b.rowCount) << b.what;
            EXPECT_EQ(lock.Size(), 40u + static_cast<unsigned>(b.rowCount) * 8) << b.what;
            EXPECT_EQ(PixelsOf(h, b.rowCount), b.pixels) << b.what;
        }
        GlobalFree(block);
    }

    struct Refused {
        const char* why;
        int firstRow, rowCount, width, height;
    };
    for (const Refused& r :
         {Refused{"zero width", 0, 1, 0, 3}, Refused{"negative height", 0, 1, 2, -3},
          Refused{"too wide", 0, 1, 70000, 1}, Refused{"no rows", 0, 0, 2, 3},
          Refused{"band past the end", 2, 2, 2, 3}, Refused{"negative first row", -1, 2, 2, 3}})
        EXPECT_EQ(
            ConvertDib(src.Header(), r.firstRow, r.rowCount, all, r.width, r.height, nullptr, 2, 1, 0, 0),
            nullptr)
            << r.why;
}

} // namespace
