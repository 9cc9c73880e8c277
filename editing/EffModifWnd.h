#pragma once
// CEffModifWnd: the effects dialog's preview of the adjusted picture. With red-eye reduction chosen it
// zooms (1 to 8) and pans, and the user drags the current red-eye region as an ellipse over it.

#include "editing/EffectWindowBase.h"
#include "editing/FrameDrag.h"
#include "editing/PreviewView.h"

class CEffModifWnd : public CEffectWindowBase {
public:
    static constexpr UINT kMenuId = 197;
    static constexpr WORD kPanCursorId = 1001;

    explicit CEffModifWnd(CEffectsDlg* dialog) : CEffectWindowBase(dialog) {}

    // Renders the off-screen image: the working settings as the dialog's preview picture renders them for
    // what the view shows.
    void UpdateView();
    void ResetView();
    void FitScale();
    void ClampPictureRect();
    CRect GetPictureRect() const { return m_view.GetPictureRect(); }
    void SetPictureRect(const CRect& rect);
    double GetZoom() const { return m_view.GetZoom(); }
    // The part of the client that the last render covered with picture.
    const CRect& GetDrawnRect() const { return m_drawn; }
    FrameDragMode GetDragMode() const { return m_mode; }
    bool IsPanning() const { return m_panAnchor.x != -1; }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnPaint() override;
    void OnContextMenu(CWnd* window, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;

private:
    bool IsRedEyeChosen() const;
    // The picture size from the adjusted picture; false without one.
    bool TakePictureSize();
    // The current red-eye region in view orientation, and on the client.
    RelativeFrame CurrentRegion() const;
    void DrawOverlay(CDC* dc);
    void Repaint();

    CPreviewView m_view;
    CRect m_drawn;
    CPoint m_panAnchor{-1, 0};
    FrameDragMode m_mode = kNoFrameDrag;
    CPoint m_grab;
};
