#include "skin/MyBitmapButton.h"

#include "skin/MouseContext.h"

void CMyBitmapButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    const UINT state = drawItem->itemState;
    CBitmap* bitmap = m_hover ? &m_bitmapFocus : &BitmapForState(state);
    // Every owner gives a hovering button its F bitmap; without one it keeps its up look.
    if (!bitmap->m_hObject)
        bitmap = &m_bitmap;
    DrawBitmap(drawItem, *bitmap);
}

void CMyBitmapButton::TrackHover(CPoint point, bool anywhere) {
    if (!MouseContext().IsAvailable() || !(anywhere || InHitRegion(point)))
        return;
    if (!m_tracking) {
        MouseContext().RequestLeave(m_hWnd);
        m_tracking = 1;
        Invalidate();
    }
    m_hover = 1;
}

void CMyBitmapButton::OnMouseMove(UINT, CPoint point) {
    TrackHover(point, false);
}

void CMyBitmapButton::OnMouseLeave() {
    m_tracking = 0;
    m_hover = 0;
    Invalidate();
}

void CMyBitmapButton::OnLButtonDown(UINT flags, CPoint point) {
    if (BeginPress(point))
        CSkinButton::OnLButtonDown(flags, point);
}

void CMyBitmapButton::OnLButtonUp(UINT flags, CPoint point) {
    EndPress();
    CSkinButton::OnLButtonUp(flags, point);
    if (InHitRegion(point))
        PostCommand(0);
}

void CMyBitmapButton::OnRButtonDown(UINT flags, CPoint point) {
    if (BeginPress(point))
        CSkinButton::OnRButtonDown(flags, point);
}

void CMyBitmapButton::OnRButtonUp(UINT flags, CPoint point) {
    EndPress();
    CSkinButton::OnRButtonUp(flags, point);
    if (InHitRegion(point))
        PostCommand(5);
}
