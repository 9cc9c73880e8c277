#pragma once
// The formats that libjpeg, libpng and libtiff do not cover, read through GraphicsMagick: PCX, Photo CD,
// and TIFF of floating-point samples. GraphicsMagick is told the format; it never guesses one
// from the content.

#include "platform/imaging/ImagingBitmap.h"
#include "platform/imaging/ImagingFile.h"

#include <span>

bool IsPhotoCdFile(std::span<const BYTE> file);
// Photo CD pictures are read at their base resolution.
bool ReadPhotoCdInfo(std::span<const BYTE> file, ImagingFileInfo& info);

// Decodes the first picture of a file in one of the formats kFormatPcx, kFormatPhotoCd and kFormatTiff
// at bitsPerPixel (the depth the file's information gives). Transparency becomes the
// bitmap's, and 32-bit pictures carry it in their fourth byte too.
bool DecodeWithMagick(std::span<const BYTE> file, int format, int bitsPerPixel, CImagingBitmap& bitmap);
