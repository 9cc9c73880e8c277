#include "DibBuilder.h"
#include "DibFixtures.h"
#include "image/PictureInfo.h"

#include <climits>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>

namespace {

using Pixels = std::vector<std::vector<DWORD>>;

std::unique_ptr<CPictureInfo> PictureOf(DibBuilder dib) {
    const BITMAPINFOHEADER* h = dib.Header();
    const DWORD length = h->biSize + 4 * h->biClrUsed + h->biSizeImage;
    auto picture = std::make_unique<CPictureInfo>();
    std::memcpy(picture->Allocate(length), dib.Bytes(), length);
    return picture;
}

// 3 x 2 true colour: 1..6 as greys 0x010101..0x060606, reading order.
std::unique_ptr<CPictureInfo> SixGreys() {
    return PictureOf(
        std::move(DibBuilder(3, 2, 24).Pixels({0x010101, 0x020202, 0x030303, 0x040404, 0x050505, 0x060606})));
}

Pixels PixelsOf(const std::unique_ptr<CPictureInfo>& picture) {
    return AllPixels(picture->LoadFile(""));
}

struct ResizeCase {
    const char* name;
    std::unique_ptr<CPictureInfo> (*source)();
    CSize size;
    int bits;
    int mode;
    int resultBits;
    Pixels pixels;
};
void PrintTo(const ResizeCase& c, std::ostream* os) {
    *os << c.name;
}

class FromLeadBitmapTest : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(FromLeadBitmapTest, ScalesAtTheAskedDepth) {
    const ResizeCase& c = GetParam();
    const std::unique_ptr<CPictureInfo> source = c.source();
    std::unique_ptr<CPictureInfo> scaled(source->FromLeadBitmap(c.size, c.bits, c.mode));
    ASSERT_NE(nullptr, scaled);
    EXPECT_EQ(c.resultBits, scaled->GetHeader()->biBitCount);
    EXPECT_EQ(c.pixels, PixelsOf(scaled));
    EXPECT_EQ(40 + scaled->GetHeader()->biClrUsed * 4 + scaled->GetHeader()->biSizeImage,
              scaled->GetLength());
}

std::unique_ptr<CPictureInfo> RedGreen() {
    return PictureOf(std::move(DibBuilder(2, 1, 24).Pixels({0xFF0000, 0x00FF00})));
}
std::unique_ptr<CPictureInfo> BlackWhite() {
    return PictureOf(std::move(DibBuilder(2, 1, 24).Pixels({0, 0xFFFFFF})));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FromLeadBitmapTest,
    ::testing::Values(
        ResizeCase{"NormalRepeatsPixels",
                   RedGreen,
                   {4, 2},
                   0,
                   0,
                   24,
                   {{0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00}, {0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00}}},
        ResizeCase{"ResampleAveragesAreas", BlackWhite, {1, 1}, 0, 2, 24, {{0x808080}}},
        ResizeCase{"BicubicAtOwnSizeKeepsPixels",
                   SixGreys,
                   {3, 2},
                   0,
                   4,
                   24,
                   {{0x010101, 0x020202, 0x030303}, {0x040404, 0x050505, 0x060606}}},
        ResizeCase{"MaskAtOneBit", BlackWhite, {4, 1}, 1, 0, 1, {{0, 0, 0xFFFFFF, 0xFFFFFF}}},
        ResizeCase{"EightBitsKeepTwoColoursExactly", RedGreen, {2, 1}, 8, 0, 8, {{0xFF0000, 0x00FF00}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureImagingTest, FromLeadBitmapRefusesEmptySizesAndPictures) {
    const std::unique_ptr<CPictureInfo> picture = SixGreys();
    EXPECT_EQ(nullptr, picture->FromLeadBitmap({0, 2}, 0, 0));
    EXPECT_EQ(nullptr, picture->FromLeadBitmap({2, -1}, 0, 2));
    EXPECT_EQ(nullptr, picture->FromLeadBitmap({2, 2}, 7, 0)) << "no such depth";
    CPictureInfo empty;
    EXPECT_EQ(nullptr, empty.FromLeadBitmap({2, 2}, 0, 0));
}

struct CropCase {
    const char* name;
    CRect rect;
    Pixels pixels; // empty: refused
};
void PrintTo(const CropCase& c, std::ostream* os) {
    *os << c.name;
}

class CropLeadTest : public ::testing::TestWithParam<CropCase> {};

TEST_P(CropLeadTest, CutsTheTopDownRectangle) {
    const CropCase& c = GetParam();
    std::unique_ptr<CPictureInfo> cut(SixGreys()->CropLead(c.rect, 0));
    if (c.pixels.empty()) {
        EXPECT_EQ(nullptr, cut);
        return;
    }
    ASSERT_NE(nullptr, cut);
    EXPECT_EQ(c.pixels, PixelsOf(cut));
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, CropLeadTest,
    ::testing::Values(CropCase{"WholePictureKeepsItsSize",
                               {0, 0, 3, 2},
                               {{0x010101, 0x020202, 0x030303}, {0x040404, 0x050505, 0x060606}}},
                      CropCase{"TopRowPart", {1, 0, 3, 1}, {{0x020202, 0x030303}}},
                      CropCase{"BottomRowPart", {0, 1, 2, 2}, {{0x040404, 0x050505}}},
                      CropCase{"ClampedToThePicture", {2, 1, 9, 9}, {{0x060606}}},
                      CropCase{"ExtremeEdgesClamped",
                               {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                               {{0x010101, 0x020202, 0x030303}, {0x040404, 0x050505, 0x060606}}},
                      CropCase{"OutsideRefused", {5, 5, 9, 9}, {}},
                      CropCase{"TurnedRectangleRefused", {2, 0, 1, 1}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RotateCase {
    const char* name;
    int tenths;
    int flags;
    Pixels pixels;
};
void PrintTo(const RotateCase& c, std::ostream* os) {
    *os << c.name;
}

class RotateFilledTest : public ::testing::TestWithParam<RotateCase> {};

TEST_P(RotateFilledTest, TurnsAnticlockwiseForPositiveAngles) {
    const RotateCase& c = GetParam();
    std::unique_ptr<CPictureInfo> turned(SixGreys()->RotateFilled(c.tenths, RGB(255, 255, 255), 0, c.flags));
    ASSERT_NE(nullptr, turned);
    EXPECT_EQ(c.pixels, PixelsOf(turned));
}

INSTANTIATE_TEST_SUITE_P(
    Angles, RotateFilledTest,
    ::testing::Values(RotateCase{"NoTurnGivesTheSamePicture",
                                 0,
                                 1,
                                 {{0x010101, 0x020202, 0x030303}, {0x040404, 0x050505, 0x060606}}},
                      RotateCase{"QuarterAnticlockwise",
                                 900,
                                 1,
                                 {{0x030303, 0x060606}, {0x020202, 0x050505}, {0x010101, 0x040404}}},
                      RotateCase{"QuarterClockwise",
                                 -900,
                                 1,
                                 {{0x040404, 0x010101}, {0x050505, 0x020202}, {0x060606, 0x030303}}},
                      RotateCase{"WholeTurnsAreNone",
                                 3600 * 5,
                                 1,
                                 {{0x010101, 0x020202, 0x030303}, {0x040404, 0x050505, 0x060606}}},
                      RotateCase{"QuarterInOwnSizeFillsWhite",
                                 900,
                                 0,
                                 {{0x030303, 0x060606, 0xFFFFFF}, {0x020202, 0x050505, 0xFFFFFF}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureImagingTest, RotateFilledGrowsToTheBoundingBoxAndFillsCorners) {
    const std::unique_ptr<CPictureInfo> square =
        PictureOf(std::move(DibBuilder(20, 20, 24).Pixels(std::initializer_list<unsigned>{})));
    std::unique_ptr<CPictureInfo> turned(square->RotateFilled(450, RGB(255, 255, 255), 0, 1));
    ASSERT_NE(nullptr, turned);
    EXPECT_EQ(29, turned->GetWidth());
    EXPECT_EQ(29, turned->GetHeight());
    EXPECT_EQ(0xFFFFFFu, PixelAt(turned->LoadFile(""), 0, 0));
    EXPECT_EQ(0u, PixelAt(turned->LoadFile(""), 14, 14));
    std::unique_ptr<CPictureInfo> extreme(square->RotateFilled(INT_MAX, RGB(0, 0, 0), 0, 1));
    EXPECT_NE(nullptr, extreme) << "any int is an angle";
}

TEST(PictureImagingTest, CreateFilledMakesOneColourAtADepth) {
    std::unique_ptr<CPictureInfo> mask(CPictureInfo::CreateFilled({10, 3}, RGB(255, 255, 255), 1));
    ASSERT_NE(nullptr, mask);
    EXPECT_EQ(1, mask->GetHeader()->biBitCount);
    EXPECT_EQ(Pixels(3, std::vector<DWORD>(10, 0xFFFFFF)), PixelsOf(mask));

    std::unique_ptr<CPictureInfo> colour(CPictureInfo::CreateFilled({2, 2}, RGB(1, 2, 3), 24));
    ASSERT_NE(nullptr, colour);
    EXPECT_EQ(Pixels(2, std::vector<DWORD>(2, 0x010203)), PixelsOf(colour));

    EXPECT_EQ(nullptr, CPictureInfo::CreateFilled({0, 3}, 0, 24));
    EXPECT_EQ(nullptr, CPictureInfo::CreateFilled({3, -3}, 0, 24));
    EXPECT_EQ(nullptr, CPictureInfo::CreateFilled({3, 3}, 0, 5));
}

} // namespace
