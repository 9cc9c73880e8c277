#include "platform/ui/BitmapButton.h"

#include "platform/gdi/Dc.h"

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

void CBitmapButton::SizeToContent() {
    BITMAP info{};
    if (!m_bitmap.m_hObject || !m_bitmap.GetBitmap(&info))
        return;
    SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    CBitmap* bitmap = &m_bitmap;
    const UINT state = drawItem->itemState;
    if ((state & ODS_SELECTED) && m_bitmapSel.m_hObject)
        bitmap = &m_bitmapSel;
    else if ((state & ODS_FOCUS) && m_bitmapFocus.m_hObject)
        bitmap = &m_bitmapFocus;
    else if ((state & ODS_DISABLED) && m_bitmapDisabled.m_hObject)
        bitmap = &m_bitmapDisabled;
    if (!bitmap->m_hObject)
        return;
    CDC* dc = CDC::FromHandle(drawItem->hDC);
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* previous = memory.SelectObject(bitmap);
    const CRect item(drawItem->rcItem);
    dc->BitBlt(item.left, item.top, item.Width(), item.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
}
