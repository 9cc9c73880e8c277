#include "image/DibMemory.h"

#include "image/DibGeometry.h"
#include "image/DibValidation.h"
#include "platform/base/GlobalMemory.h"

namespace {

constexpr int kBlankTableEntries = 256;

// Black, maroon, green, olive, navy, purple, teal, silver, grey, red, lime, yellow, blue, fuchsia, aqua,
// white, as 0xRRGGBB.
constexpr DWORD kStandardColours[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

bool IsDibBitCount(int bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

} // namespace

bool IsPictureSizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxDibSide && height <= kMaxDibSide &&
           width * height <= kMaxDibPixels;
}

HGLOBAL AllocDib(int width, int height, int bpp, int colours, [[maybe_unused]] int firstRow, int rowCount) {
    if (!IsPictureSizeAllowed(width, height) || !IsDibBitCount(bpp) || colours < 0 || colours > 256 ||
        rowCount < 1 || rowCount > height)
        return nullptr;
    const std::int64_t bytes =
        std::int64_t{sizeof(BITMAPINFOHEADER)} + 4 * colours + DibImageBytes(width, rowCount, bpp);
    HGLOBAL block = GlobalAlloc(GHND, static_cast<SIZE_T>(bytes));
    CGlobalLock lock(block);
    if (!lock.Bytes())
        return nullptr;
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(lock.Bytes());
    *header = {sizeof(BITMAPINFOHEADER),    width, height, 1, static_cast<WORD>(bpp), BI_RGB, 0, 0, 0,
               static_cast<DWORD>(colours), 0};
    return block;
}

BITMAPINFOHEADER* CreateBlankDib(int bpp, int width, int height) {
    if (!IsPictureSizeAllowed(width, height) || !IsDibBitCount(bpp))
        return nullptr;
    const std::int64_t image = DibImageBytes(width, height, bpp);
    HGLOBAL block =
        GlobalAlloc(GHND, static_cast<SIZE_T>(sizeof(BITMAPINFOHEADER) + 4 * kBlankTableEntries + image));
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
    if (!header)
        return nullptr;
    const DWORD colours = bpp == 4 ? 16 : bpp == 8 ? 256 : 0;
    *header = {sizeof(BITMAPINFOHEADER),
               width,
               height,
               1,
               static_cast<WORD>(bpp),
               BI_RGB,
               static_cast<DWORD>(image),
               0,
               0,
               colours,
               0};
    auto* table = reinterpret_cast<RGBQUAD*>(DibColorTablePtr(header));
    for (DWORD i = 0; i < colours; ++i) {
        const DWORD rgb = kStandardColours[i % 16];
        table[i] = {static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb >> 16), 0};
    }
    return header;
}
