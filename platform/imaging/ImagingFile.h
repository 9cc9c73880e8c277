#pragma once
// The file side of the imaging library: what a picture file holds, decoding it at a chosen depth,
// encoding a picture with a file-format code, and thumbnails. Files are recognised by their content,
// never by their name. Read: BMP, JPEG, PNG, TIFF, PCX, Photo CD, ICO and CUR (and the information of
// WMF and EMF). Written: BMP, JPEG, PNG, TIFF, PCX, CUR and WMF. Every call may run on any thread; none keeps
// state between calls.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/imaging/ImagingBitmap.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// File-format codes of the save calls and of ImagingFileInfo::format.
inline constexpr int kFormatPcx = 1;
inline constexpr int kFormatTiff = 3;
inline constexpr int kFormatBmp = 6;
inline constexpr int kFormatJpeg = 10;
inline constexpr int kFormatPhotoCd = 57;
inline constexpr int kFormatPng = 75;
inline constexpr int kFormatIco = 91;
inline constexpr int kFormatCur = 92;
// WMF and EMF: recognised and sized here, and WMF written; played by the drawing layer.
inline constexpr int kFormatMetafile = 15;

// Results of the save calls. -1 is never returned: the callers use it for "no format for this name".
inline constexpr int kImagingSuccess = 1;
inline constexpr int kImagingErrorInvalid = -2; // empty picture
inline constexpr int kImagingErrorFormat = -3;  // a format code, depth or size the encoder does not write
inline constexpr int kImagingErrorFile = -4;    // the file could not be written
inline constexpr int kImagingErrorMemory = -5;  // out of memory

// Quality factors of the save calls: 2 is the best picture, 255 the smallest file. Formats without a
// quality setting ignore it.
inline constexpr int kQualityBest = 2;
inline constexpr int kQualitySmallest = 255;

struct ImagingFileInfo {
    int format = 0; // one of the kFormat codes
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;         // the depth that loading at bits per pixel 0 gives
    std::int64_t fileSize = 0;    // bytes of the whole file (or memory image)
    CString compression;          // "None", "RLE", "LZW", "Deflate", "JPEG", "PackBits", "CCITT", "PNG"...
    bool hasTransparency = false; // the file carries a transparency mask: an alpha channel, a
                                  // transparent colour, or the AND mask of an icon or cursor
};

// Reads a file's headers without decoding its pixels. False when the file cannot be read or holds no
// picture this library reads.
bool ReadImagingFileInfo(const CString& path, ImagingFileInfo& info);
bool ReadImagingMemoryInfo(const void* data, std::size_t size, ImagingFileInfo& info);

// Decodes the file's first picture at bitsPerPixel into bitmap. 0 keeps the file's own depth where a
// DIB has it: 1, 4 and 8 bits with their palettes (2 bits widen to 4), grey as 8 bits with a grey
// palette, 24 bits, and 32 bits for pictures with an alpha channel; 16 bits a channel and CMYK become
// 24. Orientation tags are ignored. 1 thresholds at half brightness and never dithers; 4 and 8 follow
// ConvertDepth. The file's transparency stays with the bitmap (CImagingBitmap::GetMask). Sizes are
// checked against the DIB limits before anything is allocated. False, with bitmap left as it was, for
// a file that cannot be read, is damaged or cut short, or is too large. info, when given, receives the
// file information.
bool LoadImagingFile(const CString& path, int bitsPerPixel, CImagingBitmap& bitmap,
                     ImagingFileInfo* info = nullptr);
bool LoadImagingMemory(const void* data, std::size_t size, int bitsPerPixel, CImagingBitmap& bitmap,
                       ImagingFileInfo* info = nullptr);

// Room for `bytes` bytes of a packed DIB in a block that the caller keeps, or null.
using DibBlockMaker = BYTE* (*)(std::size_t bytes, void* context);

// LoadImagingFile at the file's own depth into a block of the caller's, for pictures that keep their
// pixels in blocks of their own: make is called once, for the whole DIB in the library's form (40-byte
// header, palette, bottom-up rows), and the block is written once. JPEG files are decoded straight into
// it; others are decoded first and copied. A file whose picture has transparency goes to `transparent`
// instead, as LoadImagingFile gives it, and make is not called.
bool LoadImagingFileToBlock(const CString& path, DibBlockMaker make, void* context,
                            CImagingBitmap& transparent, ImagingFileInfo* info = nullptr);

// Encodes bitmap in a file format at bitsPerPixel (0: the picture's own depth, or the nearest the format
// has) with a quality factor. Depths per format:
//   BMP 1, 4, 8, 16, 24, 32;  PNG 1, 4, 8, 24, 32;  PCX 1, 4, 8, 24;  CUR 1, 4, 8, 24 (at most 256x256);
//   JPEG 24, and 8 for grey;  TIFF 1 to 8, 16, 24, 32 (3 bits are 8 colours in a 4-bit file, 5 to 7 bits
//   32 to 128 colours in an 8-bit file; 16 bits keep 5 bits a channel in a 24-bit file).
// 8 bits or fewer go through ConvertDepth (a palette made for the picture, dithered). The bitmap's
// transparency becomes the alpha channel of 32-bit PNG and TIFF and the AND mask of a cursor.
// SaveImagingFile writes to a temporary file beside the target and renames it over the target only
// when the encoding succeeded. Returns kImagingSuccess or a kImagingError code.
int SaveImagingFile(const CString& path, const CImagingBitmap& bitmap, int format, int bitsPerPixel,
                    int quality);
int SaveImagingMemory(std::vector<BYTE>& file, const CImagingBitmap& bitmap, int format, int bitsPerPixel,
                      int quality);

// The JPEG quality (1 to 100) of a quality factor: 100 - round((factor - 2) * 99 / 253), clamped.
int JpegQualityOfFactor(int quality);

struct ThumbnailOptions {
    int width = 0;
    int height = 0;
    bool forceSize = false;         // the result is exactly width x height
    COLORREF background = 0xFFFFFF; // around the picture with forceSize, and under its transparency
    bool resample = true;           // smooth scaling; off takes the nearest pixel
};

// A 24-bit thumbnail of the file's first picture: fitted inside width x height keeping its aspect ratio,
// never enlarged; with forceSize centred on the background colour in a picture of exactly that size.
// Transparent parts show the background. JPEG files are decoded at a reduced scale.
bool CreateImagingThumbnail(const CString& path, const ThumbnailOptions& options, CImagingBitmap& thumbnail);

// BMP is the picture type's own format, and its checked reader lives above this library: it is
// installed here once at start-up (by the program, and by each plug-in that links this library).
// The reader turns a whole BMP file image into a packed DIB with a 40-byte header, BI_RGB and bottom-up
// rows, or returns false. Until one is installed, BMP files are not read.
using BmpFileReader = bool (*)(const BYTE* file, std::size_t size, std::vector<BYTE>& dib);
void SetBmpFileReader(BmpFileReader reader);
