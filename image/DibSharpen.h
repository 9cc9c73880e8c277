#pragma once
// Unsharp masking of 8- and 24-bit DIBs with a box blur.

#include "platform/base/WinStructs.h"

// Sharpens the first rowCount rows of the DIB's pixels in memory order (a band's rows are the block's
// first rows, wherever firstRow puts the band in the picture), each channel of a 24-bit DIB on its own.
// With k = 2 * radius + 1, N = 256 * k * k and S the sum of the k x k neighbourhood (coordinates clamped
// to the edge rows and columns): p' = (trunc(N * (amount + 1) + 0.5) * p - trunc(amount * 256 + 0.5) * S
// + N / 2) / N, clamped to 0..255. Other depths and a negative radius leave the DIB alone.
void SharpenDib(BITMAPINFOHEADER* dib, int firstRow, int rowCount, float amount, int radius);
// True when SharpenDib with this amount and radius leaves every pixel as it is.
bool SharpenKeepsPixels(float amount, int radius);
