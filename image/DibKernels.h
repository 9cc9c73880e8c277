#pragma once
// The stretch kernels of the DIB conversion. Each walks the destination rows [firstRow, firstRow + rowCount)
// of the picture (the destination rows object holds just those rows, the band's top row first) and takes
// every pixel from the source pixel that the stretch map names. Paletted sources may have 1, 4 or 8 bits
// per pixel, true-colour sources 24 or 32.

#include "image/ConversionTables.h"
#include "image/DibRows.h"

struct StretchBand {
    const CDibRows& src;
    const CDibRows& dst;
    const CStretchMap& map;
    int firstRow;
    int rowCount;
};

// Index to 8-bit index.
void StretchIndexes(const StretchBand& band);
// Index to 8-bit index through a lookup.
void StretchIndexesMapped(const StretchBand& band, const BYTE (&lookup)[256]);
// Index to the 24-bit colour of a table of converted entries.
void StretchIndexesToRgb(const StretchBand& band, const RGBTRIPLE (&colours)[256]);
// True colour to 24 bits through ConvertColorPixel.
void StretchConvertRgb(const StretchBand& band, const ToneTables& tables);
// True when StretchConvertRgb with these tables gives every colour back as it is.
bool ConvertRgbKeepsColours(const ToneTables& tables);
// True colour to the 8-bit grey level of each pixel.
void StretchRgbToGrey(const StretchBand& band, const ToneTables& tables);

// Reads pixel x of a true-colour row of 24 or 32 bits.
inline RGBTRIPLE RgbAt(const BYTE* row, int x, int bytesPerPixel) {
    const BYTE* p = row + static_cast<std::int64_t>(x) * bytesPerPixel;
    return {p[0], p[1], p[2]};
}
