#pragma once
// The run-length encodings of BMP (RLE8 at 8 and RLE4 at 4 bits per pixel), decoded to plain rows.

#include "platform/base/WinTypes.h"

#include <cstdint>
#include <span>

// Decodes encoded into height rows of rowBytes each (bottom row first, zeroed by the caller) of a picture
// width pixels wide at bitCount 8 or 4. Pixels past the end of a row are dropped, moves past the last row
// end the picture, and data that ends early leaves the remaining pixels at index 0. Returns the highest
// colour index written.
int DecodeBmpRle(std::span<const BYTE> encoded, int bitCount, std::int64_t width, std::int64_t height,
                 std::int64_t rowBytes, BYTE* rows);
