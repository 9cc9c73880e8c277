#pragma once
// Blending of two 24-bit renderings of the same area under a 24-bit mask: where the mask is white the
// destination stays, where it is black the source shows, and grey mixes them.

#include "platform/base/WinTypes.h"

// rows x width pixels in each of the three areas, rows padded to 4 bytes. For every channel, with a the
// mask pixel's green byte: d = s + trunc((d - s) * a / 255). Nothing for rows or width below 1.
void BlendDib24(int rows, int width, BYTE* dst, const BYTE* src, const BYTE* mask);
