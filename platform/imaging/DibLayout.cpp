#include "platform/imaging/DibLayout.h"

#include <cstring>

namespace {

constexpr DWORD kInfoHeaderBytes = sizeof(BITMAPINFOHEADER);
// The largest header the BMP format defines (BITMAPV5HEADER).
constexpr DWORD kLargestHeaderBytes = 124;

} // namespace

bool IsDibDepth(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

bool IsDibSizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxDibSide && height <= kMaxDibSide &&
           width * height <= kMaxDibPixels;
}

bool ReadDibLayout(const BITMAPINFOHEADER* dib, std::size_t length, DibLayout& layout) {
    if (dib == nullptr || (length != 0 && length < kInfoHeaderBytes))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib, sizeof header);
    if (header.biSize < kInfoHeaderBytes || header.biSize > kLargestHeaderBytes || header.biPlanes != 1 ||
        header.biCompression != BI_RGB || !IsDibDepth(header.biBitCount))
        return false;
    const std::int64_t width = header.biWidth;
    const std::int64_t height = header.biHeight < 0 ? -std::int64_t{header.biHeight} : header.biHeight;
    if (!IsDibSizeAllowed(width, height))
        return false;

    std::int64_t entries = 0;
    if (header.biBitCount <= 8) {
        const std::int64_t full = std::int64_t{1} << header.biBitCount;
        entries = header.biClrUsed != 0 && header.biClrUsed < full ? header.biClrUsed : full;
    }
    const std::int64_t rowBytes = DibRowBytes(width, header.biBitCount);
    const std::int64_t bitsOffset = std::int64_t{header.biSize} + entries * 4;
    const std::int64_t total = bitsOffset + rowBytes * height;
    if (length != 0 && total > static_cast<std::int64_t>(length))
        return false;

    const BYTE* base = reinterpret_cast<const BYTE*>(dib);
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    layout.bitsPerPixel = header.biBitCount;
    layout.palette = entries > 0 ? reinterpret_cast<const RGBQUAD*>(base + header.biSize) : nullptr;
    layout.paletteEntries = static_cast<int>(entries);
    layout.rowBytes = rowBytes;
    if (header.biHeight < 0) {
        layout.bottomRow = base + bitsOffset + rowBytes * (height - 1);
        layout.rowStep = -static_cast<std::ptrdiff_t>(rowBytes);
    } else {
        layout.bottomRow = base + bitsOffset;
        layout.rowStep = static_cast<std::ptrdiff_t>(rowBytes);
    }
    return true;
}

std::size_t DibBlockBytes(int width, int height, int bitsPerPixel, std::size_t paletteEntries) {
    const std::size_t paletteBytes = bitsPerPixel <= 8 ? paletteEntries * sizeof(RGBQUAD) : 0;
    return kInfoHeaderBytes + paletteBytes +
           static_cast<std::size_t>(DibRowBytes(width, bitsPerPixel) * height);
}

BYTE* WriteDibHead(BYTE* block, int width, int height, int bitsPerPixel,
                   const std::vector<RGBQUAD>& palette) {
    const std::int64_t rowBytes = DibRowBytes(width, bitsPerPixel);
    const std::size_t paletteBytes = bitsPerPixel <= 8 ? palette.size() * sizeof(RGBQUAD) : 0;
    BITMAPINFOHEADER header{};
    header.biSize = kInfoHeaderBytes;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitsPerPixel);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(rowBytes * height);
    header.biClrUsed = bitsPerPixel <= 8 ? static_cast<DWORD>(palette.size()) : 0;
    std::memcpy(block, &header, sizeof header);
    if (paletteBytes != 0)
        std::memcpy(block + kInfoHeaderBytes, palette.data(), paletteBytes);
    return block + kInfoHeaderBytes + paletteBytes;
}

std::vector<BYTE> MakeDib(int width, int height, int bitsPerPixel, const std::vector<RGBQUAD>& palette) {
    std::vector<BYTE> dib(DibBlockBytes(width, height, bitsPerPixel, palette.size()));
    WriteDibHead(dib.data(), width, height, bitsPerPixel, palette);
    return dib;
}

BYTE* DibBottomRow(std::vector<BYTE>& dib) {
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof header);
    const std::size_t paletteBytes = header.biBitCount <= 8 ? header.biClrUsed * sizeof(RGBQUAD) : 0;
    return dib.data() + header.biSize + paletteBytes;
}
