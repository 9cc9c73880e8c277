#pragma once
// CTwoColorsBitmapButton: a skinned button that shows two colour swatches on its face, in one pair of
// rectangles when up and another when pushed. Reports left clicks with code 0 and right clicks with 5.

#include "skin/SkinButton.h"

class CTwoColorsBitmapButton : public CSkinButton {
public:
    // None of the setters redraws; the owner invalidates.
    void SetFirstColor(COLORREF color) { m_firstColor = color; }
    void SetSecondColor(COLORREF color) { m_secondColor = color; }
    COLORREF GetFirstColor() const { return m_firstColor; }
    COLORREF GetSecondColor() const { return m_secondColor; }
    // First colour up, first colour pushed, second colour up, second colour pushed.
    void SetRect1(const RECT* rect) { m_firstUp = *rect; }
    void SetRect2(const RECT* rect) { m_firstPushed = *rect; }
    void SetRect3(const RECT* rect) { m_secondUp = *rect; }
    void SetRect4(const RECT* rect) { m_secondPushed = *rect; }
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

protected:
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;

private:
    COLORREF m_firstColor = 0;
    COLORREF m_secondColor = 0;
    CRect m_firstUp;
    CRect m_firstPushed;
    CRect m_secondUp;
    CRect m_secondPushed;
};
