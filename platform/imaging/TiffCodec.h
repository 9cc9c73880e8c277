#pragma once
// TIFF files over libtiff, the first page of a file. Errors and warnings go to a handler of each open
// file, never to the process's output.

#include "platform/imaging/ImagingBitmap.h"
#include "platform/imaging/ImagingFile.h"
#include "platform/imaging/RowReceiver.h"

#include <span>
#include <vector>

bool IsTiffFile(std::span<const BYTE> file);
bool ReadTiffInfo(std::span<const BYTE> file, ImagingFileInfo& info);

// Decodes at the file's own depth: bilevel and palette pictures of 1, 4 and 8 bits with their colours
// (2 bits widen to 4), grey as 8 bits with a grey palette, everything else as 24 bits, or 32 bits with
// the alpha channel as the bitmap's transparency. The orientation tag is ignored.
bool DecodeTiff(std::span<const BYTE> file, CImagingBitmap& bitmap);

// Hands the rows of a bilevel, palette or grey page to the receiver: as grey where its colours are all
// grey, else as blue-green-red.
RowStreaming StreamTiffRows(std::span<const BYTE> file, CRowReceiver& receiver);

// Encodes with LZW at bitsPerPixel (0: the bitmap's own): 1, 2, 4 and 8 bits as palette files with a
// palette made for the picture; 3 bits as 8 colours in a 4-bit file and 5 to 7 bits as 32 to 128 colours
// in an 8-bit file; 16 bits as 5 bits a channel in a 24-bit file; 24 bits; 32 bits with the bitmap's
// transparency as unassociated alpha (opaque without one).
int EncodeTiff(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file);
