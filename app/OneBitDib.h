#pragma once
// A scanned line-art picture (a packed DIB of 1 bit per pixel) widened to 8 bits per pixel, one byte of 0
// or 1 per pixel, so that the rest of the program reads it as a picture with a colour table.

#include "platform/base/GlobalMemory.h"

// Whether the block holds a DIB of 1 bit per pixel (only its header is looked at).
bool IsOneBitDib(HGLOBAL dib);
// A new moveable block with the bottom-up 8-bit DIB: a 40-byte header, 256 colours (the source's two
// first, the rest white) and rows padded to 4 bytes. Null when the header is not an uncompressed 1-bit
// one or its rows do not fit in the block. The source block stays the caller's.
HGLOBAL ExpandOneBitDib(HGLOBAL dib);
