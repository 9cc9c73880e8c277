#include "skin/TickBitmapButton.h"

void CTickBitmapButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    DrawBitmap(drawItem, BitmapForState(drawItem->itemState));
}

// Leaving the hit region shows the button up, but the repeat goes on until the release.
void CTickBitmapButton::OnMouseMove(UINT flags, CPoint point) {
    if (!UnpushOutside(point))
        CSkinButton::OnMouseMove(flags, point);
}

void CTickBitmapButton::OnLButtonDown(UINT flags, CPoint point) {
    if (!BeginPress(point))
        return;
    CSkinButton::OnLButtonDown(flags, point);
    SetTimer(kRepeatTimer, kRepeatMilliseconds);
}

void CTickBitmapButton::OnLButtonUp(UINT flags, CPoint point) {
    KillTimer(kRepeatTimer);
    EndPress();
    if (InHitRegion(point))
        PostCommand(0);
    CSkinButton::OnLButtonUp(flags, point);
}

void CTickBitmapButton::OnRButtonDown(UINT flags, CPoint point) {
    if (BeginPress(point))
        CSkinButton::OnRButtonDown(flags, point);
}

void CTickBitmapButton::OnRButtonUp(UINT flags, CPoint point) {
    EndPress();
    CSkinButton::OnRButtonUp(flags, point);
    if (InHitRegion(point))
        PostCommand(5);
}

void CTickBitmapButton::OnTimer(UINT_PTR id) {
    if (id != kRepeatTimer) {
        CSkinButton::OnTimer(id);
        return;
    }
    PostCommand(0);
}
