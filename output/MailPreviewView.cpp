// The preview view's mapping, layout and painting from the document's off-screen copy.

#include "output/MailPreviewView.h"

#include "output/MailPreviewDocument.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CMailPreviewView, CScrollView)

namespace {

constexpr int kMinMargin = 10;

// Equal margins that centre shown in client, or the least margin when it does not fit.
int CentringMargin(int client, int shown) {
    return client - 2 * kMinMargin < shown ? kMinMargin : (client - shown) / 2;
}

} // namespace

CMailPreviewDocument* CMailPreviewView::GetPreviewDocument() const {
    return dynamic_cast<CMailPreviewDocument*>(GetDocument());
}

BOOL CMailPreviewView::PreCreateWindow(CREATESTRUCT& create) {
    create.style |= WS_HSCROLL | WS_VSCROLL;
    return CScrollView::PreCreateWindow(create);
}

BOOL CMailPreviewView::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

void CMailPreviewView::OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) {
    Invalidate(TRUE);
    CScrollView::OnHScroll(code, position, scrollBar);
}

void CMailPreviewView::OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) {
    Invalidate(TRUE);
    CScrollView::OnVScroll(code, position, scrollBar);
}

void CMailPreviewView::OnPrepareDC(CDC* dc) {
    if (!GetDocument())
        return;
    CScrollView::OnPrepareDC(dc);
    dc->SetMapMode(MM_ISOTROPIC);
    dc->SetWindowExt(100, 100);
    dc->SetViewportExt(m_nViewZoom, m_nViewZoom);
}

CRect CMailPreviewView::GetClientRectWithoutBars() const {
    CRect client;
    GetClientRect(&client);
    const CSize total = GetTotalSize();
    if (total.cx > client.Width())
        client.right += GetSystemMetrics(SM_CXVSCROLL);
    if (total.cy > client.Height())
        client.bottom += GetSystemMetrics(SM_CYHSCROLL);
    return client;
}

void CMailPreviewView::OnUpdate(CView* /*sender*/, LPARAM /*hint*/, CObject* /*hintObject*/) {
    const CMailPreviewDocument* document = GetPreviewDocument();
    if (!document)
        return;
    const CRect client = GetClientRectWithoutBars();
    m_nViewZoom = std::max(document->GetZoom(), 100);
    const double factor = m_nViewZoom / 100.0;
    const CSize preview = document->GetPreviewSize();
    const int shownWidth = static_cast<int>(preview.cx * factor);
    const int shownHeight = static_cast<int>(preview.cy * factor);
    m_nLeft = m_nRight = CentringMargin(client.Width(), shownWidth);
    m_nTop = m_nBottom = CentringMargin(client.Height(), shownHeight);
    SetScrollSizes(MM_TEXT, CSize(shownWidth + m_nLeft + m_nRight, shownHeight + m_nTop + m_nBottom));
    Invalidate(TRUE);
}

void CMailPreviewView::OnDraw(CDC* dc) {
    CRect clip;
    dc->GetClipBox(&clip);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const CMailPreviewDocument* document = GetPreviewDocument();
    CDC* copy = document ? document->GetPreviewDC() : nullptr;
    if (!copy) {
        dc->FillSolidRect(&clip, shadow);
        return;
    }
    // The device part to paint, through a client context prepared as the paint context is.
    CRect device = clip;
    {
        CDC* client = GetDC();
        if (!client)
            return;
        client->SetMapMode(MM_TEXT);
        OnPrepareDC(client);
        client->LPtoDP(&device);
        ReleaseDC(client);
    }
    device.NormalizeRect();
    if (device.IsRectEmpty())
        return;

    CDC buffer;
    CBitmap bitmap;
    if (!buffer.CreateCompatibleDC(dc) || !bitmap.CreateCompatibleBitmap(dc, device.Width(), device.Height()))
        return;
    OnPrepareDC(&buffer);
    const CPoint origin = buffer.GetViewportOrg();
    buffer.SetViewportOrg(origin.x - device.left, origin.y - device.top);
    CBitmap* previous = buffer.SelectObject(&bitmap);
    if (!previous)
        return;
    buffer.IntersectClipRect(&clip);
    buffer.FillSolidRect(&clip, shadow);

    const double factor = std::max(1.0, m_nViewZoom / 100.0);
    const CPoint shift(static_cast<int>(m_nLeft / factor), static_cast<int>(m_nTop / factor));
    const CPoint oldWindowOrg = buffer.SetWindowOrg(-shift.x, -shift.y);
    CRect part = clip;
    part.OffsetRect(-shift.x, -shift.y);
    const CSize preview = document->GetPreviewSize();
    if (part.IntersectRect(CRect(part), CRect(0, 0, preview.cx, preview.cy))) {
        const int oldMode = buffer.SetStretchBltMode(COLORONCOLOR);
        buffer.StretchBlt(part.left, part.top, part.Width(), part.Height(), copy, part.left, part.top,
                          part.Width(), part.Height(), SRCCOPY);
        buffer.SetStretchBltMode(oldMode);
    }
    buffer.SetWindowOrg(oldWindowOrg);
    for (CDC* context : {&buffer, dc}) {
        context->SetViewportOrg(0, 0);
        context->SetWindowOrg(0, 0);
        context->SetMapMode(MM_TEXT);
    }
    dc->BitBlt(device.left, device.top, device.Width(), device.Height(), &buffer, 0, 0, SRCCOPY);
    buffer.SelectObject(previous);
}
