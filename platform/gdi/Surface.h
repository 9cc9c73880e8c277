#pragma once
// Pixel surfaces and the per-pixel raster operations. Private to platform/gdi.
//
// A device pixel is a DWORD 0x00RRGGBB: the blue, green, red byte order of DIB rows read little-endian.

#include "platform/gdi/GdiTypes.h"

#include <cstddef>

// Rows of 24- or 32-bit pixels in blue, green, red order. Bottom-up surfaces (DIB sections) keep device
// row 0 last in memory.
struct Surface {
    BYTE* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    int bytesPerPixel = 0;
    bool bottomUp = false;

    bool IsValid() const { return bits && width > 0 && height > 0; }
    BYTE* Row(int y) const { return bits + (bottomUp ? height - 1 - y : y) * stride; }
    DWORD Get(int x, int y) const { return LoadPixel(Row(y) + x * bytesPerPixel); }
    void Put(int x, int y, DWORD pixel) const { StorePixel(Row(y) + x * bytesPerPixel, pixel); }

    DWORD LoadPixel(const BYTE* p) const { return p[0] | (p[1] << 8) | (static_cast<DWORD>(p[2]) << 16); }
    // The fourth byte of 32-bit pixels stays 0xFF, which the image library expects of opaque pixels.
    void StorePixel(BYTE* p, DWORD pixel) const {
        p[0] = static_cast<BYTE>(pixel);
        p[1] = static_cast<BYTE>(pixel >> 8);
        p[2] = static_cast<BYTE>(pixel >> 16);
        if (bytesPerPixel == 4)
            p[3] = 0xFF;
    }
};

constexpr DWORD PixelFromColorRef(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ColorRefFromPixel(DWORD p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// The truth-table byte of a ternary raster operation, and which operands it reads.
constexpr BYTE RopCode(DWORD rop) {
    return static_cast<BYTE>(rop >> 16);
}
constexpr bool RopUsesSource(BYTE code) {
    return ((code >> 2) ^ code) & 0x33;
}
constexpr bool RopUsesPattern(BYTE code) {
    return ((code >> 4) ^ code) & 0x0F;
}
constexpr bool RopUsesDest(BYTE code) {
    return ((code >> 1) ^ code) & 0x55;
}
// The ternary code of a binary (pen) raster operation R2_*: pen in place of pattern, no source.
constexpr BYTE RopCodeOfRop2(int rop2) {
    const int table = (rop2 - 1) & 0xF; // bit (pen * 2 + dest)
    BYTE code = 0;
    for (int i = 0; i < 8; ++i) {
        const int pen = (i >> 2) & 1, dest = i & 1;
        if (table & (1 << (pen * 2 + dest)))
            code |= static_cast<BYTE>(1 << i);
    }
    return code;
}

// Applies a truth table bitwise to pattern, source and destination bits, 24 at a time.
constexpr DWORD ApplyRop(BYTE code, DWORD pattern, DWORD source, DWORD dest) {
    switch (code) {
    case 0x00:
        return 0;
    case 0xFF:
        return 0xFFFFFF;
    case 0xCC:
        return source;
    case 0xEE:
        return source | dest;
    case 0x88:
        return source & dest;
    case 0x66:
        return source ^ dest;
    case 0x33:
        return ~source & 0xFFFFFF;
    case 0x55:
        return ~dest & 0xFFFFFF;
    case 0xF0:
        return pattern;
    case 0x5A:
        return pattern ^ dest;
    case 0xAA:
        return dest;
    default:
        break;
    }
    DWORD result = 0;
    for (int i = 0; i < 8; ++i) {
        if (!(code & (1 << i)))
            continue;
        const DWORD p = (i & 4) ? pattern : ~pattern;
        const DWORD s = (i & 2) ? source : ~source;
        const DWORD d = (i & 1) ? dest : ~dest;
        result |= p & s & d;
    }
    return result & 0xFFFFFF;
}
