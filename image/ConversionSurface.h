#pragma once
// The drawing surface every picture conversion and rendering goes through: a memory device context with a
// 24-bit DIB section of the target size selected and the stretch mode COLORONCOLOR. Drawing lets the
// drawing layer do the pixel work; the result comes out as a new 24-bit picture in one copy.

#include "platform/gdi/Dc.h"

class CPictureInfo;

class CConversionSurface {
public:
    // Nothing is made for sizes that are not positive or beyond the picture limits; see IsReady.
    CConversionSurface(int width, int height);
    ~CConversionSurface();
    CConversionSurface(const CConversionSurface&) = delete;
    CConversionSurface& operator=(const CConversionSurface&) = delete;

    bool IsReady() const { return m_bits != nullptr; }
    CDC& Dc() { return m_dc; }
    void Fill(COLORREF colour);
    // A new 24-bit picture (reference count 1, the caller's) with the surface's header and pixels.
    CPictureInfo* TakePicture() const;

private:
    CDC m_dc;
    BITMAPINFOHEADER m_header{};
    HBITMAP m_section = nullptr;
    HGDIOBJ m_previous = nullptr;
    BYTE* m_bits = nullptr;
};

// Sets a device context's stretch mode for a scope and restores the previous one.
class CStretchModeScope {
public:
    CStretchModeScope(CDC* dc, int mode) : m_dc(dc), m_previous(dc->SetStretchBltMode(mode)) {}
    ~CStretchModeScope() { m_dc->SetStretchBltMode(m_previous); }
    CStretchModeScope(const CStretchModeScope&) = delete;
    CStretchModeScope& operator=(const CStretchModeScope&) = delete;

private:
    CDC* m_dc;
    int m_previous;
};

// StretchDIBits of a rectangle of a packed DIB (source y counted from the bottom) into dest.
int StretchDib(CDC* dc, const CRect& dest, const BITMAPINFOHEADER* dib, int xSource, int ySource,
               int sourceWidth, int sourceHeight, DWORD rop);
// The whole DIB into dest.
int StretchWholeDib(CDC* dc, const CRect& dest, const BITMAPINFOHEADER* dib, DWORD rop);
