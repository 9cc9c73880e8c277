// The page canvas's redraws into its off-screen bitmap: the whole edit-mode page, the whole normal-mode
// page, and the area of one changed object.

#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/FrameGeometry.h"
#include "page/MainWndServices.h"
#include "page/PreviewWnd.h"
#include "page/ScreenBlend.h"
#include "platform/base/AppServices.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/ui/WaitCursor.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kFullTurn = 3600;
constexpr int kUnzoomed = 100;
constexpr COLORREF kPictureBackground = 0xFFFFFF;
constexpr COLORREF kStencilBackground = 0x000000;

void FillWhite(CDC* dc, const CRect& rect) {
    dc->FillRect(&rect, CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
}

bool IsLoaded(const CMat* mat) {
    return mat && mat->IsLoaded();
}

bool IsLoaded(const CStencil* stencil) {
    return stencil && stencil->IsLoaded();
}

// The normal-mode picture through the stencil, blended over the page under it.
void DrawThroughStencil(CDC* dc, const CRect& rect, const CWorkBitmap& work, const CStencil& stencil) {
    const CRect area(0, 0, rect.Width(), rect.Height());
    const CPoint shift(work.shiftX, work.shiftY);
    OwnedPicture picture(work.GetAdjustedDib()->RenderZoomed(area, shift, work.zoom, kPictureBackground));
    OwnedPicture cut(stencil.GetBitmap()->RenderZoomedMasked(area, shift, work.zoom, kStencilBackground,
                                                             work.GetRotatedDib()));
    if (!picture || !cut || !picture->Is24Bit() || !cut->Is24Bit())
        return;
    if (BlendOverScreen(dc, rect, *picture, *cut))
        picture->Draw(dc, rect, SRCCOPY);
}

// The normal-mode picture shifted and grown on every side by its zoom beyond 100, in pixels.
void DrawZoomed(CDC* dc, CRect rect, const CWorkBitmap& work) {
    rect.OffsetRect(work.shiftX, work.shiftY);
    const int grow = work.zoom - kUnzoomed;
    rect = CRect(rect.left - grow, rect.top - grow, rect.right + grow, rect.bottom + grow);
    const CPictureInfo* mask = work.GetRotatedDib();
    if (work.rotation % kFullTurn != 0 && mask) {
        mask->Draw(dc, rect, SRCPAINT);
        work.GetAdjustedDib()->Draw(dc, rect, SRCAND);
        return;
    }
    work.GetAdjustedDib()->Draw(dc, rect, SRCCOPY);
}

} // namespace

BOOL CPreviewWnd::Redraw() {
    return AppServices().IsEditMode() ? RedrawTemplate() : RedrawPage();
}

void CPreviewWnd::ShowBitmapNow() {
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CPreviewWnd::DrawEditObject(CDrawObj* object, const PageLayout& layout, CRgn& clip) {
    CDC* dc = m_pMemoryDC.get();
    if (CDrawObj::IsDrawText(object))
        static_cast<CDrawText*>(object)->FitToText(dc, layout.scale);
    if (!CDrawObj::IsTextOrClipart(object) && !CDrawObj::IsDrawImage(object))
        return;
    dc->SelectClipRgn(&clip);
    object->Draw(dc, layout.rect.left, layout.rect.top, layout.scale);
    dc->SelectClipRgn(nullptr);
}

BOOL CPreviewWnd::RedrawTemplate() {
    if (!m_pMemoryDC)
        return FALSE;
    const CRect client = ClientRect();
    m_pMemoryDC->FillSolidRect(&client, m_background);
    CTemplate* page = EditTemplate();
    if (!page)
        return FALSE;
    const PageLayout layout = LayoutOf(page);
    FillWhite(m_pMemoryDC.get(), layout.rect);
    CRgn clip;
    clip.CreateRectRgnIndirect(&layout.rect);
    for (POSITION pos = page->GetObjectList().GetHeadPosition(); pos;)
        DrawEditObject(page->GetObjectList().GetNext(pos), layout, clip);
    ShowBitmapNow();
    return TRUE;
}

void CPreviewWnd::DrawNormalFrame(CDrawRect* frameObject, const PageLayout& layout, CRgn& pageClip) {
    IMainWndServices& host = MainWndServices();
    const CWorkBitmap& work = *host.GetWorkBitmap();
    const CMat* mat = host.GetMat();
    const CStencil* stencil = host.GetNormalStencil();
    CDC* dc = m_pMemoryDC.get();

    CRect frame = ObjectToWindow(frameObject->GetPosition(), layout);
    const CPictureInfo& adjusted = *work.GetAdjustedDib();
    if (host.IsFlagClear() && adjusted.GetWidth() > 0 && adjusted.GetHeight() > 0)
        frame = FitToPicture(frame, adjusted);
    CRect pictureRect = frame;
    if (IsLoaded(mat)) {
        pictureRect = MatOpening(mat, frame);
        mat->GetImageDib()->Draw(dc, frame, SRCCOPY);
    }

    CRgn region;
    const int shape = frameObject->GetShape();
    if (shape == kShapeRectangle) {
        if (IsLoaded(mat) && mat->GetFrameName() == "ellipse")
            region.CreateEllipticRgnIndirect(&pictureRect);
        else
            region.CreateRectRgnIndirect(&pictureRect);
    } else if (shape == kShapeRoundRectangle) {
        const CPoint round = frameObject->GetRoundness();
        region.CreateRoundRectRgn(pictureRect.left, pictureRect.top, pictureRect.right, pictureRect.bottom,
                                  static_cast<int>(static_cast<float>(round.x) * layout.scale),
                                  static_cast<int>(static_cast<float>(round.y) * layout.scale));
    } else if (shape == kShapeEllipse) {
        region.CreateEllipticRgnIndirect(&pictureRect);
    }

    const int saved = dc->SaveDC();
    dc->SelectClipRgn(&pageClip);
    if (region.GetSafeHandle())
        dc->SelectClipRgn(&region, RGN_AND);
    pictureRect.NormalizeRect();
    if (pictureRect.Width() > 0 && pictureRect.Height() > 0) {
        if (IsLoaded(stencil))
            DrawThroughStencil(dc, pictureRect, work, *stencil);
        else
            DrawZoomed(dc, pictureRect, work);
    }
    dc->RestoreDC(saved);
}

BOOL CPreviewWnd::RedrawPage() {
    if (!m_pMemoryDC)
        return FALSE;
    CWaitCursor wait;
    const CRect client = ClientRect();
    m_pMemoryDC->FillSolidRect(&client, m_background);
    CTemplate* page = MainWndServices().GetNormalModeSource();
    if (!page)
        return FALSE;
    const PageLayout layout = LayoutOf(page);
    FillWhite(m_pMemoryDC.get(), layout.rect);
    CRgn pageClip;
    pageClip.CreateRectRgnIndirect(&layout.rect);
    const CWorkBitmap* work = MainWndServices().GetWorkBitmap();
    if (work && work->GetAdjustedDib()) {
        const int oldMode = m_pMemoryDC->SetStretchBltMode(COLORONCOLOR);
        for (POSITION pos = page->GetObjectList().GetHeadPosition(); pos;) {
            CDrawObj* object = page->GetObjectList().GetNext(pos);
            if (CDrawObj::IsDrawClipart(object)) {
                m_pMemoryDC->SelectClipRgn(&pageClip);
                object->Draw(m_pMemoryDC.get(), layout.rect.left, layout.rect.top, layout.scale);
                m_pMemoryDC->SelectClipRgn(nullptr);
            } else if (object->IsKindOf(RUNTIME_CLASS(CDrawRect)) && !CDrawObj::IsDrawImage(object)) {
                DrawNormalFrame(static_cast<CDrawRect*>(object), layout, pageClip);
            }
        }
        m_pMemoryDC->SetStretchBltMode(oldMode);
    }
    ShowBitmapNow();
    return TRUE;
}

// The objects that touch the area (page units) in list order, drawn clipped to it.
BOOL CPreviewWnd::RedrawArea(CTemplate* page, const CRect& area) {
    const PageLayout layout = LayoutOf(page);
    CDrawObjList touched;
    for (POSITION pos = page->GetObjectList().GetHeadPosition(); pos;) {
        CDrawObj* candidate = page->GetObjectList().GetNext(pos);
        if (candidate->Intersects(area))
            touched.AddTail(candidate);
    }
    CRect window;
    window.IntersectRect(ObjectToWindow(area, layout), layout.rect);
    FillWhite(m_pMemoryDC.get(), window);
    CRgn clip;
    clip.CreateRectRgnIndirect(&window);
    for (POSITION pos = touched.GetHeadPosition(); pos;) {
        CDrawObj* candidate = touched.GetNext(pos);
        if (CDrawObj::IsDrawImage(candidate) && !static_cast<CDrawImage*>(candidate)->HasValidAdjusted())
            continue;
        DrawEditObject(candidate, layout, clip);
    }
    ShowBitmapNow();
    return TRUE;
}

BOOL CPreviewWnd::UpdateArea(CDrawObj* object) {
    CTemplate* page = EditTemplate();
    if (!page || !object || !m_pMemoryDC)
        return FALSE;
    CRect area = object->GetPosition();
    area.NormalizeRect();
    return RedrawArea(page, area);
}

BOOL CPreviewWnd::UpdateObjects(CDrawObj* object) {
    CTemplate* page = EditTemplate();
    if (!page || !object || !m_pMemoryDC)
        return FALSE;
    CRect area = object->GetPosition();
    area.NormalizeRect();
    if (CDrawObj::IsDrawText(object)) {
        // A new layout may shrink the text: the area it covered before is redrawn as well.
        static_cast<CDrawText*>(object)->FitToText(m_pMemoryDC.get(), LayoutOf(page).scale);
        CRect after = object->GetPosition();
        after.NormalizeRect();
        area.UnionRect(CRect(area), after);
    }
    return RedrawArea(page, area);
}
