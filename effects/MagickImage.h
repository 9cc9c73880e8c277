#pragma once
// GraphicsMagick pictures made straight from our pixel rows and read back into them, with no file or
// encoded blob in between.

#include "platform/imaging/Magick.h"
#include "platform/imaging/Resampler.h"

// A new picture of the rows' size holding their pixels (blue, green, red bytes; top row first).
// Starts the library on first use. Null when memory runs out.
MagickImagePtr ImageFromRows(const ConstPixelRows& source);

// Rows to mix a copy with on the way: result = under + (copy - under) * weight / 256.
struct RowBlend {
    ConstPixelRows under;
    int weight;
};

// Reads the picture's rows top..top + target.height - 1 into target, whose width must be the
// picture's, mixed with the blend's rows when there is one. False when they cannot be had.
bool CopyImageRows(const Image& image, long top, const PixelRows& target, const RowBlend* blend = nullptr);
