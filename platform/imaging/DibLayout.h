#pragma once
// Where the parts of a packed DIB lie, computed once with checked 64-bit arithmetic.

#include "platform/base/DibLimits.h"
#include "platform/base/WinStructs.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// True for the depths an uncompressed DIB can have: 1, 4, 8, 16, 24 and 32 bits per pixel.
bool IsDibDepth(int bitsPerPixel);

// True when a picture of that size may be made at all.
bool IsDibSizeAllowed(std::int64_t width, std::int64_t height);

// A read-only view of an uncompressed packed DIB. Row y counts from the bottom, as DIB rows are
// stored; a top-down DIB is addressed through a negative step, so callers never see the difference.
struct DibLayout {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    const RGBQUAD* palette = nullptr;
    int paletteEntries = 0;
    std::int64_t rowBytes = 0;
    const BYTE* bottomRow = nullptr;
    std::ptrdiff_t rowStep = 0;

    const BYTE* Row(int y) const { return bottomRow + rowStep * y; }
};

// Reads the layout of a packed DIB with a header of 40 bytes or more and BI_RGB pixels of 1, 4, 8,
// 16, 24 or 32 bits. length is the block's byte count; a length of 0 trusts the header (callers that
// are handed a bare header pointer across a module boundary have nothing else). False for anything
// else, or when the rows do not fit into the length.
bool ReadDibLayout(const BITMAPINFOHEADER* dib, std::size_t length, DibLayout& layout);

// A new packed DIB block: 40-byte header, the palette (for 8 bits or fewer) and zeroed rows.
// Bottom-up, BI_RGB, biClrUsed = the palette's entry count, biSizeImage filled in.
// The size must be allowed (IsDibSizeAllowed).
std::vector<BYTE> MakeDib(int width, int height, int bitsPerPixel, const std::vector<RGBQUAD>& palette);

// The byte count of a block that MakeDib makes, and writing its header and palette at the start of a
// block of that size; the rows are left as they are. Returns the first row (the bottom one).
std::size_t DibBlockBytes(int width, int height, int bitsPerPixel, std::size_t paletteEntries);
BYTE* WriteDibHead(BYTE* block, int width, int height, int bitsPerPixel, const std::vector<RGBQUAD>& palette);

// The first row (the bottom one) of a block made by MakeDib, and its row bytes.
BYTE* DibBottomRow(std::vector<BYTE>& dib);
