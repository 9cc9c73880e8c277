#pragma once
// Small pictures for the imaging tests, written and read top row first as one reads them.

#include "platform/base/WinStructs.h"

#include <vector>

// A packed DIB of `bits` bits per pixel (1, 4 or 8) with a palette of `entries` greys (entry i =
// grey i), whose pixels are the given indexes, top row first.
std::vector<BYTE> IndexedDib(int width, int height, int bits, const std::vector<int>& indexesTopDown,
                             int entries = 256);

// A 24-bit packed DIB from colours (0xRRGGBB as COLORREF values), top row first.
std::vector<BYTE> ColourDib(int width, int height, const std::vector<COLORREF>& coloursTopDown);

// The stored values of a DIB's pixels, top row first: palette indexes up to 8 bits, 16-bit words,
// colours (COLORREF) at 24 and 32 bits. Read independently of the code under test.
std::vector<DWORD> PixelValues(const std::vector<BYTE>& dib);

// The colours of a DIB's pixels, top row first, through its palette where it has one.
std::vector<COLORREF> PixelColours(const std::vector<BYTE>& dib);

const BITMAPINFOHEADER& HeaderOf(const std::vector<BYTE>& dib);
