#include "skin/RadioBitmapButton.h"

// The base's four slots hold UU, UF, DU and DF; the pressed byte is the checked state.
void CRadioBitmapButton::SetCheck(BOOL check) {
    m_pressed = check ? 1 : 0;
    if (m_hWnd)
        Invalidate();
}

void CRadioBitmapButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    CBitmap& upUp = m_bitmap;
    CBitmap& upFocus = m_bitmapSel;
    CBitmap& downUp = m_bitmapFocus;
    CBitmap& downFocus = m_bitmapDisabled;
    const UINT state = drawItem->itemState;
    CBitmap* bitmap = nullptr;
    if (m_hover)
        bitmap = m_pressed ? &downFocus : &upFocus;
    else if (state & ODS_SELECTED)
        bitmap = &upFocus;
    else if (state & ODS_FOCUS)
        bitmap = m_pressed ? &downFocus : &upFocus;
    else
        bitmap = m_pressed ? &downUp : &upUp;
    DrawBitmap(drawItem, *bitmap);
}

void CRadioBitmapButton::OnMouseMove(UINT, CPoint point) {
    TrackHover(point, true);
}

void CRadioBitmapButton::OnLButtonDown(UINT flags, CPoint point) {
    if (!InHitRegion(point)) {
        m_pressed = 0;
        SendMessage(BM_SETSTATE, FALSE);
        return;
    }
    m_pressed = 1;
    CSkinButton::OnLButtonDown(flags, point);
}

void CRadioBitmapButton::OnLButtonUp(UINT flags, CPoint point) {
    ReleaseCapture();
    CSkinButton::OnLButtonUp(flags, point);
    if (InHitRegion(point))
        PostCommand(0);
}

// Radio buttons take no right clicks.
void CRadioBitmapButton::OnRButtonDown(UINT flags, CPoint point) {
    CSkinButton::OnRButtonDown(flags, point);
}

void CRadioBitmapButton::OnRButtonUp(UINT flags, CPoint point) {
    CSkinButton::OnRButtonUp(flags, point);
}
