#pragma once
// PCX files (ZSoft PC Paintbrush, version 5): the header read here, the pixels read through
// GraphicsMagick, and our own run-length writer.

#include "platform/imaging/ImagingBitmap.h"
#include "platform/imaging/ImagingFile.h"

#include <span>
#include <vector>

bool IsPcxFile(std::span<const BYTE> file);
bool ReadPcxInfo(std::span<const BYTE> file, ImagingFileInfo& info);

// A PCX file at bitsPerPixel (0: the bitmap's own, 16 and 32 become 24): 1 bit in one plane, 4 bits in
// four bit planes with the palette in the header, 8 bits with the 256-colour palette at the end, 24 bits
// in three planes of red, green and blue.
int EncodePcx(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file);
