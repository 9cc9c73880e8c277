#pragma once
// 32-bit bitmaps whose fourth byte is straight alpha, for image lists that keep transparency.

#include "platform/gdi/Bitmap.h"

// Makes bitmap a width x height DIB section of the pixels: top-down rows of B, G, R, A bytes.
BOOL CreateAlphaBitmap(CBitmap& bitmap, int width, int height, const BYTE* pixels);
