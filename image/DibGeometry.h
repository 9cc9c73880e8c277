#pragma once
// Where the parts of a packed DIB (header, colour table, pixel rows) lie, and how long its rows are.
// Every picture routine of the program finds its way through a DIB with these.

#include "platform/base/WinStructs.h"

#include <cstdint>

// Colour-table entries: biClrUsed when below 16 bits per pixel with a 40-byte header and biClrUsed set,
// else 2^bpp below 16 bits per pixel, else none.
DWORD DibNumColors(const BITMAPINFOHEADER* dib);

// Bytes of the colour table: none from 24 bits per pixel up; 3-byte entries for every full table behind a
// header that is not 40 bytes (the core header); else 4 bytes per entry.
DWORD DibPaletteBytes(const BITMAPINFOHEADER* dib);

// Header size plus colour-table bytes: where the pixel rows begin.
DWORD DibBitsOffset(const BITMAPINFOHEADER* dib);

BYTE* DibColorTablePtr(const BITMAPINFOHEADER* dib);
BYTE* DibBitsPtr(const BITMAPINFOHEADER* dib);

// Bytes of one row, padded to a multiple of 4; in 64 bits so that no width or depth can wrap it.
std::int64_t DibRowBytes(std::int64_t width, int bitCount);

// Bytes of height rows of the given width and depth.
std::int64_t DibImageBytes(std::int64_t width, std::int64_t height, int bitCount);
