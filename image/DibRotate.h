#pragma once
// Turning a packed DIB by any angle in tenths of a degree with its own pixel loop: every new pixel is mapped
// back into the source with two multiply-adds in single precision and truncation, without interpolation.
// A positive angle turns the picture counter-clockwise on the screen, because rows are stored bottom-up.

#include "platform/base/WinStructs.h"

#include <cstddef>
#include <memory>

// What the pixels outside the source become.
enum class RotationFill {
    White,  // and the mask marks source pixels with white (entry 0 of its table)
    Black,  // and the mask's colours are exchanged: entry 0 black, entry 1 white
    Colour, // the given colour, no mask
};

struct RotatedDib {
    std::unique_ptr<BYTE[]> block;
    DWORD length = 0;
    // 1-bit: bit 0 where the pixel comes from the source, 1 in the empty corners.
    std::unique_ptr<BYTE[]> mask;
    DWORD maskLength = 0;

    explicit operator bool() const { return block != nullptr; }
};

// The turned picture (and, unless the fill is Colour, its mask), with the source's header fields and colour
// table. Nothing for top-down or compressed pictures, a block shorter than its rows, or a result beyond the
// picture limits.
RotatedDib RotateDib(const BYTE* dib, std::size_t length, int tenths, RotationFill fill, COLORREF colour = 0);
