#pragma once
// Depth changes of a whole bitmap, shared by CImagingBitmap::ConvertDepth, the loaders and the encoders.

#include "platform/imaging/BytePixels.h"
#include "platform/imaging/ImagingBitmap.h"

#include <vector>

// The bitmap's pixels as blue-green-red bytes.
BytePixels BgrPixelsOf(const CImagingBitmap& bitmap);

// The bitmap's DIB at bitsPerPixel (1, 4, 8, 16, 24 or 32), with at most `colours` palette entries at 8
// bits or fewer (see CImagingBitmap::ConvertDepth). A palette picture whose palette fits keeps its
// indexes. Empty when bitsPerPixel is no DIB depth.
std::vector<BYTE> ConvertedDib(const CImagingBitmap& bitmap, int bitsPerPixel, int colours);

// The bitmap in black and white at 1 bit: white where the brightness is half or more. A 1-bit picture
// stays as it is.
std::vector<BYTE> ThresholdedDib(const CImagingBitmap& bitmap);

// Brightness of a colour, 0 to 255, with the weights of television luma.
inline int Brightness(int red, int green, int blue) {
    return (red * 299 + green * 587 + blue * 114 + 500) / 1000;
}
