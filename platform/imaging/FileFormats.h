#pragma once
// The formats the library reads, told apart by their first bytes, and reading a whole file image.

#include "platform/base/String.h"
#include "platform/imaging/ImagingBitmap.h"
#include "platform/imaging/ImagingFile.h"
#include "platform/imaging/RowReceiver.h"

#include <span>
#include <vector>

// The whole file at path (looked up ignoring letter case when it does not exist as written).
// False when it cannot be read or is larger than any picture file this library reads.
bool ReadFileImage(const CString& path, std::vector<BYTE>& file);

// The format code of a file image, or 0 for none this library reads.
int FormatOfFileImage(std::span<const BYTE> file);

// The file information of a file image, format and size included.
bool ReadFileImageInfo(std::span<const BYTE> file, ImagingFileInfo& info);

// Decodes a file image at the depth its information gives, after checking its size against the DIB
// limits. minWidth and minHeight, when above 0, let a JPEG decode at a reduced scale that stays at
// least that large.
bool DecodeFileImage(std::span<const BYTE> file, CImagingBitmap& bitmap, ImagingFileInfo& info,
                     int minWidth = 0, int minHeight = 0);

// Hands a file image's rows to the receiver without holding the whole picture, for the formats that
// allow it (PNG that is not interlaced; bilevel, palette and grey TIFF pages). format is the file's
// format code.
RowStreaming StreamFileImageRows(std::span<const BYTE> file, int format, CRowReceiver& receiver);
