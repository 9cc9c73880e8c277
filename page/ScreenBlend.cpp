// Blending a rendered picture over what a context already shows, through a stencil rendering.

#include "page/ScreenBlend.h"

#include "image/DibBlend.h"
#include "image/PictureInfo.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"

bool BlendOverScreen(CDC* pDC, const CRect& frame, CPictureInfo& picture, const CPictureInfo& stencil) {
    const int w = frame.Width();
    const int h = frame.Height();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC))
        return false;
    void* bits = nullptr;
    CBitmap section;
    if (!section.Attach(CreateDIBSection(memory.GetSafeHdc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)) ||
        !bits)
        return false;
    CBitmap* old = memory.SelectObject(&section);
    const int oldMode = memory.SetStretchBltMode(COLORONCOLOR);
    GdiFlush();
    const bool copied = memory.StretchBlt(0, 0, w, h, pDC, frame.left, frame.top, w, h, SRCCOPY) != FALSE;
    memory.SetStretchBltMode(oldMode);
    if (copied)
        BlendDib24(h, w, picture.GetBits(), static_cast<const BYTE*>(bits), stencil.GetBits());
    memory.SelectObject(old);
    return copied;
}
