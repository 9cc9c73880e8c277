#pragma once
// Palettes made from DIB colour tables, and colour tables filled from palettes.

#include "platform/gdi/GdiObjects.h"

// A new palette (version 0x300, the caller's) with one entry per colour-table entry, each flagged with
// flags; null when the DIB has no colour table.
CPalette* CreateDibPalette(const BITMAPINFOHEADER* dib, UINT flags);

// Rewrites the colour table of a DIB of the image classes: with usage DIB_PAL_COLORS the 16-bit indexes
// 0, 1, 2 ... (the table then names entries of a selected palette), else the colours of the palette (the
// system's default palette without one), black beyond its entries. The entry count is biClrUsed, or
// 2^bpp up to 8 bits per pixel; never more than the table of 256 entries that such DIBs have room for.
// A count of 3 with bit-field masks, or no entries, leaves the table alone. False only for a null DIB.
bool FillDibColorTable(BITMAPINFOHEADER* dib, HPALETTE palette, int usage);
