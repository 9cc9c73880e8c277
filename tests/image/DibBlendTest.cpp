#include "image/DibBlend.h"

#include "image/DibGeometry.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Areas {
    std::vector<BYTE> dst, src, mask;
    Areas(int rows, int width, BYTE d, BYTE s, BYTE m)
        : dst(static_cast<size_t>(DibImageBytes(width, rows, 24)), d), src(dst.size(), s),
          mask(dst.size(), m) {}
};

TEST(BlendDib24, MaskEdgeValues) {
    struct Case {
        const char* name;
        BYTE d, s, a, want;
    };
    for (const Case& c :
         {Case{"WhiteKeepsDestination", 10, 200, 255, 10}, Case{"BlackTakesSource", 10, 200, 0, 200},
          Case{"MidGreyMixesTowardZero", 10, 200, 128, 105}, Case{"Rising", 200, 10, 128, 105},
          Case{"EqualStays", 77, 77, 99, 77}}) {
        Areas areas(2, 3, c.d, c.s, 0);
        for (size_t i = 1; i < areas.mask.size(); i += 3)
            areas.mask[i] = c.a; // only the green byte counts
        BlendDib24(2, 3, areas.dst.data(), areas.src.data(), areas.mask.data());
        for (size_t row = 0; row < 2; ++row) {
            for (size_t i = 0; i < 9; ++i)
                EXPECT_EQ(areas.dst[row * 12 + i], c.want) << c.name;
        }
    }
}

TEST(BlendDib24, RowPaddingIsSkippedAndLeftAlone) {
    for (const int width : {1, 2, 3, 4, 5}) {
        Areas areas(3, width, 10, 200, 0);
        BlendDib24(3, width, areas.dst.data(), areas.src.data(), areas.mask.data());
        const auto stride = static_cast<size_t>(DibRowBytes(width, 24));
        for (size_t i = 0; i < areas.dst.size(); ++i)
            EXPECT_EQ(areas.dst[i], i % stride < static_cast<size_t>(width) * 3 ? 200 : 10)
                << width << " at " << i;
    }
}

TEST(BlendDib24, NothingForEmptyAreas) {
    Areas areas(1, 2, 10, 200, 0);
    BlendDib24(0, 2, areas.dst.data(), areas.src.data(), areas.mask.data());
    BlendDib24(1, 0, areas.dst.data(), areas.src.data(), areas.mask.data());
    BlendDib24(-3, 2, areas.dst.data(), areas.src.data(), areas.mask.data());
    EXPECT_EQ(areas.dst[0], 10);
}

// The reciprocal multiply must give the true quotient for every destination, source and mask value.
TEST(BlendDib24, EveryCombinationMatchesTrueDivision) {
    constexpr int kPairs = 256 * 256;
    constexpr int kWidth = (kPairs + 2) / 3; // three pairs per pixel
    Areas areas(256, kWidth, 0, 0, 0);
    const auto stride = static_cast<size_t>(DibRowBytes(kWidth, 24));
    for (size_t a = 0; a < 256; ++a) {
        for (int pair = 0; pair < kPairs; ++pair) {
            const size_t at = a * stride + static_cast<size_t>(pair);
            areas.dst[at] = static_cast<BYTE>(pair >> 8);
            areas.src[at] = static_cast<BYTE>(pair & 0xFF);
        }
        for (int x = 0; x < kWidth; ++x)
            areas.mask[a * stride + static_cast<size_t>(x) * 3 + 1] = static_cast<BYTE>(a);
    }
    BlendDib24(256, kWidth, areas.dst.data(), areas.src.data(), areas.mask.data());
    int wrong = 0;
    for (int a = 0; a < 256; ++a) {
        for (int pair = 0; pair < kPairs; ++pair) {
            const int d = pair >> 8, s = pair & 0xFF;
            const int want = s + (d - s) * a / 255;
            wrong += areas.dst[static_cast<size_t>(a) * stride + static_cast<size_t>(pair)] != want;
        }
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace
