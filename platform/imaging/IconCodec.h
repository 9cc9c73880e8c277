#pragma once
// Icon and cursor files (ICO, CUR): reading their first picture, and writing cursors.

#include "platform/imaging/ImagingBitmap.h"
#include "platform/imaging/ImagingFile.h"

#include <span>
#include <vector>

// The file's format, kFormatIco or kFormatCur, or 0 for neither.
int IconFormatOf(std::span<const BYTE> file);
// The first picture of the directory. Icons and cursors always carry a transparency mask.
bool ReadIconInfo(std::span<const BYTE> file, ImagingFileInfo& info);

// Decodes the first picture: PNG pictures at 32 bits with their alpha; DIB pictures at their own depth
// (16 bits become 24), 32-bit ones with the alpha of their fourth byte, all others, and 32-bit ones
// whose fourth bytes are all 0, with the AND mask as their transparency (none where it hides nothing).
bool DecodeIcon(std::span<const BYTE> file, CImagingBitmap& bitmap);

// A cursor with one picture of at most 256 x 256 pixels at bitsPerPixel (0: the bitmap's own, 16 and 32
// become 24; 1, 4, 8 or 24), its hot spot at the top left corner. The bitmap's transparency becomes
// the AND mask, and the pixels under it black, so that the screen shows through.
int EncodeCursor(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file);
