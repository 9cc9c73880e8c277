#pragma once
// CColorButton: an owner-drawn swatch of one colour in a two-pixel raised (pushed: sunken) frame. It
// shows a colour and opens nothing itself.

#include "platform/ui/Button.h"

class CColorButton : public CButton {
public:
    // Stores the colour without redrawing.
    void SetColor(COLORREF color) { m_color = color; }
    COLORREF GetColor() const { return m_color; }

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

private:
    COLORREF m_color = 0;
};
