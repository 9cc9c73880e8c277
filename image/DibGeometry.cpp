#include "image/DibGeometry.h"

#include <limits>

namespace {

const BITMAPCOREHEADER* AsCore(const BITMAPINFOHEADER* dib) {
    return reinterpret_cast<const BITMAPCOREHEADER*>(dib);
}

constexpr int kColourMaskBytes = 3 * 4;

} // namespace

bool IsCoreHeader(const BITMAPINFOHEADER* dib) {
    return dib->biSize == sizeof(BITMAPCOREHEADER);
}

int DibWidth(const BITMAPINFOHEADER* dib) {
    return IsCoreHeader(dib) ? AsCore(dib)->bcWidth : dib->biWidth;
}

int DibHeight(const BITMAPINFOHEADER* dib) {
    return IsCoreHeader(dib) ? AsCore(dib)->bcHeight : dib->biHeight;
}

int DibBitCount(const BITMAPINFOHEADER* dib) {
    return IsCoreHeader(dib) ? AsCore(dib)->bcBitCount : dib->biBitCount;
}

int DibNumColors(const BITMAPINFOHEADER* dib) {
    const int bpp = DibBitCount(dib);
    if (bpp <= 0 || bpp >= 16)
        return 0;
    const int addressable = 1 << bpp;
    if (!IsCoreHeader(dib) && dib->biClrUsed != 0 && dib->biClrUsed < static_cast<DWORD>(addressable))
        return static_cast<int>(dib->biClrUsed);
    return addressable;
}

std::int64_t DibPaletteBytes(const BITMAPINFOHEADER* dib) {
    const int entryBytes = IsCoreHeader(dib) ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD);
    return static_cast<std::int64_t>(entryBytes) * DibNumColors(dib);
}

std::int64_t DibBitsOffset(const BITMAPINFOHEADER* dib) {
    std::int64_t offset = static_cast<std::int64_t>(dib->biSize) + DibPaletteBytes(dib);
    // Later header versions hold the masks inside the header.
    if (dib->biSize == sizeof(BITMAPINFOHEADER) && dib->biCompression == BI_BITFIELDS)
        offset += kColourMaskBytes;
    return offset;
}

BYTE* DibColorTablePtr(BITMAPINFOHEADER* dib) {
    return reinterpret_cast<BYTE*>(dib) + dib->biSize;
}

const BYTE* DibColorTablePtr(const BITMAPINFOHEADER* dib) {
    return reinterpret_cast<const BYTE*>(dib) + dib->biSize;
}

BYTE* DibBitsPtr(BITMAPINFOHEADER* dib) {
    return reinterpret_cast<BYTE*>(dib) + DibBitsOffset(dib);
}

const BYTE* DibBitsPtr(const BITMAPINFOHEADER* dib) {
    return reinterpret_cast<const BYTE*>(dib) + DibBitsOffset(dib);
}

std::int64_t DibImageBytes(std::int64_t width, std::int64_t height, int bpp) {
    return DibRowBytes(width, bpp) * height;
}

std::int64_t DibImageSize(const BITMAPINFOHEADER* dib) {
    if (!IsCoreHeader(dib) && dib->biSizeImage != 0)
        return dib->biSizeImage;
    return DibImageBytes(DibWidth(dib), DibHeight(dib) < 0 ? -std::int64_t{DibHeight(dib)} : DibHeight(dib),
                         DibBitCount(dib));
}

std::int64_t DibImageSize(BITMAPINFOHEADER* dib) {
    const std::int64_t size = DibImageSize(static_cast<const BITMAPINFOHEADER*>(dib));
    if (!IsCoreHeader(dib) && dib->biSizeImage == 0 && size <= std::numeric_limits<DWORD>::max())
        dib->biSizeImage = static_cast<DWORD>(size);
    return size;
}

std::int64_t DibTotalSize(BITMAPINFOHEADER* dib) {
    return DibBitsOffset(dib) + DibImageSize(dib);
}
