#pragma once
// CImagePalette: the logical palette of an indexed image of the DIB image classes.

#include "platform/gdi/GdiObjects.h"

class CImagePalette : public CPalette {
public:
    // No palette handle yet.
    CImagePalette() = default;
    // Creates the palette at once from count colours.
    CImagePalette(int count, const BYTE* red, const BYTE* green, const BYTE* blue);
    // Copies all entries of other.
    explicit CImagePalette(const CImagePalette& other);
    CImagePalette& operator=(const CImagePalette&) = delete;

    // False when a palette is already held or none can be made from the count (1..256) and arrays.
    bool CreateFromArrays(int count, const BYTE* red, const BYTE* green, const BYTE* blue);
    // The index of the entry nearest to the colour; -1 without a palette.
    int GetNearestIndex(BYTE red, BYTE green, BYTE blue) const;
    // False for an index outside 0..255 or an entry that cannot be read.
    bool GetEntry(int index, BYTE& red, BYTE& green, BYTE& blue) const;
    UINT GetEntries(UINT first, UINT count, PALETTEENTRY* entries) const;
};
