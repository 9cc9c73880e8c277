#pragma once
// CBitmap and the bitmap functions: device-dependent bitmaps, DIB sections and bitmaps made from DIBs.

#include "platform/gdi/GdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
public:
    static CBitmap* FromHandle(HBITMAP bitmap);

    // A bitmap of 1, 24 or 32 bits per pixel; bits (rows padded to 2 bytes, top row first) may be null.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    // A true-colour bitmap for the context, whatever is selected into it.
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    int GetBitmap(BITMAP* bitmap) const;
};

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// A 24- or 32-bit BI_RGB bitmap whose pixels are the rows of the DIB in memory, zero-filled: bottom-up
// for a positive biHeight, so that the bytes at *bits are laid out as the header says. Null (and *bits
// null) for other formats or sizes beyond what the layer draws. section and offset must be null and 0.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
// A true-colour device bitmap of the header's size; with CBM_INIT, filled from the DIB bits and info.
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);
