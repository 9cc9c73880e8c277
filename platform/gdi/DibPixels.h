#pragma once
// A packed DIB's pixels as a transfer source. Private to platform/gdi.

#include "platform/gdi/Blit.h"

#include <vector>

// Sides beyond this are refused: no picture the program draws comes near it, and it keeps every row
// offset far inside 64-bit arithmetic.
inline constexpr int kMaxDrawnDibSide = 1 << 20;

class DibPixels : public PixelSource {
public:
    // Reads the header (BITMAPCOREHEADER or BITMAPINFOHEADER and its larger versions) and colour table.
    // DIB_PAL_COLORS tables index palette. bits hold the rows from row firstScan on, counted in memory
    // order. False for compressed formats other than BI_BITFIELDS and for depths other than 1, 4, 8, 16,
    // 24 and 32.
    bool Open(const BITMAPINFO* info, const void* bits, UINT usage, const std::vector<PALETTEENTRY>& palette,
              int firstScan = 0);
    bool IsBottomUp() const { return m_bottomUp; }
    // Memory row of a top-down row.
    int MemoryRow(int y) const { return m_bottomUp ? m_height - 1 - y : y; }
    void FetchRow(int y, int x, int count, DWORD* out) const override;
    void Gather(int y, const int* xs, int count, DWORD* out) const override;
    const BYTE* RawRow(int y, int* bytesPerPixel) const override;

private:
    struct Channel {
        DWORD mask = 0;
        int shift = 0;
        int width = 0;
        DWORD Expand(DWORD value) const;
    };

    const BYTE* Row(int y) const {
        return m_bits + static_cast<std::ptrdiff_t>(MemoryRow(y) - m_firstScan) * m_stride;
    }
    // The pixel at column x of a row.
    DWORD PixelAt(const BYTE* row, int x) const;

    const BYTE* m_bits = nullptr;
    std::ptrdiff_t m_stride = 0;
    int m_bitCount = 0;
    bool m_bottomUp = true;
    int m_firstScan = 0;
    DWORD m_colors[256] = {};
    Channel m_channels[3];
};
