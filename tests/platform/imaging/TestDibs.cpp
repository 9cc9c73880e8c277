#include "TestDibs.h"

#include <cstring>
#include <stdexcept>

namespace {

std::size_t RowBytes(int width, int bits) {
    return std::size_t((width * bits + 31) / 32 * 4);
}

std::vector<BYTE> Blank(int width, int height, int bits, int entries) {
    std::vector<BYTE> dib(40 + 4 * std::size_t(entries) + RowBytes(width, bits) * std::size_t(height));
    BITMAPINFOHEADER h{};
    h.biSize = 40;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = WORD(bits);
    h.biSizeImage = DWORD(RowBytes(width, bits) * std::size_t(height));
    h.biClrUsed = DWORD(entries);
    std::memcpy(dib.data(), &h, sizeof h);
    return dib;
}

BYTE* Row(std::vector<BYTE>& dib, int topDownY) {
    const BITMAPINFOHEADER& h = HeaderOf(dib);
    const std::size_t entries = h.biBitCount <= 8 ? (h.biClrUsed ? h.biClrUsed : 1u << h.biBitCount) : 0;
    return dib.data() + 40 + 4 * entries +
           RowBytes(h.biWidth, h.biBitCount) * std::size_t(h.biHeight - 1 - topDownY);
}

} // namespace

const BITMAPINFOHEADER& HeaderOf(const std::vector<BYTE>& dib) {
    if (dib.size() < 40)
        throw std::runtime_error("not a DIB");
    return *reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
}

std::vector<BYTE> IndexedDib(int width, int height, int bits, const std::vector<int>& indexesTopDown,
                             int entries) {
    std::vector<BYTE> dib = Blank(width, height, bits, entries);
    for (int i = 0; i < entries; ++i) {
        const BYTE grey = BYTE(i * 255 / (entries - 1));
        const RGBQUAD q{grey, grey, grey, 0};
        std::memcpy(dib.data() + 40 + 4 * i, &q, 4);
    }
    for (int y = 0; y < height; ++y) {
        BYTE* row = Row(dib, y);
        for (int x = 0; x < width; ++x) {
            const int v = indexesTopDown[std::size_t(y * width + x)];
            if (bits == 8)
                row[x] = BYTE(v);
            else if (bits == 4)
                row[x / 2] |= BYTE(x % 2 ? v : v << 4);
            else
                row[x / 8] |= BYTE(v << (7 - x % 8));
        }
    }
    return dib;
}

std::vector<BYTE> ColourDib(int width, int height, const std::vector<COLORREF>& coloursTopDown) {
    std::vector<BYTE> dib = Blank(width, height, 24, 0);
    for (int y = 0; y < height; ++y) {
        BYTE* row = Row(dib, y);
        for (int x = 0; x < width; ++x) {
            const COLORREF c = coloursTopDown[std::size_t(y * width + x)];
            row[3 * x] = GetBValue(c), row[3 * x + 1] = GetGValue(c), row[3 * x + 2] = GetRValue(c);
        }
    }
    return dib;
}

std::vector<DWORD> PixelValues(const std::vector<BYTE>& dib) {
    const BITMAPINFOHEADER& h = HeaderOf(dib);
    std::vector<BYTE> copy = dib;
    std::vector<DWORD> values;
    for (int y = 0; y < h.biHeight; ++y) {
        const BYTE* row = Row(copy, y);
        for (int x = 0; x < h.biWidth; ++x) {
            switch (h.biBitCount) {
            case 1:
                values.push_back(row[x / 8] >> (7 - x % 8) & 1);
                break;
            case 4:
                values.push_back(x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4);
                break;
            case 8:
                values.push_back(row[x]);
                break;
            case 16:
                values.push_back(DWORD(row[2 * x] | row[2 * x + 1] << 8));
                break;
            default: {
                const BYTE* p = row + x * (h.biBitCount / 8);
                values.push_back(RGB(p[2], p[1], p[0]));
            }
            }
        }
    }
    return values;
}

std::vector<COLORREF> PixelColours(const std::vector<BYTE>& dib) {
    const BITMAPINFOHEADER& h = HeaderOf(dib);
    std::vector<COLORREF> colours;
    for (DWORD v : PixelValues(dib)) {
        if (h.biBitCount <= 8) {
            const BYTE* q = dib.data() + 40 + 4 * v;
            colours.push_back(RGB(q[2], q[1], q[0]));
        } else if (h.biBitCount == 16) {
            auto eight = [](DWORD five) { return BYTE(five << 3 | five >> 2); };
            colours.push_back(RGB(eight(v >> 10 & 31), eight(v >> 5 & 31), eight(v & 31)));
        } else {
            colours.push_back(v);
        }
    }
    return colours;
}
