// The logical palette of the DIB image classes, over the drawing layer's palette object.

#include "image/ImagePalette.h"

#include <vector>

namespace {

constexpr WORD kPaletteVersion = 0x300;
constexpr int kMaxEntries = 256;

} // namespace

CImagePalette::CImagePalette(int count, const BYTE* red, const BYTE* green, const BYTE* blue) {
    CreateFromArrays(count, red, green, blue);
}

CImagePalette::CImagePalette(const CImagePalette& other) : CPalette() {
    const int count = other.GetEntryCount();
    if (count <= 0)
        return;
    std::vector<PALETTEENTRY> entries(static_cast<size_t>(count));
    other.GetEntries(0, static_cast<UINT>(count), entries.data());
    std::vector<BYTE> red, green, blue;
    for (const PALETTEENTRY& entry : entries) {
        red.push_back(entry.peRed);
        green.push_back(entry.peGreen);
        blue.push_back(entry.peBlue);
    }
    CreateFromArrays(count, red.data(), green.data(), blue.data());
}

bool CImagePalette::CreateFromArrays(int count, const BYTE* red, const BYTE* green, const BYTE* blue) {
    if (m_hObject || count < 1 || count > kMaxEntries || !red || !green || !blue)
        return false;
    std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(count));
    auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = kPaletteVersion;
    logical->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i)
        logical->palPalEntry[i] = {red[i], green[i], blue[i], 0};
    return CreatePalette(logical) != FALSE;
}

int CImagePalette::GetNearestIndex(BYTE red, BYTE green, BYTE blue) const {
    if (!m_hObject)
        return -1;
    return static_cast<int>(GetNearestPaletteIndex(RGB(red, green, blue)));
}

bool CImagePalette::GetEntry(int index, BYTE& red, BYTE& green, BYTE& blue) const {
    if (index < 0 || index >= kMaxEntries || !m_hObject)
        return false;
    PALETTEENTRY entry{};
    if (GetPaletteEntries(static_cast<UINT>(index), 1, &entry) != 1)
        return false;
    red = entry.peRed;
    green = entry.peGreen;
    blue = entry.peBlue;
    return true;
}

UINT CImagePalette::GetEntries(UINT first, UINT count, PALETTEENTRY* entries) const {
    return GetPaletteEntries(first, count, entries);
}
