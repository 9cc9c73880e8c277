// The effects dialog's original picture and the drag of its crop frame.

#include "editing/EffOrigWnd.h"

#include "editing/EffModifWnd.h"
#include "editing/EffectsDlg.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>

int CEffOrigWnd::OnCreate(LPCREATESTRUCT create) {
    if (CEffectWindowBase::OnCreate(create) == -1)
        return -1;
    Render();
    return 0;
}

void CEffOrigWnd::Render() {
    if (!m_oldBitmap)
        return;
    m_memoryDC.FillSolidRect(0, 0, m_clientSize.cx, m_clientSize.cy, kEffectPanelColor);
    const CWorkBitmap* work = m_dialog->GetWorkBitmap();
    const CPictureInfo* original = work ? work->GetOriginalDib() : nullptr;
    if (!original || !original->IsValid() || original->GetWidth() <= 0 || original->GetHeight() <= 0)
        return;
    const double across = static_cast<float>(m_clientSize.cx) / static_cast<float>(original->GetWidth());
    const double down = static_cast<double>(m_clientSize.cy) / original->GetHeight();
    const double scale = std::min(std::min(across, down), 1.0);
    const int w = static_cast<int>(original->GetWidth() * scale);
    const int h = static_cast<int>(original->GetHeight() * scale);
    const int cw = m_clientSize.cx;
    const int ch = m_clientSize.cy;
    m_pictureRect = CRect((cw - w) / 2, (ch - h) / 2, (cw + w) / 2, (ch + h) / 2);
    original->Draw(&m_memoryDC, m_pictureRect, SRCCOPY);
}

RelativeFrame CEffOrigWnd::CropFrame() const {
    RelativeFrame frame;
    m_dialog->GetCrop(frame.left, frame.right, frame.top, frame.bottom);
    return frame;
}

void CEffOrigWnd::OnPaint() {
    CPaintDC dc(this);
    CopyImage(&dc);
    if (m_dialog->IsCropOn())
        DrawInvertedFrame(&dc, FrameOnClient(m_pictureRect, CropFrame()), false);
}

void CEffOrigWnd::OnLButtonDown(UINT flags, CPoint point) {
    if (!m_dialog->IsCropOn())
        return;
    SetCapture();
    m_mode = HitTestFrame(FrameOnClient(m_pictureRect, CropFrame()), point, &m_grab);
    if (LPCTSTR cursor = CornerCursorId(m_mode))
        SetCursor(LoadCursor(nullptr, cursor));
    if (m_mode != kNoFrameDrag)
        m_dialog->PushUndo();
    CEffectWindowBase::OnLButtonDown(flags, point);
}

void CEffOrigWnd::OnMouseMove(UINT /*flags*/, CPoint point) {
    if (!m_dialog->IsCropOn() || m_mode == kNoFrameDrag)
        return;
    const RelativeFrame moved = DragFrame(m_mode, CropFrame(), point, m_pictureRect, m_grab);
    m_dialog->SetCrop(moved.left, moved.right, moved.top, moved.bottom);
    if (CWorkBitmap* work = m_dialog->GetWorkBitmap())
        work->SetCrop(true, moved.left, moved.right, moved.top, moved.bottom);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CEffOrigWnd::OnLButtonUp(UINT flags, CPoint point) {
    if (!m_dialog->IsCropOn())
        return;
    m_grab = CPoint();
    ReleaseCapture();
    if (m_mode != kNoFrameDrag) {
        m_dialog->RebuildPreview();
        if (CEffModifWnd* preview = m_dialog->GetModifWnd())
            preview->ResetView();
        m_dialog->RefreshPreview();
    }
    m_mode = kNoFrameDrag;
    CEffectWindowBase::OnLButtonUp(flags, point);
}
