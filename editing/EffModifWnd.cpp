// The effects dialog's preview: rendering at the view's zoom, the zoom and region commands, the context
// menu, panning and the drag of the current red-eye region.

#include "editing/EffModifWnd.h"

#include "editing/EffectsDlg.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "platform/base/AppServices.h"
#include "platform/base/Resource.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PaintDC.h"

namespace {

constexpr int kRedEye = kAdjustRedEye;

constexpr UINT kZoomIn = 32781;
constexpr UINT kZoomOut = 32782;
constexpr UINT kAddRegion = 32783;
constexpr UINT kRemoveRegion = 32784;

struct ZoomCommand {
    UINT command;
    int zoom;
};
constexpr ZoomCommand kZoomCommands[] = {{32785, 1}, {32786, 2}, {32787, 3},
                                         {32788, 4}, {32789, 6}, {32790, 8}};

} // namespace

int CEffModifWnd::OnCreate(LPCREATESTRUCT create) {
    if (CEffectWindowBase::OnCreate(create) == -1)
        return -1;
    m_view.SetClientSize(m_clientSize);
    return 0;
}

bool CEffModifWnd::IsRedEyeChosen() const {
    return m_dialog->IsEffectSelected(kRedEye) != FALSE;
}

bool CEffModifWnd::TakePictureSize() {
    const CWorkBitmap* work = m_dialog->GetWorkBitmap();
    const CSize size = work ? CPreviewPicture::FullSize(*work) : CSize();
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    m_view.SetPictureSize(size);
    return true;
}

void CEffModifWnd::FitScale() {
    TakePictureSize();
    m_view.FitScale();
}

void CEffModifWnd::ResetView() {
    if (TakePictureSize())
        m_view.ResetView();
}

void CEffModifWnd::ClampPictureRect() {
    m_view.ClampPictureRect();
}

void CEffModifWnd::SetPictureRect(const CRect& rect) {
    m_view.SetPictureRect(rect);
}

void CEffModifWnd::UpdateView() {
    if (!m_oldBitmap)
        return;
    m_memoryDC.FillSolidRect(0, 0, m_clientSize.cx, m_clientSize.cy, kEffectPanelColor);
    m_drawn.SetRectEmpty();
    if (!TakePictureSize())
        return;
    CPreviewPicture& picture = m_dialog->GetPreviewPicture();
    if (!picture.Render(*m_dialog->GetWorkBitmap(), m_view))
        return;
    const AxisSpan across = m_view.HorizontalSpan();
    const AxisSpan down = m_view.VerticalSpan();
    const CRect target(across.targetStart, down.targetStart, across.targetEnd, down.targetEnd);
    picture.GetPicture()->DrawPart(&m_memoryDC, target, picture.SourceRect(m_view), SRCCOPY);
    m_drawn = target;
}

void CEffModifWnd::Repaint() {
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CEffModifWnd::OnPaint() {
    CPaintDC dc(this);
    CopyImage(&dc);
    if (IsRedEyeChosen())
        DrawOverlay(&dc);
}

RelativeFrame CEffModifWnd::CurrentRegion() const {
    RelativeFrame region;
    if (const CWorkBitmap* work = m_dialog->GetWorkBitmap())
        work->GetCurrentShapeEntry(region.left, region.right, region.top, region.bottom, true);
    return region;
}

void CEffModifWnd::DrawOverlay(CDC* dc) {
    DrawInvertedFrame(dc, FrameOnClient(m_view.GetPictureRect(), CurrentRegion()), true);
}

BOOL CEffModifWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT command = LOWORD(static_cast<DWORD>(wParam));
    CWorkBitmap* work = m_dialog->GetWorkBitmap();
    bool changed = false;
    if (command == kZoomIn) {
        changed = m_view.ZoomIn();
    } else if (command == kZoomOut) {
        changed = m_view.ZoomOut();
    } else if (command == kAddRegion || command == kRemoveRegion) {
        if (!work)
            return TRUE;
        if (command == kAddRegion)
            work->PushShapeEntry();
        else
            work->PopShapeEntry();
        m_dialog->RebuildPreview();
        changed = true;
    } else {
        const auto* zoom = std::find_if(std::begin(kZoomCommands), std::end(kZoomCommands),
                                        [command](const ZoomCommand& c) { return c.command == command; });
        if (zoom == std::end(kZoomCommands))
            return CEffectWindowBase::OnCommand(wParam, lParam);
        TakePictureSize();
        changed = m_view.ZoomTo(zoom->zoom);
    }
    if (changed) {
        UpdateView();
        Repaint();
    }
    return TRUE;
}

void CEffModifWnd::OnContextMenu(CWnd* /*window*/, CPoint point) {
    if (!IsRedEyeChosen())
        return;
    CMenu menu;
    if (!menu.LoadMenu(kMenuId))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    for (const ZoomCommand& zoom : kZoomCommands) {
        if (zoom.zoom == static_cast<int>(m_view.GetZoom()))
            popup->CheckMenuItem(zoom.command, MF_BYCOMMAND | MF_CHECKED);
    }
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
    menu.DestroyMenu();
}

void CEffModifWnd::OnLButtonDown(UINT flags, CPoint point) {
    if (!IsRedEyeChosen())
        return;
    SetCapture();
    const CRect region = FrameOnClient(m_view.GetPictureRect(), CurrentRegion());
    m_mode = HitTestFrame(region, point, &m_grab);
    if (LPCTSTR cursor = CornerCursorId(m_mode))
        SetCursor(LoadCursor(nullptr, cursor));
    if (m_mode != kNoFrameDrag) {
        m_dialog->PushUndo();
    } else {
        const CRect& picture = m_view.GetPictureRect();
        m_panAnchor = CPoint(point.x - picture.left, point.y - picture.top);
    }
    CEffectWindowBase::OnLButtonDown(flags, point);
}

void CEffModifWnd::OnMouseMove(UINT /*flags*/, CPoint point) {
    if (!IsRedEyeChosen())
        return;
    if (IsPanning()) {
        if (HCURSOR hand = LoadCursor(AppServices().GetResourceModule(), MAKEINTRESOURCE(kPanCursorId)))
            SetCursor(hand);
        m_view.PanTo(point, m_panAnchor);
        UpdateView();
        Repaint();
        return;
    }
    const CRect& picture = m_view.GetPictureRect();
    const RelativeFrame region = CurrentRegion();
    if (LPCTSTR cursor = CornerCursorId(HitTestFrame(FrameOnClient(picture, region), point, nullptr)))
        SetCursor(LoadCursor(nullptr, cursor));
    if (m_mode == kNoFrameDrag)
        return;
    RelativeFrame moved = DragFrame(m_mode, region, point, picture, m_grab);
    CWorkBitmap* work = m_dialog->GetWorkBitmap();
    work->ViewToImageRect(moved.left, moved.right, moved.top, moved.bottom);
    // The picture is rendered again only when the drag ends; meanwhile the outline moves.
    CClientDC dc(this);
    DrawOverlay(&dc);
    work->SetCurrentShapeEntry(moved.left, moved.right, moved.top, moved.bottom);
    DrawOverlay(&dc);
}

void CEffModifWnd::OnLButtonUp(UINT flags, CPoint point) {
    if (IsPanning()) {
        ReleaseCapture();
        m_panAnchor.x = -1;
    }
    m_grab = CPoint();
    if (IsRedEyeChosen())
        ReleaseCapture();
    if (m_mode != kNoFrameDrag) {
        m_dialog->RebuildPreview();
        m_dialog->RefreshPreview();
    }
    m_mode = kNoFrameDrag;
    CEffectWindowBase::OnLButtonUp(flags, point);
}

BOOL CEffModifWnd::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    if (IsPanning()) {
        CPoint point;
        GetCursorPos(&point);
        ScreenToClient(&point);
        if (m_drawn.PtInRect(point)) {
            SetCursor(LoadCursor(nullptr, IDC_HELP));
            return TRUE;
        }
    }
    return CEffectWindowBase::OnSetCursor(window, hitTest, message);
}
