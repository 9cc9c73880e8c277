#pragma once
// Enhanced-metafile handles for the metafile plug-in. A handle made from WMF bytes keeps them and plays
// them through our WMF player; one opened from an EMF file draws it through SVG.

#include "platform/gdi/GdiTypes.h"

struct EnhMetaFileRecord;
using HENHMETAFILE = EnhMetaFileRecord*;

// Keeps a copy of the WMF bytes (header and records, no placeable header). reference and picture are
// not used: window is the metafile's logical area when the bytes set none (a placeable header's box).
// Null when the bytes are not a whole metafile.
HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* bits, HDC reference, const RECT* window);
// Null when the file cannot be read or fails the EMF checks.
HENHMETAFILE GetEnhMetaFile(LPCTSTR path);
// The same for EMF bytes in memory, which are not kept.
HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* bits);
// Plays the metafile's picture onto frame (logical units of the context).
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* frame);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);
