#pragma once
// BMP files: the header read here, the pixels through the picture type's reader that the program
// installs (SetBmpFileReader), and the writer of the plain form.

#include "platform/imaging/ImagingBitmap.h"
#include "platform/imaging/ImagingFile.h"

#include <span>
#include <vector>

bool IsBmpFile(std::span<const BYTE> file);
bool ReadBmpInfo(std::span<const BYTE> file, ImagingFileInfo& info);
// False when no reader is installed or the reader refuses the file.
bool DecodeBmp(std::span<const BYTE> file, CImagingBitmap& bitmap);

// A BMP file at bitsPerPixel (0: the bitmap's own; 1, 4, 8, 16, 24 or 32): file header and packed DIB.
int EncodeBmp(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file);
