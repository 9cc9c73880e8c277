#include "DibFixtures.h"

#include "image/DibGeometry.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

template <typename T>
void Append(std::vector<BYTE>& out, const T& value) {
    const std::size_t at = out.size();
    out.resize(at + sizeof value);
    std::memcpy(out.data() + at, &value, sizeof value);
}

} // namespace

std::vector<BYTE> BuildDib(const DibSpec& layout) {
    std::vector<BYTE> out;
    if (layout.headerSize == 12) {
        BITMAPCOREHEADER core{12, static_cast<WORD>(layout.width), static_cast<WORD>(layout.height),
                              layout.planes, layout.bitCount};
        Append(out, core);
    } else {
        BITMAPINFOHEADER info{
            layout.headerSize,     layout.width,     layout.height, layout.planes, layout.bitCount,
            layout.compression,    layout.sizeImage, 2835,          2835,          layout.colorsUsed,
            layout.colorsImportant};
        Append(out, info);
        for (DWORD mask : layout.masks)
            Append(out, mask);
        if (out.size() < layout.headerSize)
            out.resize(layout.headerSize, 0);
    }
    for (const RGBQUAD& entry : layout.table) {
        if (layout.headerSize == 12)
            Append(out, RGBTRIPLE{entry.rgbBlue, entry.rgbGreen, entry.rgbRed});
        else
            Append(out, entry);
    }
    out.insert(out.end(), layout.bits.begin(), layout.bits.end());
    return out;
}

std::vector<BYTE> BuildBmpFile(const DibSpec& layout, std::size_t gap, std::optional<DWORD> offBits,
                               std::optional<DWORD> fileSize) {
    DibSpec front = layout;
    front.bits.clear();
    const std::vector<BYTE> head = BuildDib(front);
    const auto size = static_cast<DWORD>(14 + head.size() + gap + layout.bits.size());
    BITMAPFILEHEADER file{0x4D42, fileSize.value_or(size), 0, 0,
                          offBits.value_or(static_cast<DWORD>(14 + head.size() + gap))};
    std::vector<BYTE> out(sizeof file + head.size() + gap + layout.bits.size(), 0xEE);
    std::memcpy(out.data(), &file, sizeof file);
    std::copy(head.begin(), head.end(), out.begin() + sizeof file);
    std::copy(layout.bits.begin(), layout.bits.end(),
              out.begin() + static_cast<std::ptrdiff_t>(sizeof file + head.size() + gap));
    return out;
}

std::vector<BYTE> Rows24(const std::vector<std::vector<DWORD>>& topDownColors, bool topDown) {
    const auto height = static_cast<std::int64_t>(topDownColors.size());
    const auto width = static_cast<std::int64_t>(topDownColors.at(0).size());
    const std::int64_t rowBytes = DibRowBytes(width, 24);
    std::vector<BYTE> rows(static_cast<std::size_t>(rowBytes * height), 0);
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t stored = topDown ? y : height - 1 - y;
        for (std::int64_t x = 0; x < width; ++x) {
            const DWORD color = topDownColors[y][x];
            BYTE* pixel = &rows[stored * rowBytes + 3 * x];
            pixel[0] = color & 0xFF;
            pixel[1] = (color >> 8) & 0xFF;
            pixel[2] = (color >> 16) & 0xFF;
        }
    }
    return rows;
}

DWORD PixelAt(const BYTE* dib, int x, int y) {
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    if (header->biSize != 40 || header->biCompression != BI_RGB || header->biHeight <= 0)
        throw std::logic_error("not in the program's form");
    const int bitCount = header->biBitCount;
    const BYTE* row =
        DibBitsPtr(header) + DibRowBytes(header->biWidth, bitCount) * (header->biHeight - 1 - y);
    auto color = [](BYTE blue, BYTE green, BYTE red) { return DWORD{red} << 16 | DWORD{green} << 8 | blue; };
    if (bitCount <= 8) {
        const int perByte = 8 / bitCount;
        const int shift = 8 - bitCount * (1 + x % perByte);
        const int index = (row[x / perByte] >> shift) & ((1 << bitCount) - 1);
        const BYTE* entry = DibColorTablePtr(header) + 4 * index;
        return color(entry[0], entry[1], entry[2]);
    }
    if (bitCount == 16) {
        WORD value;
        std::memcpy(&value, row + 2 * x, 2);
        auto widen = [](int v) { return static_cast<BYTE>(v << 3 | v >> 2); };
        return color(widen(value & 0x1F), widen((value >> 5) & 0x1F), widen((value >> 10) & 0x1F));
    }
    const BYTE* pixel = row + x * (bitCount / 8);
    return color(pixel[0], pixel[1], pixel[2]);
}

std::vector<std::vector<DWORD>> AllPixels(const BYTE* dib) {
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    std::vector<std::vector<DWORD>> pixels(static_cast<std::size_t>(header->biHeight));
    for (int y = 0; y < header->biHeight; ++y)
        for (int x = 0; x < header->biWidth; ++x)
            pixels[y].push_back(PixelAt(dib, x, y));
    return pixels;
}
