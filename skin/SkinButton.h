#pragma once
// CSkinButton: what the plain, radio, tick and two-colour skinned buttons share. The window region gives
// the button its shape, a copy of it clips every draw, and the hit region decides which presses and
// releases count. Bitmaps: normal, selected, focus and disabled (U, D, F, X; UU, UF, DU, DF for radio
// buttons). Clicks are posted to the parent as WM_COMMAND with the control id and this window.

#include "platform/gdi/Region.h"
#include "platform/ui/BitmapButton.h"

class CSkinButton : public CBitmapButton {
public:
    // Window and clip region become copies of shape, the hit region a copy of hit; the window region goes
    // to the window. FALSE when a region cannot be made.
    BOOL SetRegions(CRgn* shape, CRgn* hit, BOOL redraw);
    // up is required; each other name given and missing leaves its slot empty. TRUE only when every named
    // bitmap was found.
    BOOL LoadBitmaps(LPCTSTR up, LPCTSTR down = nullptr, LPCTSTR focus = nullptr, LPCTSTR disabled = nullptr);

protected:
    BOOL InHitRegion(CPoint point) const;
    // A press inside the hit region sets the pressed flag and returns TRUE (the caller then runs the
    // default handling, which captures and pushes); outside it clears the flag and shows the button up.
    BOOL BeginPress(CPoint point);
    // The start of every release: the flag cleared and the capture let go, so the default handling that
    // follows sends no click of its own.
    void EndPress();
    // A pointer outside the hit region shows a held button up; TRUE when it was outside.
    BOOL UnpushOutside(CPoint point);
    void PostCommand(WORD code);
    // Copies the chosen bitmap into the item, clipped to the shape.
    void DrawBitmap(LPDRAWITEMSTRUCT drawItem, CBitmap& bitmap);

    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnDestroy() override;

    BYTE m_pressed = 0;
    CRgn m_clipRegion;
    CRgn m_hitRegion;
};
