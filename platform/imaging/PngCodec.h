#pragma once
// PNG files over libpng. libpng reports errors by jumping out of the failing call: each library call
// runs in a small function with its own jump target and no C++ object alive in between.

#include "platform/imaging/ImagingBitmap.h"
#include "platform/imaging/ImagingFile.h"
#include "platform/imaging/RowReceiver.h"

#include <span>
#include <vector>

bool IsPngFile(std::span<const BYTE> file);
bool ReadPngInfo(std::span<const BYTE> file, ImagingFileInfo& info);

// Decodes at the file's own depth: palettes of 1, 4 and 8 bits (2 bits widen to 4), 1-bit grey as
// black and white, other greys as 8 bits with a grey palette, 24 bits, and 32 bits with an alpha
// channel; 16 bits a channel become 8. A transparent colour or palette entry becomes the bitmap's
// transparency, as does an alpha channel.
bool DecodePng(std::span<const BYTE> file, CImagingBitmap& bitmap);

// Hands the rows of a file that is not interlaced to the receiver as grey or blue-green-red bytes, with
// alpha where the file has transparency; 16 bits a channel become 8.
RowStreaming StreamPngRows(std::span<const BYTE> file, CRowReceiver& receiver);

// Encodes at bitsPerPixel 1, 4 or 8 with a palette, 24, or 32 with the bitmap's transparency as alpha
// (opaque without one). 0 keeps the bitmap's own depth; 16 bits become 24.
int EncodePng(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file);
