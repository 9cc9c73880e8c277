#include "platform/imaging/ImagingBitmap.h"

#include "TestDibs.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

CImagingBitmap Loaded(const std::vector<BYTE>& dib, int bitsPerPixel = 0) {
    CImagingBitmap bitmap;
    EXPECT_TRUE(bitmap.Load(&HeaderOf(dib), dib.size(), bitsPerPixel));
    return bitmap;
}

std::vector<DWORD> Values(std::initializer_list<DWORD> v) {
    return v;
}

// 4 x 3, values 1..12 reading order.
const std::vector<int> kTwelve = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

struct CropCase {
    const char* name;
    int left, bottom, width, height;
    bool succeeds;
    int resultWidth, resultHeight;
    std::vector<DWORD> pixels;
};
void PrintTo(const CropCase& c, std::ostream* os) {
    *os << c.name;
}

class CropTest : public ::testing::TestWithParam<CropCase> {};

TEST_P(CropTest, CutsTheRectangleCountedFromTheBottom) {
    const CropCase& c = GetParam();
    for (int bits : {4, 8}) {
        CImagingBitmap bitmap = Loaded(IndexedDib(4, 3, bits, kTwelve, 16));
        ASSERT_EQ(c.succeeds, bitmap.Crop(c.left, c.bottom, c.width, c.height)) << bits << " bits";
        if (!c.succeeds) {
            EXPECT_EQ(4, bitmap.GetWidth()) << "a refused crop leaves the picture as it was";
            continue;
        }
        EXPECT_EQ(c.resultWidth, bitmap.GetWidth());
        EXPECT_EQ(c.resultHeight, bitmap.GetHeight());
        EXPECT_EQ(bits, bitmap.GetBitsPerPixel());
        EXPECT_EQ(c.pixels, PixelValues(bitmap.GetDib())) << bits << " bits";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, CropTest,
    ::testing::Values(CropCase{"WholePicture", 0, 0, 4, 3, true, 4, 3,
                               Values({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})},
                      CropCase{"BottomMiddle", 1, 0, 2, 2, true, 2, 2, Values({6, 7, 10, 11})},
                      CropCase{"TopRow", 0, 2, 4, 1, true, 4, 1, Values({1, 2, 3, 4})},
                      CropCase{"ClampedToThePicture", 2, 1, 10, 10, true, 2, 2, Values({3, 4, 7, 8})},
                      CropCase{"NegativeCornerClamped", -1, -1, 2, 2, true, 1, 1, Values({9})},
                      CropCase{"OutsideFails", 4, 0, 2, 2, false, 0, 0, {}},
                      CropCase{"ZeroWidthFails", 0, 0, 0, 2, false, 0, 0, {}},
                      CropCase{"NegativeHeightFails", 0, 0, 2, -1, false, 0, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImagingBitmapTest, CropOfOneBitPicturesKeepsBitsAcrossByteEdges) {
    std::vector<int> stripes(20 * 2);
    for (int i = 0; i < 40; ++i)
        stripes[std::size_t(i)] = (i % 20) % 3 == 0;
    CImagingBitmap bitmap = Loaded(IndexedDib(20, 2, 1, stripes, 2));
    ASSERT_TRUE(bitmap.Crop(7, 0, 10, 1));
    EXPECT_EQ(Values({0, 0, 1, 0, 0, 1, 0, 0, 1, 0}), PixelValues(bitmap.GetDib()));
}

struct RotateCase {
    const char* name;
    int hundredths;
    int flags;
    int resultWidth, resultHeight;
    std::vector<DWORD> pixels; // 0 marks the fill
};
void PrintTo(const RotateCase& c, std::ostream* os) {
    *os << c.name;
}

class RotateTest : public ::testing::TestWithParam<RotateCase> {};

// 3 x 2, values 1..6; the fill is entry 0.
TEST_P(RotateTest, TurnsClockwiseForPositiveAngles) {
    const RotateCase& c = GetParam();
    CImagingBitmap bitmap = Loaded(IndexedDib(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(bitmap.Rotate(c.hundredths, c.flags, RGB(0, 0, 0)));
    EXPECT_EQ(c.resultWidth, bitmap.GetWidth());
    EXPECT_EQ(c.resultHeight, bitmap.GetHeight());
    EXPECT_EQ(c.pixels, PixelValues(bitmap.GetDib()));
}

INSTANTIATE_TEST_SUITE_P(
    QuarterTurns, RotateTest,
    ::testing::Values(
        RotateCase{"NoTurn", 0, kRotateResize, 3, 2, Values({1, 2, 3, 4, 5, 6})},
        RotateCase{"FullTurn", 36000, kRotateResize, 3, 2, Values({1, 2, 3, 4, 5, 6})},
        RotateCase{"QuarterClockwise", 9000, kRotateResize, 2, 3, Values({4, 1, 5, 2, 6, 3})},
        RotateCase{"QuarterAnticlockwise", -9000, kRotateResize, 2, 3, Values({3, 6, 2, 5, 1, 4})},
        RotateCase{"ThreeQuartersIsAnticlockwise", 27000, kRotateResize, 2, 3, Values({3, 6, 2, 5, 1, 4})},
        RotateCase{"HalfTurn", 18000, kRotateResize, 3, 2, Values({6, 5, 4, 3, 2, 1})},
        RotateCase{"QuarterInOwnSizeIsCutAndFilled", 9000, 0, 3, 2, Values({0, 5, 2, 0, 6, 3})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImagingBitmapTest, QuarterTurnOfTrueColourMovesEveryPixelExactly) {
    const int w = 7, h = 5;
    std::vector<COLORREF> colours;
    for (int i = 0; i < w * h; ++i)
        colours.push_back(RGB(i * 7, 255 - i, i * 3 + 1));
    CImagingBitmap bitmap = Loaded(ColourDib(w, h, colours));
    ASSERT_TRUE(bitmap.Rotate(9000, kRotateResize, RGB(255, 0, 255)));
    ASSERT_EQ(h, bitmap.GetWidth());
    ASSERT_EQ(w, bitmap.GetHeight());
    const std::vector<DWORD> turned = PixelValues(bitmap.GetDib());
    // Clockwise: the target's row r, column c shows the source's row h-1-c, column r.
    for (int r = 0; r < w; ++r)
        for (int c = 0; c < h; ++c)
            ASSERT_EQ(colours[std::size_t((h - 1 - c) * w + r)], turned[std::size_t(r * h + c)])
                << r << "," << c;
}

struct BoundingBoxCase {
    const char* name;
    int width, height, hundredths;
    int expectedWidth, expectedHeight;
};
void PrintTo(const BoundingBoxCase& c, std::ostream* os) {
    *os << c.name;
}

class RotateBoundingBoxTest : public ::testing::TestWithParam<BoundingBoxCase> {};

TEST_P(RotateBoundingBoxTest, GrowsToTheTurnedPicturesBoundingBox) {
    const BoundingBoxCase& c = GetParam();
    CImagingBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(c.width, c.height, 24));
    CImagingBitmap kept = bitmap;
    ASSERT_TRUE(bitmap.Rotate(c.hundredths, kRotateResize, RGB(255, 255, 255)));
    EXPECT_EQ(c.expectedWidth, bitmap.GetWidth());
    EXPECT_EQ(c.expectedHeight, bitmap.GetHeight());
    ASSERT_TRUE(kept.Rotate(c.hundredths, 0, RGB(255, 255, 255)));
    EXPECT_EQ(c.width, kept.GetWidth()) << "without the flag the size stays";
    EXPECT_EQ(c.height, kept.GetHeight());
}

INSTANTIATE_TEST_SUITE_P(Angles, RotateBoundingBoxTest,
                         ::testing::Values(BoundingBoxCase{"ThirtyDegrees", 40, 20, 3000, 45, 38},
                                           BoundingBoxCase{"FortyFiveDegrees", 10, 10, 4500, 15, 15},
                                           BoundingBoxCase{"MinusThirtyDegrees", 40, 20, -3000, 45, 38},
                                           BoundingBoxCase{"HundredTwentyDegrees", 40, 20, 12000, 38, 45},
                                           BoundingBoxCase{"QuarterTurnSwapsSides", 40, 20, 9000, 20, 40},
                                           BoundingBoxCase{"HalfTurnKeepsSides", 40, 20, 18000, 40, 20}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImagingBitmapTest, RotationFillsTheUncoveredCornersOnly) {
    CImagingBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(21, 21, 24));
    ASSERT_TRUE(bitmap.Fill(RGB(10, 20, 30)));
    ASSERT_TRUE(bitmap.Rotate(4500, kRotateResize, RGB(255, 255, 255)));
    const int side = bitmap.GetWidth();
    const std::vector<DWORD> pixels = PixelValues(bitmap.GetDib());
    for (int corner : {0, side - 1, side * (side - 1), side * side - 1})
        EXPECT_EQ(RGB(255, 255, 255), pixels[std::size_t(corner)]);
    EXPECT_EQ(RGB(10, 20, 30), pixels[std::size_t(side * (side / 2) + side / 2)]);
    for (int x = 0; x < side; ++x) // the middle row crosses the whole turned square
        EXPECT_EQ(x == 0 || x == side - 1 ? RGB(255, 255, 255) : RGB(10, 20, 30),
                  pixels[std::size_t(side * (side / 2) + x)])
            << x;
}

TEST(ImagingBitmapTest, RotatedMaskStaysTwoColouredWithItsFill) {
    std::vector<int> mask(16 * 16, 1);
    CImagingBitmap bitmap = Loaded(IndexedDib(16, 16, 1, mask, 2));
    ASSERT_TRUE(bitmap.Rotate(-3000, kRotateResize, RGB(0, 0, 0)));
    EXPECT_EQ(1, bitmap.GetBitsPerPixel());
    const std::vector<COLORREF> colours = PixelColours(bitmap.GetDib());
    EXPECT_EQ(RGB(0, 0, 0), colours.front());
    const int w = bitmap.GetWidth(), h = bitmap.GetHeight();
    EXPECT_EQ(RGB(255, 255, 255), colours[std::size_t(w * (h / 2) + w / 2)]);
}

struct ResizeCase {
    const char* name;
    int width, height;
    std::vector<int> source;
    int mode;
    int resultWidth, resultHeight;
    std::vector<DWORD> pixels;
};
void PrintTo(const ResizeCase& c, std::ostream* os) {
    *os << c.name;
}

class ResizeTest : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(ResizeTest, ScalesEightBitGreys) {
    const ResizeCase& c = GetParam();
    CImagingBitmap bitmap = Loaded(IndexedDib(c.width, c.height, 8, c.source));
    ASSERT_TRUE(bitmap.Resize(c.resultWidth, c.resultHeight, c.mode));
    EXPECT_EQ(8, bitmap.GetBitsPerPixel());
    EXPECT_EQ(c.pixels, PixelValues(bitmap.GetDib()));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ResizeTest,
    ::testing::Values(
        ResizeCase{"NormalDoubles",
                   2,
                   2,
                   {1, 2, 3, 4},
                   kResizeNormal,
                   4,
                   4,
                   Values({1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4})},
        ResizeCase{"NormalTakesCentres", 3, 1, {10, 20, 30}, kResizeNormal, 2, 1, Values({10, 30})},
        ResizeCase{"NormalThirdsOfSix", 6, 1, {1, 2, 3, 4, 5, 6}, kResizeNormal, 3, 1, Values({2, 4, 6})},
        ResizeCase{"UnknownModeIsNormal", 3, 1, {10, 20, 30}, 1, 2, 1, Values({10, 30})},
        ResizeCase{
            "ResampleAveragesAreas", 4, 1, {0, 100, 200, 255}, kResizeResample, 2, 1, Values({50, 228})},
        ResizeCase{"ResampleAveragesThirds", 3, 1, {0, 90, 180}, kResizeResample, 2, 1, Values({30, 150})},
        ResizeCase{"BicubicKeepsSameSize", 3, 1, {7, 99, 201}, kResizeBicubic, 3, 1, Values({7, 99, 201})},
        ResizeCase{"BicubicKeepsAFlatPicture",
                   2,
                   2,
                   {77, 77, 77, 77},
                   kResizeBicubic,
                   5,
                   3,
                   Values({77, 77, 77, 77, 77, 77, 77, 77, 77, 77, 77, 77, 77, 77, 77})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImagingBitmapTest, ResizeRefusesEmptyAndOversizedTargets) {
    CImagingBitmap bitmap = Loaded(IndexedDib(2, 2, 8, {1, 2, 3, 4}));
    EXPECT_FALSE(bitmap.Resize(0, 5, kResizeNormal));
    EXPECT_FALSE(bitmap.Resize(5, -1, kResizeResample));
    EXPECT_FALSE(bitmap.Resize(70000, 2, kResizeNormal));
    EXPECT_FALSE(bitmap.Resize(40000, 40000, kResizeNormal));
    EXPECT_EQ(Values({1, 2, 3, 4}), PixelValues(bitmap.GetDib()));
}

// Every channel of every pixel within 128 +- 12.
bool IsNearUniformGrey(const std::vector<DWORD>& colours) {
    for (DWORD c : colours)
        for (int channel : {GetRValue(c), GetGValue(c), GetBValue(c)})
            if (std::abs(channel - 128) > 12)
                return false;
    return true;
}

std::vector<BYTE> Checkerboard(int side) {
    std::vector<COLORREF> colours(std::size_t(side) * side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            colours[std::size_t(y * side + x)] = (x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0);
    return ColourDib(side, side, colours);
}

TEST(ImagingBitmapTest, ResampleModeAveragesACheckerboardToGreyWhereNormalModeAliases) {
    const std::vector<BYTE> board = Checkerboard(800);
    CImagingBitmap resampled = Loaded(board), normal = Loaded(board);
    ASSERT_TRUE(resampled.Resize(100, 100, kResizeResample));
    ASSERT_TRUE(normal.Resize(100, 100, kResizeNormal));
    EXPECT_TRUE(IsNearUniformGrey(PixelValues(resampled.GetDib())));
    EXPECT_FALSE(IsNearUniformGrey(PixelValues(normal.GetDib())));
}

TEST(ImagingBitmapTest, SmoothResizeOfAPaletteKeepsItsPalette) {
    CImagingBitmap bitmap = Loaded(IndexedDib(4, 1, 4, {0, 15, 0, 15}, 16));
    ASSERT_TRUE(bitmap.Resize(2, 1, kResizeResample));
    EXPECT_EQ(4, bitmap.GetBitsPerPixel());
    EXPECT_EQ(16u, HeaderOf(bitmap.GetDib()).biClrUsed);
    // The mean grey 127.5 is nearest to entry 8 (136) among the greys 0, 17, ... 255.
    EXPECT_EQ(Values({8, 8}), PixelValues(bitmap.GetDib()));
}

struct CreateCase {
    const char* name;
    int bits;
    COLORREF colour;
    DWORD value;      // stored value of every pixel
    COLORREF shownAs; // its colour
};
void PrintTo(const CreateCase& c, std::ostream* os) {
    *os << c.name;
}

class CreateFillTest : public ::testing::TestWithParam<CreateCase> {};

TEST_P(CreateFillTest, FillsEveryPixel) {
    const CreateCase& c = GetParam();
    CImagingBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(13, 3, c.bits));
    EXPECT_EQ(std::vector<COLORREF>(39, RGB(0, 0, 0)), PixelColours(bitmap.GetDib())) << "created black";
    ASSERT_TRUE(bitmap.Fill(c.colour));
    EXPECT_EQ(c.bits, bitmap.GetBitsPerPixel());
    EXPECT_EQ(std::vector<DWORD>(39, c.value), PixelValues(bitmap.GetDib()));
    EXPECT_EQ(std::vector<COLORREF>(39, c.shownAs), PixelColours(bitmap.GetDib()));
}

INSTANTIATE_TEST_SUITE_P(
    Depths, CreateFillTest,
    ::testing::Values(CreateCase{"WhiteMask", 1, RGB(255, 255, 255), 1, RGB(255, 255, 255)},
                      CreateCase{"LightGreyMaskIsWhite", 1, RGB(200, 200, 200), 1, RGB(255, 255, 255)},
                      CreateCase{"SixteenColoursRed", 4, RGB(255, 0, 0), 9, RGB(255, 0, 0)},
                      CreateCase{"SixteenColoursNearestSilver", 4, RGB(190, 195, 185), 7, RGB(192, 192, 192)},
                      CreateCase{"CubeColour", 8, RGB(51, 102, 255), 1 + 2 * 6 + 5 * 36, RGB(51, 102, 255)},
                      CreateCase{"HighColour", 16, RGB(255, 128, 0), 0x7E00, RGB(255, 132, 0)},
                      CreateCase{"TrueColour", 24, RGB(1, 2, 3), RGB(1, 2, 3), RGB(1, 2, 3)},
                      CreateCase{"TrueColourWithPad", 32, RGB(4, 5, 6), RGB(4, 5, 6), RGB(4, 5, 6)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImagingBitmapTest, CreateRefusesBadSizesAndDepths) {
    CImagingBitmap bitmap;
    EXPECT_FALSE(bitmap.Create(0, 1, 24));
    EXPECT_FALSE(bitmap.Create(1, -1, 24));
    EXPECT_FALSE(bitmap.Create(1, 1, 2));
    EXPECT_FALSE(bitmap.Create(65536, 1, 1));
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_FALSE(bitmap.Fill(0));
}

TEST(ImagingBitmapTest, LoadConvertsToTheAskedDepth) {
    const std::vector<BYTE> mask = ColourDib(3, 1, {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)});
    CImagingBitmap oneBit = Loaded(mask, 1);
    EXPECT_EQ(1, oneBit.GetBitsPerPixel());
    EXPECT_EQ(Values({1, 0, 1}), PixelValues(oneBit.GetDib())) << "two colours, sorted: black first";

    CImagingBitmap trueColour = Loaded(IndexedDib(2, 1, 4, {3, 15}, 16), 24);
    EXPECT_EQ(Values({RGB(51, 51, 51), RGB(255, 255, 255)}), PixelValues(trueColour.GetDib()));

    CImagingBitmap kept = Loaded(IndexedDib(2, 1, 4, {3, 15}, 16), 0);
    EXPECT_EQ(4, kept.GetBitsPerPixel());
    EXPECT_EQ(Values({3, 15}), PixelValues(kept.GetDib()));
}

TEST(ImagingBitmapTest, LoadRefusesWhatIsNotAnUncompressedDib) {
    std::vector<BYTE> good = IndexedDib(4, 4, 8, std::vector<int>(16, 1));
    CImagingBitmap bitmap;
    EXPECT_FALSE(bitmap.Load(&HeaderOf(good), good.size() - 1, 0)) << "rows past the block";
    EXPECT_FALSE(bitmap.Load(&HeaderOf(good), good.size(), 3)) << "no such depth";
    std::vector<BYTE> compressed = good;
    reinterpret_cast<BITMAPINFOHEADER*>(compressed.data())->biCompression = BI_RLE8;
    EXPECT_FALSE(bitmap.Load(&HeaderOf(compressed), compressed.size(), 0));
    std::vector<BYTE> huge = good;
    reinterpret_cast<BITMAPINFOHEADER*>(huge.data())->biWidth = 0x7FFFFFFF;
    EXPECT_FALSE(bitmap.Load(&HeaderOf(huge), huge.size(), 0));
    EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(ImagingBitmapTest, LoadTurnsTopDownRowsBottomUp) {
    std::vector<BYTE> dib = IndexedDib(2, 2, 8, {1, 2, 3, 4});
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    header->biHeight = -2; // the same rows now read top row first
    CImagingBitmap bitmap = Loaded(dib);
    EXPECT_EQ(2, bitmap.GetHeight());
    EXPECT_EQ(Values({3, 4, 1, 2}), PixelValues(bitmap.GetDib()));
}

} // namespace
