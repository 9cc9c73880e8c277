#include "image/DibGeometry.h"

namespace {

constexpr DWORD kInfoHeaderSize = sizeof(BITMAPINFOHEADER);

} // namespace

DWORD DibNumColors(const BITMAPINFOHEADER* dib) {
    if (dib->biBitCount >= 16)
        return 0;
    if (dib->biSize == kInfoHeaderSize && dib->biClrUsed != 0)
        return dib->biClrUsed;
    return DWORD{1} << dib->biBitCount;
}

DWORD DibPaletteBytes(const BITMAPINFOHEADER* dib) {
    if (dib->biBitCount >= 24)
        return 0;
    if (dib->biSize != kInfoHeaderSize)
        return dib->biBitCount >= 16 ? 0 : 3 * (DWORD{1} << dib->biBitCount);
    return 4 * DibNumColors(dib);
}

DWORD DibBitsOffset(const BITMAPINFOHEADER* dib) {
    return dib->biSize + DibPaletteBytes(dib);
}

BYTE* DibColorTablePtr(const BITMAPINFOHEADER* dib) {
    return const_cast<BYTE*>(reinterpret_cast<const BYTE*>(dib)) + dib->biSize;
}

BYTE* DibBitsPtr(const BITMAPINFOHEADER* dib) {
    return const_cast<BYTE*>(reinterpret_cast<const BYTE*>(dib)) + DibBitsOffset(dib);
}

std::int64_t DibRowBytes(std::int64_t width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

std::int64_t DibImageBytes(std::int64_t width, std::int64_t height, int bitCount) {
    return DibRowBytes(width, bitCount) * height;
}
