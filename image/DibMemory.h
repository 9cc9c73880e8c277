#pragma once
// Packed DIBs in global memory, for the conversion results and the DIB image classes.

#include "platform/base/WinStructs.h"

#include <cstdint>

// Whether a picture of that size may be made: positive sides within the program's picture limits.
bool IsPictureSizeAllowed(std::int64_t width, std::int64_t height);

// A new movable, zero-filled block: a 40-byte header (planes 1, the bit count, biClrUsed = colours, the
// rest 0), colours entries of colour table, and room for rowCount rows; the header's height is the whole
// picture's height, so a band's block is smaller than the picture it belongs to. Null for sizes or counts
// that are not positive or beyond the limits.
HGLOBAL AllocDib(int width, int height, int bpp, int colours, int firstRow, int rowCount);

// A new locked, zero-filled DIB with room for 256 colour-table entries: biClrUsed 16 at 4 bits per pixel and
// 256 at 8 (0 otherwise), the sixteen standard colours repeated through the table, biSizeImage set. Null for
// other bit counts, sizes that are not positive or beyond the limits, or when memory runs out.
BITMAPINFOHEADER* CreateBlankDib(int bpp, int width, int height);
