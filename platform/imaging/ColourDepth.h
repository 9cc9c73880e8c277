#pragma once
// Moving pixels between colour depths: palettes, expansion to blue-green-red and reduction from it.

#include "platform/imaging/BytePixels.h"

#include <vector>

// The palette a picture gets when it is made at, or reduced to, 8 bits or fewer without colours of
// its own: black and white; the sixteen standard colours; a 6x6x6 colour cube and 40 greys.
std::vector<RGBQUAD> StandardPalette(int bitsPerPixel);

// Writes the byte-form value of a colour at a depth into pixel (BytesPerPixelOf(bitsPerPixel)
// bytes): the nearest palette entry for 8 bits or fewer, 5-5-5 at 16 bits, blue-green-red above.
void EncodeColour(COLORREF colour, int bitsPerPixel, const std::vector<RGBQUAD>& palette, BYTE* pixel);

// Pixels of any depth in byte form as blue-green-red bytes.
BytePixels ExpandToBgr(const BytePixels& pixels, int bitsPerPixel, const std::vector<RGBQUAD>& palette);

// A DIB of the given depth from blue-green-red pixels. With a palette (8 bits or fewer), every pixel
// becomes its nearest entry. Without one, a picture of no more colours than the depth holds gets
// exactly those colours, sorted; any other is error-diffused onto the standard palette.
std::vector<BYTE> ReduceFromBgr(const BytePixels& bgr, int bitsPerPixel, const std::vector<RGBQUAD>* palette);

// A DIB of 8 bits or fewer for the save and depth-conversion calls, with at most `colours` palette
// entries (2^bitsPerPixel or fewer). A picture of no more colours than that gets exactly those, sorted;
// any other gets a palette made for it (MedianCutPalette) and is error-diffused onto it.
std::vector<BYTE> QuantizeFromBgr(const BytePixels& bgr, int bitsPerPixel, int colours);
