#pragma once
// GraphicsMagick pictures made straight from our pixel rows and read back into them, with no file or
// encoded blob in between.

#include "platform/imaging/Magick.h"
#include "platform/imaging/Resampler.h"

// A new picture of the rows' size holding their pixels (blue, green, red bytes; top row first).
// Starts the library on first use. Null when memory runs out.
MagickImagePtr ImageFromRows(const ConstPixelRows& source);

// Reads the picture's rows into target, whose size must be the picture's. False when they cannot be
// had.
bool CopyImageRows(const Image& image, const PixelRows& target);
