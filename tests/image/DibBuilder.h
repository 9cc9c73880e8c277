#pragma once
// Small packed DIBs for tests, written from top-down pixel lists.

#include "image/DibGeometry.h"
#include "image/PictureInfo.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

// Pixel x of a row of a DIB of that depth: an index, the 16-bit value, or 0xRRGGBB.
inline unsigned PixelInRow(const BYTE* row, int x, int bitCount) {
    switch (bitCount) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    case 8:
        return row[x];
    case 16:
        return row[2 * x] | row[2 * x + 1] << 8;
    default: {
        const BYTE* p = row + x * (bitCount / 8);
        return p[0] | (p[1] << 8) | (p[2] << 16);
    }
    }
}

// A packed DIB in a byte vector (8-byte aligned, so the header can be read in place).
class DibBuilder {
public:
    DibBuilder(int width, int height, int bpp, std::vector<RGBQUAD> colours = {})
        : m_width(width), m_height(height) {
        const auto rowBytes = static_cast<size_t>(DibRowBytes(width, bpp));
        m_bytes.resize((sizeof(BITMAPINFOHEADER) + colours.size() * 4 + rowBytes * height + 7) / 8);
        BITMAPINFOHEADER h{sizeof(BITMAPINFOHEADER),
                           width,
                           height,
                           1,
                           static_cast<WORD>(bpp),
                           BI_RGB,
                           static_cast<DWORD>(rowBytes * height),
                           0,
                           0,
                           static_cast<DWORD>(colours.size()),
                           0};
        std::memcpy(Bytes(), &h, sizeof h);
        if (!colours.empty())
            std::memcpy(Bytes() + sizeof h, colours.data(), colours.size() * 4);
    }

    BITMAPINFOHEADER* Header() { return reinterpret_cast<BITMAPINFOHEADER*>(m_bytes.data()); }
    DWORD Length() { return static_cast<DWORD>(DibBitsOffset(Header()) + Header()->biSizeImage); }
    BYTE* Bytes() { return reinterpret_cast<BYTE*>(m_bytes.data()); }
    // Row y counted from the top.
    BYTE* Row(int y) {
        return DibBitsPtr(Header()) + (m_height - 1 - y) * DibRowBytes(m_width, Header()->biBitCount);
    }

    // Pixels top-down, row by row: indexes for paletted DIBs, the 16-bit value, or 0xRRGGBB for true colour.
    DibBuilder& Pixels(const std::vector<unsigned>& values) {
        auto it = values.begin();
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width && it != values.end(); ++x, ++it)
                SetPixel(x, y, *it);
        }
        return *this;
    }

    void SetPixel(int x, int y, unsigned value) {
        BYTE* row = Row(y);
        switch (Header()->biBitCount) {
        case 1:
            row[x / 8] = static_cast<BYTE>((row[x / 8] & ~(0x80 >> (x % 8))) | ((value & 1) << (7 - x % 8)));
            break;
        case 4:
            row[x / 2] = static_cast<BYTE>(x % 2 ? (row[x / 2] & 0xF0) | (value & 0x0F)
                                                 : (row[x / 2] & 0x0F) | ((value & 0x0F) << 4));
            break;
        case 8:
            row[x] = static_cast<BYTE>(value);
            break;
        case 16:
            row[2 * x] = static_cast<BYTE>(value);
            row[2 * x + 1] = static_cast<BYTE>(value >> 8);
            break;
        default: {
            BYTE* p = row + x * (Header()->biBitCount / 8);
            p[0] = static_cast<BYTE>(value);
            p[1] = static_cast<BYTE>(value >> 8);
            p[2] = static_cast<BYTE>(value >> 16);
        }
        }
    }

    // The pixel at (x, y) from the top: an index, or 0xRRGGBB.
    unsigned GetPixel(int x, int y) { return PixelInRow(Row(y), x, Header()->biBitCount); }

private:
    int m_width;
    int m_height;
    std::vector<std::uint64_t> m_bytes;
};

// Reads the pixels of any 8- or 24-bit DIB top-down as indexes or 0xRRGGBB.
inline std::vector<unsigned> PixelsOf(const BITMAPINFOHEADER* dib, int rows) {
    std::vector<unsigned> out;
    const int width = dib->biWidth;
    const auto stride = DibRowBytes(width, dib->biBitCount);
    const BYTE* bits = DibBitsPtr(dib);
    for (int y = 0; y < rows; ++y) {
        const BYTE* row = bits + (rows - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            if (dib->biBitCount == 8)
                out.push_back(row[x]);
            else
                out.push_back(row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16));
        }
    }
    return out;
}

inline RGBQUAD Rgb(unsigned rgb) {
    return {static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb >> 16), 0};
}

// A new picture holding a copy of the builder's DIB.
inline CPictureInfo* PictureOf(DibBuilder& dib) {
    auto* picture = new CPictureInfo;
    std::memcpy(picture->Allocate(dib.Length()), dib.Bytes(), dib.Length());
    return picture;
}

// Pixel (x, y), y from the top, of a picture: an index, or 0xRRGGBB.
inline unsigned PixelOf(const CPictureInfo& picture, int x, int y) {
    const BITMAPINFOHEADER* h = picture.GetHeader();
    const BYTE* row = DibBitsPtr(h) + (h->biHeight - 1 - y) * DibRowBytes(h->biWidth, h->biBitCount);
    return PixelInRow(row, x, h->biBitCount);
}

// Every pixel of a picture, row by row from the top.
inline std::vector<unsigned> AllPixelsOf(const CPictureInfo& picture) {
    std::vector<unsigned> out;
    for (int y = 0; y < picture.GetHeight(); ++y) {
        for (int x = 0; x < picture.GetWidth(); ++x)
            out.push_back(PixelOf(picture, x, y));
    }
    return out;
}

// A 24-bit picture whose every pixel tells where it is: red = x, green = y (both modulo 256), blue 7.
inline std::unique_ptr<CPictureInfo> CoordinatesPicture(int width, int height) {
    DibBuilder dib(width, height, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            dib.SetPixel(x, y, static_cast<unsigned>((x & 0xFF) << 16 | (y & 0xFF) << 8 | 7));
    }
    return std::unique_ptr<CPictureInfo>(PictureOf(dib));
}

// A 24-bit picture in one colour, 0xRRGGBB.
inline std::unique_ptr<CPictureInfo> FilledPicture(int width, int height, unsigned rgb) {
    DibBuilder dib(width, height, 24);
    dib.Pixels(
        std::vector<unsigned>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), rgb));
    return std::unique_ptr<CPictureInfo>(PictureOf(dib));
}
