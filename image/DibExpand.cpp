#include "image/DibExpand.h"

#include "image/DibGeometry.h"
#include "image/PictureInfo.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kTableEntries = 256;

// Index of pixel x in a row of 1 or 4 bits per pixel; the leftmost pixel is in the high bits.
BYTE IndexAt(const BYTE* row, int x, int bpp) {
    if (bpp == 1)
        return static_cast<BYTE>((row[x / 8] >> (7 - x % 8)) & 1);
    return static_cast<BYTE>(x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4);
}

} // namespace

CPictureInfo* ExpandTo8Bit(const CPictureInfo& picture) {
    if (!picture.IsValid())
        return nullptr;
    const BITMAPINFOHEADER* source = picture.GetHeader();
    const int bpp = source->biBitCount;
    if ((bpp != 1 && bpp != 4) || source->biSize != sizeof(BITMAPINFOHEADER) || source->biHeight <= 0)
        return nullptr;
    const int width = source->biWidth;
    const int height = source->biHeight;
    const std::int64_t sourceStride = DibRowBytes(width, bpp);
    if (picture.GetBitsSize() < sourceStride * height)
        return nullptr;
    const std::int64_t stride = DibRowBytes(width, 8);
    const std::int64_t tableBytes = kTableEntries * sizeof(RGBQUAD);
    const std::int64_t length = sizeof(BITMAPINFOHEADER) + tableBytes + stride * height;

    auto* expanded = new CPictureInfo;
    BYTE* block = expanded->Allocate(static_cast<DWORD>(length));
    BITMAPINFOHEADER header = *source;
    header.biBitCount = 8;
    header.biSizeImage = static_cast<DWORD>(stride * height);
    header.biClrUsed = 0;
    header.biClrImportant = 0;
    std::memcpy(block, &header, sizeof header);

    // Entries the source lacks are white. DibNumColors never counts more than the bit count addresses.
    BYTE* table = block + sizeof header;
    std::memset(table, 0xFF, tableBytes);
    const int colours = std::min(DibNumColors(source), 1 << bpp);
    std::memcpy(table, DibColorTablePtr(source), static_cast<std::size_t>(colours) * sizeof(RGBQUAD));

    const BYTE* from = picture.GetBits();
    BYTE* to = table + tableBytes;
    for (int y = 0; y < height; ++y, from += sourceStride, to += stride) {
        for (int x = 0; x < width; ++x)
            to[x] = IndexAt(from, x, bpp);
    }
    return expanded;
}
