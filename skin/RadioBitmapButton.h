#pragma once
// CRadioBitmapButton: one of a pair of mode buttons. A press inside its hit region checks it at once;
// the owner clears the other button of the pair. Bitmaps: UU, UF, DU, DF.

#include "skin/MyBitmapButton.h"

class CRadioBitmapButton : public CMyBitmapButton {
public:
    // The checked state; the button shows it on its next draw.
    void SetCheck(BOOL check);
    BOOL GetCheck() const { return m_pressed; }
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

protected:
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
};
