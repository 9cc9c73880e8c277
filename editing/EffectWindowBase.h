#pragma once
// What the effects dialog's picture windows share: the panel colour, and an off-screen image of the
// client area made at creation.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/Wnd.h"

class CEffectsDlg;

inline constexpr COLORREF kEffectPanelColor = 0xD3F1EF;

class CEffectWindowBase : public CWnd {
public:
    explicit CEffectWindowBase(CEffectsDlg* dialog) : m_dialog(dialog) {}
    ~CEffectWindowBase() override;

protected:
    // Makes the off-screen image at the client size; -1 when it cannot be made.
    int OnCreate(LPCREATESTRUCT create) override;
    void OnDestroy() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    // Copies the off-screen image to dc.
    void CopyImage(CDC* dc);
    void ReleaseImage();

    CEffectsDlg* m_dialog;
    CDC m_memoryDC;
    CBitmap m_memoryBitmap;
    CBitmap* m_oldBitmap = nullptr;
    CSize m_clientSize;
};

// The R2_NOT outline of a frame (an ellipse or a rectangle) with an inverted 5 by 5 square at each
// corner; drawn twice, it is gone.
void DrawInvertedFrame(CDC* dc, const CRect& frame, bool ellipse);
