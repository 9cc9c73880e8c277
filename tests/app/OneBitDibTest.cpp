// Widening a scanned 1-bit picture to 8 bits: the pixels and colours it keeps, both row orders, and the
// headers that lie about the block they stand in.

#include "app/OneBitDib.h"

#include "platform/base/WinStructs.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr RGBQUAD kBlack{0, 0, 0, 0};
constexpr RGBQUAD kRed{0, 0, 0xFF, 0};

// A packed 1-bit DIB; rows are given top first as strings of '0' and '1', stored in the header's order.
std::vector<BYTE> OneBit(const std::vector<const char*>& rows, bool topDown) {
    const int width = static_cast<int>(std::strlen(rows.front()));
    const int height = static_cast<int>(rows.size());
    const int stride = (width + 31) / 32 * 4;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = topDown ? -height : height;
    header.biPlanes = 1;
    header.biBitCount = 1;
    std::vector<BYTE> dib(sizeof header + 2 * sizeof(RGBQUAD) + static_cast<size_t>(stride * height));
    std::memcpy(dib.data(), &header, sizeof header);
    std::memcpy(dib.data() + sizeof header, &kBlack, sizeof kBlack);
    std::memcpy(dib.data() + sizeof header + sizeof kBlack, &kRed, sizeof kRed);
    for (int y = 0; y < height; ++y) {
        const int stored = topDown ? y : height - 1 - y;
        BYTE* row = dib.data() + sizeof header + 2 * sizeof(RGBQUAD) + stored * stride;
        for (int x = 0; x < width; ++x)
            if (rows[static_cast<size_t>(y)][x] == '1')
                row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
    return dib;
}

HGLOBAL Block(const std::vector<BYTE>& bytes) {
    HGLOBAL block = GlobalAlloc(GHND, bytes.size());
    CGlobalLock lock(block);
    std::memcpy(lock.Bytes(), bytes.data(), bytes.size());
    return block;
}

BITMAPINFOHEADER& Header(std::vector<BYTE>& dib) {
    return *reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
}

TEST(OneBitDibTest, AWidthOfFiveGivesRowsOfEightBytesOfZeroAndOneBottomUpWhateverTheSourceOrder) {
    const std::vector<const char*> picture = {"10110", "01001", "11111"};
    for (const bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        HGLOBAL source = Block(OneBit(picture, topDown));
        ASSERT_TRUE(IsOneBitDib(source));
        HGLOBAL widened = ExpandOneBitDib(source);
        GlobalFree(source);
        ASSERT_NE(widened, nullptr);
        {
            CGlobalLock lock(widened);
            const BYTE* bytes = lock.Bytes();
            BITMAPINFOHEADER header;
            std::memcpy(&header, bytes, sizeof header);
            EXPECT_EQ(header.biSize, 40u);
            EXPECT_EQ(header.biBitCount, 8);
            EXPECT_EQ(header.biWidth, 5);
            EXPECT_EQ(header.biHeight, 3);
            EXPECT_EQ(header.biClrUsed, 256u);
            EXPECT_EQ(header.biSizeImage, 24u);
            ASSERT_EQ(lock.Size(), 40u + 1024u + 24u);
            const BYTE* table = bytes + 40;
            EXPECT_EQ(std::memcmp(table, &kBlack, 4), 0);
            EXPECT_EQ(std::memcmp(table + 4, &kRed, 4), 0);
            for (int entry = 2; entry < 256; ++entry)
                EXPECT_EQ(std::memcmp(table + 4 * entry, "\xFF\xFF\xFF\xFF", 4), 0) << entry;
            for (int y = 0; y < 3; ++y) {
                const BYTE* row = bytes + 40 + 1024 + (2 - y) * 8; // bottom-up: the top row is last
                for (int x = 0; x < 8; ++x)
                    EXPECT_EQ(row[x], x < 5 ? picture[static_cast<size_t>(y)][x] - '0' : 0) << y << "," << x;
            }
        }
        GlobalFree(widened);
    }
}

struct LieCase {
    const char* name;
    void (*lie)(std::vector<BYTE>& dib);
};

const LieCase kLies[] = {
    {"MoreRowsThanTheBlockHolds", [](std::vector<BYTE>& dib) { Header(dib).biHeight = 4; }},
    {"MoreTopDownRowsThanTheBlockHolds", [](std::vector<BYTE>& dib) { Header(dib).biHeight = -4; }},
    {"WiderThanTheRows", [](std::vector<BYTE>& dib) { Header(dib).biWidth = 33; }},
    {"HugeWidth", [](std::vector<BYTE>& dib) { Header(dib).biWidth = 0x7FFFFFFF; }},
    {"NoWidth", [](std::vector<BYTE>& dib) { Header(dib).biWidth = 0; }},
    {"NoRows", [](std::vector<BYTE>& dib) { Header(dib).biHeight = 0; }},
    {"MoreColoursThanOneBitHas", [](std::vector<BYTE>& dib) { Header(dib).biClrUsed = 3; }},
    {"HeaderLongerThanTheBlock", [](std::vector<BYTE>& dib) { Header(dib).biSize = 4096; }},
    {"Compressed", [](std::vector<BYTE>& dib) { Header(dib).biCompression = 1; }},
    {"CutShort", [](std::vector<BYTE>& dib) { dib.resize(dib.size() - 1); }},
    {"NoWholeHeader", [](std::vector<BYTE>& dib) { dib.resize(39); }},
};

TEST(OneBitDibTest, RefusesAHeaderThatDoesNotMatchItsBlock) {
    for (const LieCase& c : kLies) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> dib = OneBit({"10110", "01001", "11111"}, false);
        c.lie(dib);
        HGLOBAL source = Block(dib);
        EXPECT_EQ(ExpandOneBitDib(source), nullptr);
        GlobalFree(source);
    }
}

} // namespace
