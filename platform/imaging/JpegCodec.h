#pragma once
// JPEG files over libjpeg-turbo. libjpeg reports errors by jumping out of the failing call: every
// library call here runs in a small function with its own jump target and no C++ object alive in
// between, so an error never exits the process and never jumps over a C++ frame.

#include "platform/imaging/ImagingBitmap.h"
#include "platform/imaging/ImagingFile.h"

#include <span>
#include <vector>

bool IsJpegFile(std::span<const BYTE> file);
bool ReadJpegInfo(std::span<const BYTE> file, ImagingFileInfo& info);

// Decodes at the file's own depth: 8 bits with a grey palette for grey files, else 24 bits (CMYK is
// converted). With minWidth and minHeight above 0 the decoder scales down by up to 8, fast rather than
// exact, as long as the picture stays at least that large: the first step of a thumbnail. A file cut
// short or too large fails.
bool DecodeJpeg(std::span<const BYTE> file, CImagingBitmap& bitmap, int minWidth = 0, int minHeight = 0);
// The same into a block that make gives for the whole DIB: every byte of it written once.
bool DecodeJpegToBlock(std::span<const BYTE> file, DibBlockMaker make, void* context, int minWidth = 0,
                       int minHeight = 0);

// Encodes at bitsPerPixel 24 in colour, or 8 in grey (the brightness of the colours); 0 is grey for an
// 8-bit picture of greys, else colour. quality is the imaging library's factor (JpegQualityOfFactor).
int EncodeJpeg(const CImagingBitmap& bitmap, int bitsPerPixel, int quality, std::vector<BYTE>& file);
