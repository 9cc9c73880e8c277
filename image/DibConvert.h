#pragma once
// The conversion engine: stretches a rectangle of a DIB into a new DIB while applying the tone, colour-mode,
// mirror and sharpening settings of an ADJUST record. Sources are paletted (1, 4 or 8 bits per pixel, by
// colour table) or true colour (24 or 32 bits); the result has 8 bits per pixel with a colour table, or 24.
//
// outKind says what the caller can take for true colour: 0 a paletted result (the colour cube), 1 either,
// 2 true colour. Without settings a paletted source keeps its colours and a true-colour one is copied.

#include "image/Adjust.h"
#include "platform/base/Geometry.h"

// Colour-table entries of the result (0: 24 bits per pixel), or -1 when the source or the combination of
// colour mode and outKind is refused.
int ConvertedColorCount(const BITMAPINFOHEADER* src, const ADJUST* s, int outKind);

// Fills dst, whose header gives the whole result's size and whose block holds the destination rows
// [firstRow, firstRow + rowCount) (top row of the band last in memory, as in any DIB), and returns its
// colour-table size; with convert false only the colour table is made. -1, with nothing written, when the
// conversion is refused or dst does not have the depth and colour table that it needs. srcRect, counted
// from the top, is clamped to the source.
int ConvertDibInto(BITMAPINFOHEADER* dst, int firstRow, int rowCount, const BITMAPINFOHEADER* src,
                   CRect srcRect, const ADJUST* s, bool convert, int sharpenRadius, int outKind,
                   COLORREF dark, COLORREF light);

// The conversion into a new movable block (AllocDib), unlocked and owned by the caller; null when it is
// refused, when the output size is not positive or beyond the picture limits, or when the band
// [firstRow, firstRow + rowCount) does not lie inside the output. A band of fewer rows than the output
// comes back as a DIB of its own rows (its header says rowCount rows), so that no reader runs past it.
HGLOBAL ConvertDib(const BITMAPINFOHEADER* src, int firstRow, int rowCount, CRect srcRect, int outWidth,
                   int outHeight, const ADJUST* s, int sharpenRadius, int outKind, COLORREF dark,
                   COLORREF light);

// True when ConvertDib of a whole 24-bit picture at its own size with outKind 1 gives its pixels back as they
// are: true colour without mirror or flip, a tone that keeps every colour and a sharpening that keeps every
// pixel.
bool ConversionKeepsTrueColour(const ADJUST* s, int sharpenRadius);
