#pragma once
// The exports of a codec plug-in: a shared library "<name>.phl" in the plugins folder beside the
// program. The plug-in manager looks every export up by name on each call; the plug-ins define them.
// Both sides include this header, so a signature changes on both at once.
//
// Ownership across the boundary: every CPictureInfo returned belongs to the caller; a mask argument
// holds the caller's earlier picture or null, and a plug-in that produces a mask deletes the earlier
// one and stores the new one there. Memory data arguments are movable global memory blocks (HGLOBAL)
// holding a whole image file, locked by the plug-in only while it reads them; they stay the caller's.

#include "platform/base/WinTypes.h"

class CBitmap;
class CColorDepth;
class CObList;
class CPictureInfo;
class CSize;
class CString;
class CStringList;
class CZipArchive;
template <typename BASE_CLASS, typename TYPE>
class CTypedPtrList;

using CColorDepthList = CTypedPtrList<CObList, CColorDepth*>;

// The file name pattern of plug-ins inside the plugins folder.
inline constexpr char kCodecPluginPattern[] = "*.phl";

// Function types of the exports.
extern "C" {
// True when the plug-in can work; called once, right after loading. False: no other export is used.
using CodecLoadLibraries = bool();
// Appends, for every format in the plug-in's open (save) list, in list order, its lower-case extension
// without the dot to extensions and its description to descriptions.
using CodecGetExtensionsAvailable = void(CStringList& extensions, CStringList& descriptions);
// bitsPerPixel 0 keeps the file's own depth. Null for an unknown extension or a file that does not decode.
using CodecLoadFile = CPictureInfo*(const CString& path, int bitsPerPixel, CPictureInfo*& mask);
// Reads the file as if its extension were asExtension.
using CodecLoadFileAs = CPictureInfo*(const CString& path, const CString& asExtension, int bitsPerPixel,
                                      CPictureInfo*& mask);
// data: an HGLOBAL holding a whole image file of size bytes.
using CodecLoadFromMemory = CPictureInfo*(void* data, DWORD size, const CString& extension,
                                          CPictureInfo*& mask);
// qualityLevel: the save dialog's preset 0..5. 1 on success, -1 when no save format has the path's
// extension, 0 for a null picture; any other value is a failure of the encoder.
using CodecSaveFile = int(const CPictureInfo* picture, const CString& path, int bitsPerPixel,
                          int qualityLevel);
// quality goes to the encoder unchanged. On success data receives a new movable HGLOBAL block holding
// the encoded file, which the caller frees with GlobalFree, and size its byte count.
using CodecSaveFileInMemory = bool(const CPictureInfo* picture, const CString& extension, int bitsPerPixel,
                                   int quality, void*& data, DWORD& size);
// The picture fitted into size (never enlarged); with forceSize exactly size, centred on the background.
using CodecCreateThumbnailForFile = CPictureInfo*(const CString& path, const CSize& size, COLORREF background,
                                                  int forceSize, int resample);
// Appends new copies of the depths of the save format of that extension; the caller deletes them.
using CodecGetColorDepthsForExtension = void(CColorDepthList& depths, const CString& extension);
// True when the first save format of that extension takes a compression quality.
using CodecExtensionHasQuality = bool(const CString& extension);
// The number of distinct colours of the file, -1 when unknown.
using CodecCountColorsUsedFile = int(const CString& path);
using CodecCountColorsUsedMemory = int(void* data, DWORD size, const CString& extension);
// The address of the pixel bits of a packed DIB.
using CodecGetBitsPtr = void*(void* dib);
// A ".bmp" file as a new bitmap compatible with the screen, owned by the caller; null when the file is
// not a whole, valid BMP file.
using CodecMyLoadBitmapFile = CBitmap*(const char* path);
// The same from an entry of an open zip archive; null when the archive is closed.
using CodecMyLoadBitmapZip = CBitmap*(const char* entryPath, CZipArchive& archive);
}

// Export names. Two forms of one operation carry distinct suffixes.
inline constexpr char kLoadLibrariesExport[] = "LoadLibraries";
inline constexpr char kGetOpenExtensionsAvailableExport[] = "GetOpenExtensionsAvailable";
inline constexpr char kGetSaveExtensionsAvailableExport[] = "GetSaveExtensionsAvailable";
inline constexpr char kLoadFileExport[] = "LoadFile";
inline constexpr char kLoadFileAsExport[] = "LoadFileAs";
inline constexpr char kLoadFromMemoryExport[] = "LoadFromMemory";
inline constexpr char kSaveFileExport[] = "SaveFile";
inline constexpr char kSaveFileInMemoryExport[] = "SaveFileInMemory";
inline constexpr char kCreateThumbnailForFileExport[] = "CreateThumbnailForFile";
inline constexpr char kGetColorDepthsForExtensionExport[] = "GetColorDepthsForExtension";
inline constexpr char kExtensionHasQualityExport[] = "ExtensionHasQuality";
inline constexpr char kCountColorsUsedFileExport[] = "CountColorsUsedFile";
inline constexpr char kCountColorsUsedMemoryExport[] = "CountColorsUsedMemory";
inline constexpr char kGetBitsPtrExport[] = "GetBitsPtr";
inline constexpr char kMyLoadBitmapFileExport[] = "MyLoadBitmapFile";
inline constexpr char kMyLoadBitmapZipExport[] = "MyLoadBitmapZip";

// The plug-ins' definitions, declared once here with the types above so that a definition that strays
// from its type does not compile. The program never calls them directly.
#define VC_CODEC_EXPORT __attribute__((visibility("default")))
extern "C" {
VC_CODEC_EXPORT CodecLoadLibraries LoadLibraries;
VC_CODEC_EXPORT CodecGetExtensionsAvailable GetOpenExtensionsAvailable;
VC_CODEC_EXPORT CodecGetExtensionsAvailable GetSaveExtensionsAvailable;
VC_CODEC_EXPORT CodecLoadFile LoadFile;
VC_CODEC_EXPORT CodecLoadFileAs LoadFileAs;
VC_CODEC_EXPORT CodecLoadFromMemory LoadFromMemory;
VC_CODEC_EXPORT CodecSaveFile SaveFile;
VC_CODEC_EXPORT CodecSaveFileInMemory SaveFileInMemory;
VC_CODEC_EXPORT CodecCreateThumbnailForFile CreateThumbnailForFile;
VC_CODEC_EXPORT CodecGetColorDepthsForExtension GetColorDepthsForExtension;
VC_CODEC_EXPORT CodecExtensionHasQuality ExtensionHasQuality;
VC_CODEC_EXPORT CodecCountColorsUsedFile CountColorsUsedFile;
VC_CODEC_EXPORT CodecCountColorsUsedMemory CountColorsUsedMemory;
VC_CODEC_EXPORT CodecGetBitsPtr GetBitsPtr;
VC_CODEC_EXPORT CodecMyLoadBitmapFile MyLoadBitmapFile;
VC_CODEC_EXPORT CodecMyLoadBitmapZip MyLoadBitmapZip;
}
