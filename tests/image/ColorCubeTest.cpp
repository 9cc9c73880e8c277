#include "image/ColorCube.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorCube, PaletteRunsRedFastestAndBlueSlowest) {
    RGBQUAD table[240] = {};
    BuildColorCubePalette(table, 6, 8, 5);
    struct Entry {
        int index;
        BYTE red, green, blue;
    };
    for (const Entry& e : {Entry{0, 0, 0, 0}, Entry{1, 51, 0, 0}, Entry{5, 255, 0, 0}, Entry{6, 0, 36, 0},
                           Entry{47, 255, 255, 0}, Entry{48, 0, 0, 63}, Entry{239, 255, 255, 255}}) {
        EXPECT_EQ(table[e.index].rgbRed, e.red) << e.index;
        EXPECT_EQ(table[e.index].rgbGreen, e.green) << e.index;
        EXPECT_EQ(table[e.index].rgbBlue, e.blue) << e.index;
        EXPECT_EQ(table[e.index].rgbReserved, 0);
    }
}

TEST(ColorCube, UnusableLevelsWriteNothing) {
    RGBQUAD table[4] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};
    BuildColorCubePalette(table, 1, 2, 2); // one level cannot span 0..255
    BuildColorCubePalette(table, 8, 8, 8); // 512 entries do not fit a byte
    EXPECT_EQ(table[0].rgbRed, 1);
}

TEST(ColorCube, DiffusionOfAPictureOfTheSameSize) {
    // Grey 128 on 6, 8 and 5 levels: red 3 (153), green 4 (145), blue 2 (127) first; the errors then
    // move the next pixel's levels.
    std::vector<BYTE> rows(8, 128);
    std::vector<BYTE> out(4, 0xEE);
    const CDibRows src(rows.data(), 2, 1, 24);
    const CDibRows dst(out.data(), 2, 1, 8);
    DiffuseToColorCube(src, dst, 1, kColorCube);
    // pixel 0: r 128*6>>8 = 3, err -25 (carry -13); g 128*8>>8 = 4, err -17 (carry -9); b 2, err 1 (carry 1)
    // pixel 1: r 115 -> 2; g 119 -> 3; b 129 -> 2
    EXPECT_EQ(out[0], 3 + 6 * (4 + 8 * 2));
    EXPECT_EQ(out[1], 2 + 6 * (3 + 8 * 2));
    EXPECT_EQ(out[2], 0xEE) << "row padding stays";
}

} // namespace
