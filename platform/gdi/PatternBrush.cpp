// DIB pattern brushes: the packed DIB's pixels are copied once into the tile the brush repeats.

#include "platform/base/DibLimits.h"
#include "platform/gdi/DibPixels.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/GdiRecords.h"

#include <algorithm>
#include <cstdint>

namespace {

// Bytes between the header and the rows: colour entries of 4 bytes, palette indices of 2, or the
// three masks of a bit-field DIB whose header does not hold them.
std::size_t ColourTableSize(const BITMAPINFOHEADER& header, UINT usage) {
    if (header.biBitCount <= 8) {
        const DWORD full = DWORD{1} << header.biBitCount;
        const DWORD entries = header.biClrUsed ? std::min(header.biClrUsed, full) : full;
        return entries * (usage == DIB_PAL_COLORS ? 2 : 4);
    }
    return header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
}

} // namespace

HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage) {
    if (!packedDib || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS))
        return nullptr;
    const auto* info = static_cast<const BITMAPINFO*>(packedDib);
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0 ||
        std::int64_t{header.biWidth} * std::abs(std::int64_t{header.biHeight}) > kMaxDibPixels)
        return nullptr;
    const BYTE* bits = static_cast<const BYTE*>(packedDib) + header.biSize + ColourTableSize(header, usage);
    DibPixels pixels;
    if (!pixels.Open(info, bits, usage, PaletteOf(GetStockObject(DEFAULT_PALETTE))->entries))
        return nullptr;
    QImage tile(pixels.Width(), pixels.Height(), QImage::Format_RGB32);
    if (tile.isNull())
        return nullptr;
    for (int y = 0; y < pixels.Height(); ++y) {
        auto* row = reinterpret_cast<DWORD*>(tile.scanLine(y));
        pixels.FetchRow(y, 0, pixels.Width(), row);
        for (int x = 0; x < pixels.Width(); ++x)
            row[x] |= 0xFF000000;
    }
    auto record = std::make_unique<BrushRecord>();
    // As the system keeps it: the colour field holds the usage.
    record->brush = LOGBRUSH{BS_DIBPATTERNPT, usage, 0};
    record->pattern = std::move(tile);
    return NewHandle(std::move(record));
}

BOOL CBrush::CreateDIBPatternBrush(const void* packedDib, UINT usage) {
    return AttachNew(::CreateDIBPatternBrushPt(packedDib, usage));
}
