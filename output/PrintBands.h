#pragma once
// Sending the painted page to the printer: a rectangle of the bottom-up print picture stretched onto a
// rectangle of the sheet, cut into bands of at most a given size, row by row from the top.

#include "platform/base/Geometry.h"
#include "platform/base/WinStructs.h"

#include <functional>
#include <vector>

// The band size of the old consumer systems' printer drivers; everything else takes the destination in
// one band.
inline constexpr CSize kSmallPrintBand{1655, 2340};

// One StretchDIBits call: destination in printer dots, source in picture pixels with ys counted from the
// picture's bottom row.
struct PrintBand {
    CRect dest;
    int xs = 0, ys = 0, ws = 0, hs = 0;
};

// The bands of the walk; an empty band size takes the destination in one band.
std::vector<PrintBand> PrintBandsOf(const CRect& dest, const CRect& source, int dibHeight, CSize bandSize);

class CDC;
// Copies the source rectangle of the picture onto dest of the printer band by band; begin hears the band
// count, step each band sent. The sum of the StretchDIBits results: 0 when nothing was printed.
int PrintDibInBands(CDC* printerDc, const CRect& dest, const void* bits, const BITMAPINFO* info,
                    const CRect& source, DWORD rop, CSize bandSize, const std::function<void(int)>& begin,
                    const std::function<void()>& step);
