#pragma once
// Windows metafiles (WMF, with or without the placeable header) and enhanced metafiles (EMF): told apart
// by their content, sized at 96 dots per inch, and a picture written as a WMF of one bitmap record.
// Playing a metafile is the drawing layer's business, not this library's.

#include "platform/imaging/ImagingBitmap.h"
#include "platform/imaging/ImagingFile.h"

#include <span>
#include <vector>

bool IsWmfFile(std::span<const BYTE> file);
bool IsEmfFile(std::span<const BYTE> file);
// Width and height at 96 dots per inch: from a placeable header's bounding box, else from the first
// window extent record, or from an EMF header's frame. False when the size is empty or the records
// leave the file.
bool ReadMetafileInfo(std::span<const BYTE> file, ImagingFileInfo& info);

// A placeable WMF (96 units per inch) holding the picture at 8 or 24 bits (0: 8 up to 8 bits, else 24)
// in one stretch-DIB record under a window of the picture's size.
int EncodeWmf(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file);
