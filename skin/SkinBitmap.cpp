#include "skin/SkinBitmap.h"

#include "image/FileHelpers.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Region.h"

BOOL LoadSkinBitmap(CBitmap& bitmap, LPCTSTR name, CWnd* window) {
    bitmap.DeleteObject();
    if (!name)
        return FALSE;
    CDC* dc = window ? window->GetDC() : nullptr;
    const bool loaded = LoadResourceBitmapWithPalette(bitmap, name, dc);
    if (dc)
        window->ReleaseDC(dc);
    return loaded ? TRUE : FALSE;
}

BOOL SetSkinShape(CWnd& window, CRgn* shape, CRgn& clip, BOOL redraw) {
    if (!shape || !shape->m_hObject)
        return FALSE;
    clip.DeleteObject();
    CRgn windowRegion;
    if (!windowRegion.CreateRectRgn(0, 0, 0, 0) || !clip.CreateRectRgn(0, 0, 0, 0))
        return FALSE;
    windowRegion.CopyRgn(shape);
    clip.CopyRgn(shape);
    return window.SetWindowRgn(static_cast<HRGN>(windowRegion.Detach()), redraw) ? TRUE : FALSE;
}

void DrawSkinBitmap(CDC* dc, const RECT& item, CBitmap& bitmap, CRgn* clip) {
    if (clip && clip->m_hObject)
        dc->SelectClipRgn(clip);
    if (bitmap.m_hObject) {
        CDC memory;
        memory.CreateCompatibleDC(dc);
        CBitmap* previous = memory.SelectObject(&bitmap);
        const CRect area(item);
        dc->BitBlt(area.left, area.top, area.Width(), area.Height(), &memory, 0, 0, SRCCOPY);
        memory.SelectObject(previous);
    }
    dc->SelectClipRgn(nullptr);
}
