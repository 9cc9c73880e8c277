#include "image/DibPalette.h"

#include "image/DibGeometry.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr WORD kPaletteVersion = 0x300;
// The DIBs of the image classes have room for this many entries, whatever biClrUsed says.
constexpr int kMaxTableEntries = 256;

} // namespace

CPalette* CreateDibPalette(const BITMAPINFOHEADER* dib, UINT flags) {
    if (!dib)
        return nullptr;
    const int count = DibNumColors(dib);
    if (count <= 0)
        return nullptr;
    std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(count));
    auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = kPaletteVersion;
    logical->palNumEntries = static_cast<WORD>(count);
    const BYTE* entry = DibColorTablePtr(dib);
    const int entryBytes = IsCoreHeader(dib) ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD);
    for (int i = 0; i < count; ++i, entry += entryBytes)
        logical->palPalEntry[i] = {entry[2], entry[1], entry[0], static_cast<BYTE>(flags)};
    auto palette = std::make_unique<CPalette>();
    if (!palette->CreatePalette(logical))
        return nullptr;
    return palette.release();
}

bool FillDibColorTable(BITMAPINFOHEADER* dib, HPALETTE palette, int usage) {
    if (!dib)
        return false;
    long long count = dib->biClrUsed;
    if (count == 0 && dib->biBitCount <= 8)
        count = 1LL << dib->biBitCount;
    if ((count == 3 && dib->biCompression == BI_BITFIELDS) || count < 1)
        return true;
    count = std::min<long long>(count, kMaxTableEntries);
    BYTE* table = DibColorTablePtr(dib);
    if (usage == DIB_PAL_COLORS) {
        auto* indexes = reinterpret_cast<WORD*>(table);
        for (int i = 0; i < count; ++i)
            indexes[i] = static_cast<WORD>(i);
        return true;
    }
    CPalette* source =
        CPalette::FromHandle(palette ? palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
    PALETTEENTRY entries[kMaxTableEntries] = {};
    if (source)
        source->GetPaletteEntries(0, static_cast<UINT>(count), entries);
    auto* quads = reinterpret_cast<RGBQUAD*>(table);
    for (int i = 0; i < count; ++i)
        quads[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    return true;
}
