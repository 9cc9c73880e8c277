#pragma once
// Nearest-neighbour stepping of the COLORONCOLOR stretch, shared by the device context's blits and the
// picture conversion kernels so that both pick the same source pixels.

// Fills sourceIndexes[0 .. count) with the source pixel that destination pixels first .. first + count - 1
// take when srcExtent pixels are stretched onto destExtent pixels. The walk starts at source pixel 0 and
// advances by q = srcExtent / destExtent per destination pixel, and by q + 1 whenever an accumulator,
// which starts at r / 2 and grows by r = srcExtent % destExtent per pixel, reaches destExtent (it then
// drops by destExtent). Extents must be positive and first not negative.
void ColorOnColorSteps(int srcExtent, int destExtent, int first, int count, int* sourceIndexes);
