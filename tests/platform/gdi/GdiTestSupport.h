#pragma once
// Small surfaces and DIB builders for the drawing-layer tests.

#include "platform/gdi/Dc.h"
#include "tests/support/GuiApplication.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

// A memory context with a 24-bit bottom-up DIB section selected, for reading pixels back by offset.
class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : m_width(width), m_height(height) {
        BITMAPINFO info{};
        info.bmiHeader =
            BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<BYTE*>(bits);
        dc.CreateCompatibleDC(nullptr);
        m_previous = dc.SelectObject(&m_bitmap);
        Fill(fill);
    }
    ~DibCanvas() { dc.SelectObject(m_previous); }

    void Fill(COLORREF color) {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                Set(x, y, color);
    }
    int Stride() const { return (m_width * 3 + 3) / 4 * 4; }
    // The pixel at top-down (x, y), read from the section's bottom-up rows.
    COLORREF At(int x, int y) const {
        const BYTE* p = m_bits + (m_height - 1 - y) * Stride() + 3 * x;
        return RGB(p[2], p[1], p[0]);
    }
    void Set(int x, int y, COLORREF color) {
        BYTE* p = m_bits + (m_height - 1 - y) * Stride() + 3 * x;
        p[0] = GetBValue(color), p[1] = GetGValue(color), p[2] = GetRValue(color);
    }
    std::vector<COLORREF> Row(int y) const {
        std::vector<COLORREF> row;
        for (int x = 0; x < m_width; ++x)
            row.push_back(At(x, y));
        return row;
    }
    BYTE* Bits() const { return m_bits; }
    CBitmap& Bitmap() { return m_bitmap; }

    CDC dc;

private:
    int m_width;
    int m_height;
    CBitmap m_bitmap;
    CBitmap* m_previous = nullptr;
    BYTE* m_bits = nullptr;
};

// A packed DIB built in memory: header, colour table, rows bottom row first (top row first when
// topDown). Pixels are given top row first as colour-table indexes (up to 8 bits) or raw values.
struct PackedDib {
    std::vector<BYTE> bytes;
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(bytes.data()); }
    const void* Bits() const { return bytes.data() + bitsOffset; }
    size_t bitsOffset = 0;

    static PackedDib Make(int bitCount, int width, const std::vector<std::vector<DWORD>>& rows,
                          const std::vector<RGBQUAD>& colors = {}, DWORD compression = BI_RGB,
                          const std::vector<DWORD>& masks = {}, bool topDown = false) {
        PackedDib dib;
        const int height = static_cast<int>(rows.size());
        const int stride = (width * bitCount + 31) / 32 * 4;
        BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER),
                                width,
                                topDown ? -height : height,
                                1,
                                static_cast<WORD>(bitCount),
                                compression,
                                0,
                                0,
                                0,
                                static_cast<DWORD>(colors.size()),
                                0};
        dib.bytes.resize(sizeof header);
        std::memcpy(dib.bytes.data(), &header, sizeof header);
        for (const RGBQUAD& c : colors)
            dib.bytes.insert(dib.bytes.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed, 0});
        for (DWORD m : masks)
            for (int i = 0; i < 4; ++i)
                dib.bytes.push_back(static_cast<BYTE>(m >> (8 * i)));
        dib.bitsOffset = dib.bytes.size();
        dib.bytes.resize(dib.bitsOffset + static_cast<size_t>(stride) * height);
        for (int y = 0; y < height; ++y) {
            BYTE* row = dib.bytes.data() + dib.bitsOffset +
                        static_cast<size_t>(topDown ? y : height - 1 - y) * stride;
            for (int x = 0; x < width; ++x) {
                const DWORD v = rows[y][x];
                switch (bitCount) {
                case 1:
                    row[x / 8] |= static_cast<BYTE>(v << (7 - x % 8));
                    break;
                case 4:
                    row[x / 2] |= static_cast<BYTE>(x % 2 ? v : v << 4);
                    break;
                case 8:
                    row[x] = static_cast<BYTE>(v);
                    break;
                case 16:
                    row[2 * x] = static_cast<BYTE>(v), row[2 * x + 1] = static_cast<BYTE>(v >> 8);
                    break;
                case 24:
                    for (int i = 0; i < 3; ++i)
                        row[3 * x + i] = static_cast<BYTE>(v >> (8 * i));
                    break;
                case 32:
                    for (int i = 0; i < 4; ++i)
                        row[4 * x + i] = static_cast<BYTE>(v >> (8 * i));
                    break;
                }
            }
        }
        return dib;
    }
};

// 24-bit raw value of a colour, as DIB rows store it (blue in the low byte).
constexpr DWORD Bgr(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
