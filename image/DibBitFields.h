#pragma once
// Pixels described by colour masks (BI_BITFIELDS at 16 and 32 bits per pixel), read as plain colours.

#include "platform/base/WinTypes.h"

#include <cstdint>

struct ColorMasks {
    DWORD red = 0;
    DWORD green = 0;
    DWORD blue = 0;
};

// The masks of plain 32-bit pixels (blue, green, red, unused byte), which need no conversion.
bool IsPlain32BitMasks(const ColorMasks& masks);

// Converts width pixels of a 16- or 32-bit bit-field row to 24-bit pixels (blue, green, red). A channel of
// fewer than 8 bits is widened by repeating its bits, so that its largest value becomes 255.
void BitFieldRowTo24Bit(const BYTE* source, int bitCount, const ColorMasks& masks, std::int64_t width,
                        BYTE* target);
