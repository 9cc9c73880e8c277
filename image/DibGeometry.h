#pragma once
// Geometry of packed DIBs: a BITMAPINFOHEADER (or an old 12-byte core header), the colour table, then the
// pixel rows, bottom row first, each padded to 4 bytes. Every picture routine finds colours and pixels
// through these functions. Sizes are 64-bit: width times height times bits overflows 32 bits long before
// a picture is too large to hold.

#include "platform/base/WinStructs.h"

#include <cstdint>

// A 12-byte core header keeps its fields at other places and has 3-byte colour-table entries.
bool IsCoreHeader(const BITMAPINFOHEADER* dib);
int DibWidth(const BITMAPINFOHEADER* dib);
int DibHeight(const BITMAPINFOHEADER* dib);
int DibBitCount(const BITMAPINFOHEADER* dib);

// Colour-table entries: biClrUsed below 16 bits per pixel when it is set (never more than the bit count
// can address), else 2^bpp below 16 bits per pixel, else 0.
int DibNumColors(const BITMAPINFOHEADER* dib);
// Bytes of the colour table: 3 per entry after a core header, 4 otherwise; none at 16 bits and above.
std::int64_t DibPaletteBytes(const BITMAPINFOHEADER* dib);
// Offset of the pixels: header, colour table and, for a 40-byte header with BI_BITFIELDS, the three
// 32-bit colour masks.
std::int64_t DibBitsOffset(const BITMAPINFOHEADER* dib);
// The same offset under the name the shell uses for it.
inline std::int64_t DibColorTableBytes(const BITMAPINFOHEADER* dib) {
    return DibBitsOffset(dib);
}
BYTE* DibColorTablePtr(BITMAPINFOHEADER* dib);
const BYTE* DibColorTablePtr(const BITMAPINFOHEADER* dib);
BYTE* DibBitsPtr(BITMAPINFOHEADER* dib);
const BYTE* DibBitsPtr(const BITMAPINFOHEADER* dib);

// Bytes of all rows: DibRowBytes * height.
std::int64_t DibImageBytes(std::int64_t width, std::int64_t height, int bpp);
// biSizeImage; when it is 0 it is computed and written back (when it fits the field).
std::int64_t DibImageSize(BITMAPINFOHEADER* dib);
// The same without writing back.
std::int64_t DibImageSize(const BITMAPINFOHEADER* dib);
std::int64_t DibTotalSize(BITMAPINFOHEADER* dib);
