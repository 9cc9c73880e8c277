// Every size in the header is checked against the block before a row is read: the header comes from a
// scanner driver.

#include "app/OneBitDib.h"

#include "platform/base/WinStructs.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kTableColours = 256;
// Larger pictures are refused: 2 GiB of rows is beyond any scan the program takes.
constexpr std::uint64_t kMaxExpandedBytes = 1ull << 31;

struct OneBitLayout {
    BITMAPINFOHEADER header;
    std::uint64_t colours;   // entries in the source table
    std::uint64_t bitsAt;    // offset of the first row
    std::uint64_t sourceRow; // bytes of a source row with its padding
    std::uint64_t height;    // rows
    bool topDown;
};

bool ReadLayout(const BYTE* block, std::uint64_t size, OneBitLayout& layout) {
    if (size < sizeof(BITMAPINFOHEADER))
        return false;
    std::memcpy(&layout.header, block, sizeof(BITMAPINFOHEADER));
    const BITMAPINFOHEADER& h = layout.header;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || h.biBitCount != 1 ||
        h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight == 0 || h.biClrUsed > 2)
        return false;
    layout.colours = h.biClrUsed ? h.biClrUsed : 2;
    layout.bitsAt = h.biSize + layout.colours * sizeof(RGBQUAD);
    layout.sourceRow = (static_cast<std::uint64_t>(h.biWidth) + 31) / 32 * 4;
    layout.topDown = h.biHeight < 0;
    layout.height = static_cast<std::uint64_t>(std::llabs(static_cast<long long>(h.biHeight)));
    return layout.bitsAt + layout.sourceRow * layout.height <= size;
}

} // namespace

bool IsOneBitDib(HGLOBAL dib) {
    CGlobalLock lock(dib);
    if (!lock.Bytes() || lock.Size() < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, lock.Bytes(), sizeof header);
    return header.biBitCount == 1;
}

HGLOBAL ExpandOneBitDib(HGLOBAL dib) {
    CGlobalLock source(dib);
    OneBitLayout layout{};
    if (!source.Bytes() || !ReadLayout(source.Bytes(), source.Size(), layout))
        return nullptr;
    const std::uint64_t width = static_cast<std::uint64_t>(layout.header.biWidth);
    const std::uint64_t row = (width + 3) / 4 * 4;
    const std::uint64_t tableAt = sizeof(BITMAPINFOHEADER);
    const std::uint64_t bitsAt = tableAt + kTableColours * sizeof(RGBQUAD);
    if (row * layout.height > kMaxExpandedBytes)
        return nullptr;
    HGLOBAL expanded = GlobalAlloc(GHND, static_cast<SIZE_T>(bitsAt + row * layout.height));
    if (!expanded)
        return nullptr;
    CGlobalLock target(expanded);
    BYTE* out = target.Bytes();

    BITMAPINFOHEADER header = layout.header;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biHeight = static_cast<LONG>(layout.height);
    header.biBitCount = 8;
    header.biSizeImage = static_cast<DWORD>(row * layout.height);
    header.biClrUsed = kTableColours;
    header.biClrImportant = 0;
    std::memcpy(out, &header, sizeof header);
    std::memset(out + tableAt, 0xFF, kTableColours * sizeof(RGBQUAD));
    std::memcpy(out + tableAt, source.Bytes() + layout.header.biSize, layout.colours * sizeof(RGBQUAD));

    for (std::uint64_t y = 0; y < layout.height; ++y) {
        // Rows come out bottom-up whatever order the scan had.
        const std::uint64_t sourceY = layout.topDown ? layout.height - 1 - y : y;
        const BYTE* bits = source.Bytes() + layout.bitsAt + sourceY * layout.sourceRow;
        BYTE* pixels = out + bitsAt + y * row;
        for (std::uint64_t x = 0; x < width; ++x)
            pixels[x] = (bits[x / 8] >> (7 - x % 8)) & 1;
    }
    return expanded;
}
