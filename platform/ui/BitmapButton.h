#pragma once
// CBitmapButton: an owner-drawn button that shows one of four bitmaps by its state: normal, selected
// (pushed), focus and disabled. The latter three are optional; a missing one falls back to normal.

#include "platform/gdi/Bitmap.h"
#include "platform/ui/Button.h"

class CBitmapButton : public CButton {
    DECLARE_DYNAMIC(CBitmapButton)
public:
    // Sizes the window to the normal bitmap without moving or redrawing it.
    void SizeToContent();
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    // The bitmap of a drawing state: selected, focus or disabled when the button has it, else normal.
    CBitmap& BitmapForState(UINT itemState);

    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;
};
