#include "skin/TwoColorsBitmapButton.h"

#include "platform/gdi/Dc.h"

void CTwoColorsBitmapButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    DrawBitmap(drawItem, BitmapForState(drawItem->itemState));
    const bool pushed = (drawItem->itemState & ODS_SELECTED) && m_bitmapSel.m_hObject;
    CDC* dc = CDC::FromHandle(drawItem->hDC);
    dc->FillSolidRect(pushed ? &m_firstPushed : &m_firstUp, m_firstColor);
    dc->FillSolidRect(pushed ? &m_secondPushed : &m_secondUp, m_secondColor);
}

void CTwoColorsBitmapButton::OnMouseMove(UINT flags, CPoint point) {
    if (!UnpushOutside(point))
        CSkinButton::OnMouseMove(flags, point);
}

void CTwoColorsBitmapButton::OnLButtonDown(UINT flags, CPoint point) {
    if (BeginPress(point))
        CSkinButton::OnLButtonDown(flags, point);
}

void CTwoColorsBitmapButton::OnLButtonUp(UINT flags, CPoint point) {
    EndPress();
    CSkinButton::OnLButtonUp(flags, point);
    if (InHitRegion(point))
        PostCommand(0);
}

void CTwoColorsBitmapButton::OnRButtonDown(UINT flags, CPoint point) {
    if (BeginPress(point))
        CSkinButton::OnRButtonDown(flags, point);
}

void CTwoColorsBitmapButton::OnRButtonUp(UINT flags, CPoint point) {
    EndPress();
    CSkinButton::OnRButtonUp(flags, point);
    if (InHitRegion(point))
        PostCommand(5);
}
