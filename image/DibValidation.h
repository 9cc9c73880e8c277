#pragma once
// The one gate for pictures that come from outside the program (BMP files, BMP images in global memory,
// archives, the clipboard, albums, plug-ins). It refuses what cannot be read safely and brings the rest
// into the program's one form: a 40-byte BITMAPINFOHEADER with BI_RGB, bottom-up rows, a colour table
// only below 16 bits per pixel, no colour masks, nothing between the colour table and the rows.

#include "platform/base/DibLimits.h"
#include "platform/base/WinStructs.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

// Why a block was refused.
enum class DibFault {
    None,
    HeaderOutside,     // the block is shorter than its header
    HeaderSize,        // not 12, 40, 52, 56, 108 or 124 bytes
    Planes,            // planes other than 1
    Width,             // width 0 or negative
    Height,            // height 0
    BitCount,          // not 1, 4, 8, 16, 24 or 32 bits per pixel
    Compression,       // not plain, RLE8 at 8 bits, RLE4 at 4 bits, or bit fields at 16 and 32 bits
    TooLarge,          // beyond kMaxDibSide or kMaxDibPixels
    ColorTableOutside, // colour masks or colour table run past the block
    BitsOffset,        // the file header points into the header or the colour table
    RowsOutside,       // the pixel rows run past the block
};

struct NormalizedDib {
    std::unique_ptr<BYTE[]> block; // allocated with new[]; null when refused
    DWORD length = 0;
    DibFault fault = DibFault::None;

    explicit operator bool() const { return block != nullptr; }
};

// Checks and normalises a packed DIB of size bytes from outside, taking the block over. bitsOffset is where
// the rows begin, counted from the start of the DIB, when a BMP file header says so; without it the rows
// follow the colour table. A block in the program's form comes back as it is (trailing bytes cut off).
NormalizedDib NormalizeExternalDib(std::unique_ptr<BYTE[]> dib, std::size_t size,
                                   std::optional<std::int64_t> bitsOffset = std::nullopt);

// The same for a DIB that stays with the caller; the result is always a new block.
NormalizedDib NormalizeExternalDib(std::span<const BYTE> dib,
                                   std::optional<std::int64_t> bitsOffset = std::nullopt);

// Where a BMP file header puts the rows, counted from the start of the DIB behind it (negative when it
// points into the file header itself).
std::int64_t BmpFileBitsOffset(const BITMAPFILEHEADER& fileHeader);

// A BMP file image: 14-byte file header, then the DIB. Type and size fields are the caller's to check.
NormalizedDib NormalizeBmpFileImage(std::span<const BYTE> file);
