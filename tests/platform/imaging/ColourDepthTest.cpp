#include "platform/imaging/ColourDepth.h"

#include "TestDibs.h"

#include <gtest/gtest.h>

namespace {

BytePixels BgrOf(int width, int height, const std::vector<COLORREF>& bottomUp) {
    BytePixels bgr(width, height, 3);
    for (std::size_t i = 0; i < bottomUp.size(); ++i) {
        bgr.bytes[3 * i] = GetBValue(bottomUp[i]);
        bgr.bytes[3 * i + 1] = GetGValue(bottomUp[i]);
        bgr.bytes[3 * i + 2] = GetRValue(bottomUp[i]);
    }
    return bgr;
}

bool Contains(const std::vector<RGBQUAD>& palette, BYTE r, BYTE g, BYTE b) {
    for (const RGBQUAD& q : palette)
        if (q.rgbRed == r && q.rgbGreen == g && q.rgbBlue == b)
            return true;
    return false;
}

TEST(ColourDepthTest, StandardPalettesHoldBlackFirstAndWhite) {
    for (auto [bits, entries] : {std::pair{1, 2u}, {4, 16u}, {8, 256u}}) {
        const std::vector<RGBQUAD> palette = StandardPalette(bits);
        ASSERT_EQ(entries, palette.size()) << bits;
        EXPECT_TRUE(palette[0].rgbRed == 0 && palette[0].rgbGreen == 0 && palette[0].rgbBlue == 0) << bits;
        EXPECT_TRUE(Contains(palette, 255, 255, 255)) << bits;
    }
    EXPECT_TRUE(Contains(StandardPalette(8), 255, 0, 0));
    EXPECT_TRUE(Contains(StandardPalette(8), 128, 128, 128) == false) << "grey ramp skips the cube's levels";
}

TEST(ColourDepthTest, FewColoursGetAnExactSortedPalette) {
    const std::vector<COLORREF> colours = {RGB(9, 9, 9), RGB(200, 0, 0), RGB(9, 9, 9), RGB(0, 0, 77)};
    const std::vector<BYTE> dib = ReduceFromBgr(BgrOf(2, 2, colours), 4, nullptr);
    EXPECT_EQ(4, HeaderOf(dib).biBitCount);
    EXPECT_EQ(3u, HeaderOf(dib).biClrUsed);
    // Top row first: the bottom-up input's second row, then its first.
    EXPECT_EQ((std::vector<COLORREF>{RGB(9, 9, 9), RGB(0, 0, 77), RGB(9, 9, 9), RGB(200, 0, 0)}),
              PixelColours(dib));
}

TEST(ColourDepthTest, ManyColoursAreDiffusedKeepingTheMeanBrightness) {
    const int side = 64;
    std::vector<COLORREF> grey(side * side, RGB(100, 100, 100));
    grey[0] = RGB(1, 2, 3); // and more than two colours
    grey[1] = RGB(4, 5, 6);
    const std::vector<BYTE> dib = ReduceFromBgr(BgrOf(side, side, grey), 1, nullptr);
    ASSERT_EQ(2u, HeaderOf(dib).biClrUsed);
    int white = 0;
    for (COLORREF c : PixelColours(dib))
        white += c == RGB(255, 255, 255);
    EXPECT_NEAR(100.0 / 255.0, double(white) / (side * side), 0.03);
}

TEST(ColourDepthTest, AGivenPaletteTakesTheNearestEntry) {
    const std::vector<RGBQUAD> palette = {{0, 0, 0, 0}, {0, 0, 255, 0}, {255, 255, 255, 0}};
    const std::vector<BYTE> dib =
        ReduceFromBgr(BgrOf(3, 1, {RGB(250, 10, 10), RGB(30, 30, 30), RGB(240, 240, 240)}), 8, &palette);
    EXPECT_EQ((std::vector<DWORD>{1, 0, 2}), PixelValues(dib));
}

TEST(ColourDepthTest, HighAndTrueColourRoundTrips) {
    const std::vector<COLORREF> colours = {RGB(255, 0, 8), RGB(0, 255, 16), RGB(132, 66, 33),
                                           RGB(255, 255, 255)};
    const std::vector<BYTE> high = ReduceFromBgr(BgrOf(2, 2, colours), 16, nullptr);
    EXPECT_EQ((std::vector<COLORREF>{RGB(132, 66, 33), RGB(255, 255, 255), RGB(255, 0, 8), RGB(0, 255, 16)}),
              PixelColours(high));
    const std::vector<BYTE> padded = ReduceFromBgr(BgrOf(2, 2, colours), 32, nullptr);
    EXPECT_EQ(PixelColours(high), PixelColours(padded));
}

TEST(ColourDepthTest, ExpandReadsPalettesAndHighColour) {
    BytePixels indexes(3, 1, 1);
    indexes.bytes = {2, 0, 7};
    const std::vector<RGBQUAD> palette = {{1, 2, 3, 0}, {0, 0, 0, 0}, {30, 20, 10, 0}};
    const BytePixels bgr = ExpandToBgr(indexes, 8, palette);
    EXPECT_EQ((std::vector<BYTE>{30, 20, 10, 1, 2, 3, 0, 0, 0}), bgr.bytes)
        << "an index past the palette is black";

    BytePixels words(1, 1, 2);
    words.bytes = {0x1F, 0x7C}; // red 31, green 0, blue 31
    EXPECT_EQ((std::vector<BYTE>{255, 0, 255}), ExpandToBgr(words, 16, {}).bytes);
}

} // namespace
