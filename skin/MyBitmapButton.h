#pragma once
// CMyBitmapButton: the plain skinned button. Shows its focus bitmap while the pointer hovers it, and
// reports a left click with code 0 and a right click with code 5.

#include "skin/SkinButton.h"

class CMyBitmapButton : public CSkinButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

protected:
    // Hover tracking for a pointer that is inside, or (anywhere) anywhere in the window.
    void TrackHover(CPoint point, bool anywhere);

    void OnMouseMove(UINT flags, CPoint point) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;

    BYTE m_tracking = 0;
    BYTE m_hover = 0;
};
