#pragma once
// CCheckBitmapButton: a check box drawn from bitmaps: U and D for unchecked and checked, UF and DF for
// the two with the focus, X when disabled. A press toggles it; the standard click follows on release.
// Keys pressed while it has the focus go to the parent first.

#include "platform/gdi/Region.h"
#include "platform/ui/BitmapButton.h"

class CCheckBitmapButton : public CBitmapButton {
public:
    // up is required (FALSE and no bitmaps without it); any other name given but missing falls back to
    // the up bitmap, a name not given leaves its slot empty. TRUE when up loaded.
    BOOL LoadBitmaps(LPCTSTR up, LPCTSTR down = nullptr, LPCTSTR focus = nullptr, LPCTSTR disabled = nullptr,
                     LPCTSTR checkedFocus = nullptr);
    // Replaces the shape and redraws the button and the parent beneath it.
    BOOL SetRegion(CRgn* shape, BOOL redraw);
    // No redraw.
    void SetCheck(BOOL check) { m_checked = check ? 1 : 0; }
    BOOL GetCheck() const { return m_checked; }
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

protected:
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnDestroy() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;

private:
    CBitmap m_bitmapCheckedFocus;
    BYTE m_checked = 0;
    CRgn m_clipRegion;
};
