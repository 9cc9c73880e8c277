#pragma once
// CEffOrigWnd: the effects dialog's original picture, fitted and centred, with the crop frame that the
// user drags while cropping is on.

#include "editing/EffectWindowBase.h"
#include "editing/FrameDrag.h"

class CEffOrigWnd : public CEffectWindowBase {
public:
    explicit CEffOrigWnd(CEffectsDlg* dialog) : CEffectWindowBase(dialog) {}

    // Draws the original into the off-screen image.
    void Render();
    const CRect& GetPictureRect() const { return m_pictureRect; }
    FrameDragMode GetDragMode() const { return m_mode; }

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    RelativeFrame CropFrame() const;

    CRect m_pictureRect;
    FrameDragMode m_mode = kNoFrameDrag;
    CPoint m_grab;
};
