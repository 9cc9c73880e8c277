#include "image/DibGeometry.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct HeaderCase {
    const char* name;
    DWORD headerSize;
    int bpp;
    DWORD compression;
    DWORD clrUsed;
    int colours;
    std::int64_t paletteBytes;
    std::int64_t bitsOffset;
};

// A header of the given size in a zeroed block; a 12-byte core header keeps its own field layout.
std::vector<std::uint32_t> MakeHeader(const HeaderCase& c) {
    std::vector<std::uint32_t> block(64, 0);
    auto* bytes = reinterpret_cast<BYTE*>(block.data());
    if (c.headerSize == sizeof(BITMAPCOREHEADER)) {
        const BITMAPCOREHEADER core{12, 7, 3, 1, static_cast<WORD>(c.bpp)};
        std::memcpy(bytes, &core, sizeof core);
    } else {
        const BITMAPINFOHEADER info{c.headerSize, 7, 3, 1, static_cast<WORD>(c.bpp), c.compression, 0, 0, 0,
                                    c.clrUsed,    0};
        std::memcpy(bytes, &info, sizeof info);
    }
    return block;
}

class DibHeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(DibHeaderTest, ColourTableAndBitsOffset) {
    const HeaderCase& c = GetParam();
    auto block = MakeHeader(c);
    const auto* dib = reinterpret_cast<const BITMAPINFOHEADER*>(block.data());
    EXPECT_EQ(DibNumColors(dib), c.colours);
    EXPECT_EQ(DibPaletteBytes(dib), c.paletteBytes);
    EXPECT_EQ(DibBitsOffset(dib), c.bitsOffset);
    EXPECT_EQ(DibColorTableBytes(dib), c.bitsOffset);
    EXPECT_EQ(DibColorTablePtr(dib) - reinterpret_cast<const BYTE*>(dib), c.headerSize);
    EXPECT_EQ(DibBitsPtr(dib) - reinterpret_cast<const BYTE*>(dib), c.bitsOffset);
    EXPECT_EQ(DibWidth(dib), 7);
    EXPECT_EQ(DibHeight(dib), 3);
    EXPECT_EQ(DibBitCount(dib), c.bpp);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, DibHeaderTest,
    testing::Values(HeaderCase{"TrueColourHasNoTable", 40, 24, BI_RGB, 0, 0, 0, 40},
                    HeaderCase{"TrueColourIgnoresColoursUsed", 40, 24, BI_RGB, 12, 0, 0, 40},
                    HeaderCase{"FourBitsDefaultToSixteen", 40, 4, BI_RGB, 0, 16, 64, 104},
                    HeaderCase{"EightBitsUseColoursUsed", 40, 8, BI_RGB, 20, 20, 80, 120},
                    HeaderCase{"ColoursUsedBeyondTheBitsAreCapped", 40, 8, BI_RGB, 300, 256, 1024, 1064},
                    HeaderCase{"OneBitHasTwo", 40, 1, BI_RGB, 0, 2, 8, 48},
                    HeaderCase{"SixteenBitsHaveNoTable", 40, 16, BI_RGB, 0, 0, 0, 40},
                    HeaderCase{"BitFieldMasksFollowTheShortHeader", 40, 32, BI_BITFIELDS, 0, 0, 0, 52},
                    HeaderCase{"LaterHeadersHoldTheirMasks", 124, 32, BI_BITFIELDS, 0, 0, 0, 124},
                    HeaderCase{"LaterHeadersHaveFourByteEntries", 124, 8, BI_RGB, 0, 256, 1024, 1148},
                    HeaderCase{"CoreHeaderHasThreeByteEntries", 12, 8, BI_RGB, 0, 256, 768, 780},
                    HeaderCase{"CoreHeaderTrueColour", 12, 24, BI_RGB, 0, 0, 0, 12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DibGeometry, RowsArePaddedToFourBytes) {
    struct Case {
        int width, bpp;
        std::int64_t bytes;
    };
    for (const Case& c : {Case{1, 24, 4}, Case{5, 24, 16}, Case{4, 24, 12}, Case{1, 1, 4}, Case{33, 1, 8},
                          Case{9, 4, 8}, Case{3, 8, 4}, Case{1, 32, 4}}) {
        EXPECT_EQ(DibRowBytes(c.width, c.bpp), c.bytes) << c.width << "x" << c.bpp;
    }
}

TEST(DibGeometry, ImageBytesDoNotWrapAtFourGigabytes) {
    EXPECT_EQ(DibImageBytes(65535, 65535, 32), std::int64_t{65535} * 65535 * 4);
    EXPECT_EQ(DibImageBytes(46341, 46341, 24), std::int64_t{139024} * 46341);
}

TEST(DibGeometry, ImageSizeIsComputedAndWrittenBackWhenMissing) {
    BITMAPINFOHEADER h{40, 5, 3, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    EXPECT_EQ(DibImageSize(&h), 48);
    EXPECT_EQ(h.biSizeImage, 48u);
    EXPECT_EQ(DibTotalSize(&h), 88);

    h.biSizeImage = 1000; // a stated size wins
    EXPECT_EQ(DibImageSize(&h), 1000);

    BITMAPINFOHEADER topDown{40, 5, -3, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    EXPECT_EQ(DibImageSize(&topDown), 48);

    BITMAPINFOHEADER huge{40, 65535, 65535, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    EXPECT_EQ(DibImageSize(&huge), std::int64_t{65535} * 65535 * 4);
    EXPECT_EQ(huge.biSizeImage, 0u) << "a size beyond the field is not written back truncated";
}

} // namespace
