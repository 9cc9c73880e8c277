#pragma once
// A 24-bit DIB section with a memory context on it: what page pictures and exported images are drawn
// into before they become pictures or GIF images.

#include "platform/base/Geometry.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"

class CPictureInfo;

class CDibCanvas {
public:
    CDibCanvas() = default;
    ~CDibCanvas();
    CDibCanvas(const CDibCanvas&) = delete;
    CDibCanvas& operator=(const CDibCanvas&) = delete;

    // Bottom-up rows; false for an empty size or when the section cannot be made.
    bool Create(CDC* compatible, int width, int height);
    CDC* Dc() { return &m_dc; }
    BYTE* Bits() const { return m_bits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // A new picture of the pixels (reference count 1, owned by the caller), or null.
    CPictureInfo* ToPicture() const;

private:
    CDC m_dc;
    CBitmap m_section;
    CBitmap* m_pOldBitmap = nullptr;
    BYTE* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};
