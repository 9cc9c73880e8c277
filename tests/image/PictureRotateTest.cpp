#include "image/PictureInfo.h"
#include "tests/image/DibBuilder.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Picture = std::unique_ptr<CPictureInfo>;

struct DepthCase {
    const char* name;
    int bpp;
    std::vector<RGBQUAD> colours;
    std::vector<unsigned> pixels; // 3 x 2, top-down
};

class RotateDepthTest : public testing::TestWithParam<DepthCase> {};

TEST_P(RotateDepthTest, ZeroKeepsSizeAndPixelsAndTheMaskIsAllSource) {
    const DepthCase& c = GetParam();
    DibBuilder dib(3, 2, c.bpp, c.colours);
    dib.Pixels(c.pixels);
    Picture source(PictureOf(dib));
    CPictureInfo* rawMask = nullptr;
    Picture turned(source->Rotate(0, rawMask));
    Picture mask(rawMask);
    ASSERT_TRUE(turned && mask);
    EXPECT_EQ(AllPixelsOf(*turned), AllPixelsOf(*source));
    EXPECT_EQ(turned->GetLength(), source->GetLength());
    EXPECT_EQ(AllPixelsOf(*mask), std::vector<unsigned>(6, 0));
}

TEST_P(RotateDepthTest, QuarterTurnsAreExact) {
    const DepthCase& c = GetParam();
    DibBuilder dib(3, 2, c.bpp, c.colours);
    dib.Pixels(c.pixels);
    Picture source(PictureOf(dib));
    const std::vector<unsigned> p = AllPixelsOf(*source); // 0 1 2 / 3 4 5
    struct Turn {
        int tenths;
        int width, height;
        std::vector<unsigned> want;
    };
    const Turn turns[] = {
        {900, 2, 3, {p[2], p[5], p[1], p[4], p[0], p[3]}}, // counter-clockwise on the screen
        {1800, 3, 2, {p[5], p[4], p[3], p[2], p[1], p[0]}},
        {2700, 2, 3, {p[3], p[0], p[4], p[1], p[5], p[2]}},
        {-900, 2, 3, {p[3], p[0], p[4], p[1], p[5], p[2]}},
        {3600, 3, 2, p},
    };
    for (const Turn& t : turns) {
        Picture turned(source->RotateWithColour(t.tenths, RGB(255, 255, 255)));
        ASSERT_TRUE(turned) << t.tenths;
        EXPECT_EQ(turned->GetWidth(), t.width) << t.tenths;
        EXPECT_EQ(turned->GetHeight(), t.height) << t.tenths;
        EXPECT_EQ(AllPixelsOf(*turned), t.want) << t.tenths;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Depths, RotateDepthTest,
    testing::Values(DepthCase{"OneBit", 1, {Rgb(0), Rgb(0xFFFFFF)}, {1, 0, 0, 1, 1, 0}},
                    DepthCase{"FourBits", 4, std::vector<RGBQUAD>(16), {1, 2, 3, 4, 5, 15}},
                    DepthCase{"EightBits", 8, std::vector<RGBQUAD>(256), {10, 20, 30, 40, 50, 60}},
                    DepthCase{"SixteenBits", 16, {}, {0x7C00, 0x03E0, 0x001F, 1, 2, 0x7FFF}},
                    DepthCase{"TwentyFourBits", 24, {}, {1, 2, 3, 4, 5, 6}},
                    DepthCase{"ThirtyTwoBits", 32, {}, {0x10, 0x2000, 0x300000, 4, 5, 6}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Rotate, FortyFiveDegreesLeavesWhiteCornersThatTheMaskMarks) {
    DibBuilder dib(20, 20, 24);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x)
            dib.SetPixel(x, y, 0xFF0000);
    }
    Picture source(PictureOf(dib));
    CPictureInfo* rawMask = nullptr;
    Picture turned(source->Rotate(450, rawMask));
    Picture mask(rawMask);
    ASSERT_TRUE(turned && mask);
    // The corners (0, 20), (20, 20) and (20, 0) turned: x from -14 to 14, y from 0 to 28.
    ASSERT_EQ(turned->GetWidth(), 28);
    ASSERT_EQ(turned->GetHeight(), 28);
    int white = 0;
    for (int y = 0; y < 28; ++y) {
        for (int x = 0; x < 28; ++x) {
            const unsigned pixel = PixelOf(*turned, x, y);
            ASSERT_TRUE(pixel == 0xFF0000 || pixel == 0xFFFFFF) << x << "," << y;
            EXPECT_EQ(PixelOf(*mask, x, y), pixel == 0xFFFFFF ? 1u : 0u) << x << "," << y;
            white += pixel == 0xFFFFFF;
        }
    }
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{27, 0}, std::pair{0, 27}, std::pair{27, 27}})
        EXPECT_EQ(PixelOf(*turned, x, y), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(*turned, 14, 14), 0xFF0000u);
    EXPECT_GT(white, 300); // about half of 28 x 28 is corner
    EXPECT_LT(white, 450);

    const BITMAPINFOHEADER* m = mask->GetHeader();
    EXPECT_EQ(m->biBitCount, 1);
    EXPECT_EQ(m->biClrUsed, 0u);
    EXPECT_EQ(m->biSizeImage, 4u * 28);
    EXPECT_EQ(mask->GetLength(), 48u + 4 * 28);
    const auto* table = reinterpret_cast<const RGBQUAD*>(DibColorTablePtr(m));
    EXPECT_EQ(table[0].rgbRed + table[0].rgbGreen + table[0].rgbBlue, 3 * 255) << "entry 0 white";
    EXPECT_EQ(table[1].rgbRed + table[1].rgbGreen + table[1].rgbBlue, 0) << "entry 1 black";
}

TEST(Rotate, OnBlackFillsBlackAndExchangesTheMaskColours) {
    DibBuilder dib(10, 10, 24);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x)
            dib.SetPixel(x, y, 0x808080);
    }
    Picture source(PictureOf(dib));
    CPictureInfo* rawMask = nullptr;
    Picture turned(source->RotateOnBlack(300, rawMask));
    Picture mask(rawMask);
    ASSERT_TRUE(turned && mask);
    EXPECT_EQ(PixelOf(*turned, 0, 0), 0u);
    EXPECT_EQ(PixelOf(*mask, 0, 0), 1u);
    const auto* table = reinterpret_cast<const RGBQUAD*>(DibColorTablePtr(mask->GetHeader()));
    EXPECT_EQ(table[0].rgbRed, 0);
    EXPECT_EQ(table[1].rgbRed, 255);
}

TEST(Rotate, OldMaskIsDeletedEvenWhenTheRotationIsRefused) {
    DibBuilder dib(2, 2, 24);
    dib.Header()->biHeight = -2; // top-down
    Picture source(PictureOf(dib));
    auto* oldMask = new CPictureInfo;
    CPictureInfo* mask = oldMask;
    EXPECT_EQ(source->Rotate(450, mask), nullptr);
    EXPECT_EQ(mask, nullptr); // LeakSanitizer reports the old one if it was not deleted
}

TEST(Rotate, RefusesWhatItCannotRead) {
    DibBuilder rle(2, 2, 8, std::vector<RGBQUAD>(256));
    rle.Header()->biCompression = BI_RLE8;
    EXPECT_EQ(Picture(PictureOf(rle))->RotateWithColour(450, 0), nullptr);

    DibBuilder full(4, 4, 24);
    Picture shortBlock(new CPictureInfo);
    std::memcpy(shortBlock->Allocate(full.Length() - 4), full.Bytes(), full.Length() - 4);
    EXPECT_EQ(shortBlock->RotateWithColour(450, 0), nullptr) << "rows beyond the block";

    EXPECT_EQ(Picture(new CPictureInfo)->RotateWithColour(450, 0), nullptr);

    DibBuilder nibbles(2, 2, 4, std::vector<RGBQUAD>(16));
    EXPECT_EQ(Picture(PictureOf(nibbles))->RotateChecked(450, 0), nullptr);
    DibBuilder indexed(2, 2, 8, std::vector<RGBQUAD>(256));
    EXPECT_EQ(Picture(PictureOf(indexed))->Rotate24(450, 0), nullptr);
    EXPECT_NE(Picture(Picture(PictureOf(indexed))->RotateChecked(450, 0)), nullptr);
}

struct FillCase {
    const char* name;
    int bpp;
    std::vector<RGBQUAD> colours;
    DWORD compression;
    COLORREF fill;
    unsigned corner;
};

class RotateFillTest : public testing::TestWithParam<FillCase> {};

TEST_P(RotateFillTest, CornerTakesTheFill) {
    const FillCase& c = GetParam();
    DibBuilder dib(8, 8, c.bpp, c.colours);
    dib.Header()->biCompression = c.compression;
    Picture source(PictureOf(dib));
    Picture turned(source->RotateWithColour(450, c.fill));
    ASSERT_TRUE(turned);
    EXPECT_EQ(PixelOf(*turned, 0, 0), c.corner);
}

std::vector<RGBQUAD> WithRedAt(int size, int index) {
    std::vector<RGBQUAD> table(static_cast<size_t>(size), Rgb(0x123456));
    if (index >= 0)
        table[static_cast<size_t>(index)] = Rgb(0xFF0000);
    return table;
}

INSTANTIATE_TEST_SUITE_P(
    Fills, RotateFillTest,
    testing::Values(FillCase{"PaletteIndexOfTheFill", 8, WithRedAt(256, 77), BI_RGB, RGB(255, 0, 0), 77},
                    FillCase{"PaletteWithoutTheFillGivesIndexZero", 8, WithRedAt(256, -1), BI_RGB,
                             RGB(255, 0, 0), 0},
                    FillCase{"FourBitIndexInBothHalves", 4, WithRedAt(16, 9), BI_RGB, RGB(255, 0, 0), 9},
                    FillCase{"OneBitWhite", 1, {Rgb(0), Rgb(0xFFFFFF)}, BI_RGB, RGB(255, 255, 255), 1},
                    FillCase{"OneBitOtherColour", 1, {Rgb(0), Rgb(0xFFFFFF)}, BI_RGB, RGB(255, 0, 0), 0},
                    FillCase{"SixteenBitsFiveFiveFive", 16, {}, BI_RGB, RGB(255, 0, 0), 0x7C00},
                    FillCase{"TrueColour", 24, {}, BI_RGB, RGB(1, 2, 3), 0x010203},
                    FillCase{"ThirtyTwoBits", 32, {}, BI_RGB, RGB(1, 2, 3), 0x010203}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Rotate, SixteenBitFiveSixFiveFillFollowsTheMasks) {
    // 40-byte header, three 32-bit masks, then the rows.
    DibBuilder plain(8, 8, 16);
    std::vector<BYTE> block(40 + 12 + plain.Header()->biSizeImage, 0);
    std::memcpy(block.data(), plain.Bytes(), 40);
    auto* h = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
    h->biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(block.data() + 40, masks, sizeof masks);
    Picture source(new CPictureInfo);
    std::memcpy(source->Allocate(static_cast<DWORD>(block.size())), block.data(), block.size());
    Picture turned(source->RotateWithColour(450, RGB(255, 0, 0)));
    ASSERT_TRUE(turned);
    const BYTE* bits =
        turned->GetHeader() ? reinterpret_cast<const BYTE*>(turned->GetHeader()) + 52 : nullptr;
    EXPECT_EQ(bits[0] | bits[1] << 8, 0xF800);
}

} // namespace
