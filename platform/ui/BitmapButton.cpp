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

CBitmap& CBitmapButton::BitmapForState(UINT itemState) {
    if ((itemState & ODS_SELECTED) && m_bitmapSel.m_hObject)
        return m_bitmapSel;
    if ((itemState & ODS_FOCUS) && m_bitmapFocus.m_hObject)
        return m_bitmapFocus;
    if ((itemState & ODS_DISABLED) && m_bitmapDisabled.m_hObject)
        return m_bitmapDisabled;
    return m_bitmap;
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    CBitmap* bitmap = &BitmapForState(drawItem->itemState);
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
