// The preview document's pictures: the page rendered at the scale percent, and its off-screen copy.

#include "output/MailPreviewDocument.h"

#include "image/PictureInfo.h"
#include "output/MailPreviewMessages.h"
#include "output/MailPreviewView.h"
#include "output/PrintMainWnd.h"
#include "platform/base/AppServices.h"
#include "platform/base/MulDiv.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WaitCursor.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CMailPreviewDocument, CDocument)

namespace {

constexpr UINT kNoPreviewId = 31369;
// The document holds the one page being mailed.
constexpr int kPageCount = 1;

// The part of the picture's side that the copy keeps: all of it from 100 % on.
int PreviewSide(int zoom, int side) {
    const int scaled = MulDiv(zoom, side, 100);
    return scaled < side ? scaled : side;
}

} // namespace

CMailPreviewDocument::~CMailPreviewDocument() {
    DeleteContents();
}

void CMailPreviewDocument::FreePreview() {
    if (m_pPreviewDC) {
        if (m_pPreviousBitmap)
            m_pPreviewDC->SelectObject(m_pPreviousBitmap);
        m_pPreviewDC->DeleteDC();
    }
    delete m_pPreviewBitmap;
    delete m_pPreviewDC;
    m_pPreviewBitmap = nullptr;
    m_pPreviousBitmap = nullptr;
    m_pPreviewDC = nullptr;
}

void CMailPreviewDocument::DeleteContents() {
    FreePreview();
    for (POSITION pos = m_pictures.GetHeadPosition(); pos != nullptr;)
        delete m_pictures.GetNext(pos);
    m_pictures.RemoveAll();
    m_pCurrentPicture = nullptr;
}

void CMailPreviewDocument::SetScalePercent(const int& percent) {
    if (!m_pTemplate || percent == m_nScalePercent)
        return;
    m_nScalePercent = percent;
    DeleteContents();
    IPrintMainWnd* mainWnd = GetPrintMainWnd();
    m_pictures.AddTail(mainWnd ? mainWnd->RenderPagePictureScaled(percent) : nullptr);
    POSITION pos = m_pictures.GetHeadPosition();
    for (int index = 0; pos != nullptr && index < m_nCurrentPage; ++index)
        m_pictures.GetNext(pos);
    SetCurrentPicture(pos ? m_pictures.GetAt(pos) : nullptr);
}

void CMailPreviewDocument::SetCurrentPage(const int& index) {
    if (index == m_nCurrentPage || index >= GetPageCount())
        return;
    m_nCurrentPage = index;
    POSITION pos = m_pictures.GetHeadPosition();
    for (int at = 0; pos != nullptr && at < index; ++at)
        m_pictures.GetNext(pos);
    SetCurrentPicture(pos ? m_pictures.GetAt(pos) : nullptr);
    for (POSITION view = GetFirstViewPosition(); view != nullptr;) {
        auto* preview = dynamic_cast<CMailPreviewView*>(GetNextView(view));
        if (CFrameWnd* frame = preview ? preview->GetParentFrame() : nullptr)
            frame->SendMessage(WM_MAILPREVIEW_PAGES, static_cast<WPARAM>(index), GetPageCount());
    }
}

int CMailPreviewDocument::GetPageCount() const {
    return kPageCount;
}

void CMailPreviewDocument::SetCurrentPicture(CPictureInfo* picture) {
    m_pCurrentPicture = picture;
    POSITION pos = GetFirstViewPosition();
    if (pos != nullptr && dynamic_cast<CMailPreviewView*>(GetNextView(pos)))
        RefreshPreview();
}

void CMailPreviewDocument::RefreshPreview() {
    if (RenderPreview())
        UpdateAllViews(nullptr, 0, nullptr);
}

bool CMailPreviewDocument::RenderPreview() {
    CWaitCursor wait;
    POSITION pos = GetFirstViewPosition();
    CView* view = pos != nullptr ? GetNextView(pos) : nullptr;
    if (!m_pCurrentPicture || !dynamic_cast<CMailPreviewView*>(view))
        return false;
    CDC* viewDC = view->GetDC();
    if (!viewDC) {
        AppServices().MessageBox(kNoPreviewId);
        return false;
    }
    FreePreview();
    m_pictureSize = CSize(m_pCurrentPicture->GetWidth(), m_pCurrentPicture->GetHeight());
    m_previewSize = CSize(PreviewSide(m_nZoom, m_pictureSize.cx), PreviewSide(m_nZoom, m_pictureSize.cy));
    if (m_previewSize.cx <= 0 || m_previewSize.cy <= 0) {
        view->ReleaseDC(viewDC);
        AppServices().MessageBox(kNoPreviewId);
        return false;
    }
    auto* memoryDC = new CDC;
    if (!memoryDC->CreateCompatibleDC(viewDC)) {
        view->ReleaseDC(viewDC);
        delete memoryDC;
        return false;
    }
    auto* bitmap = new CBitmap;
    const BOOL made = bitmap->CreateCompatibleBitmap(viewDC, m_previewSize.cx, m_previewSize.cy);
    view->ReleaseDC(viewDC);
    CBitmap* previous = made ? memoryDC->SelectObject(bitmap) : nullptr;
    if (!previous) {
        delete bitmap;
        memoryDC->DeleteDC();
        delete memoryDC;
        return false;
    }
    m_pPreviewDC = memoryDC;
    m_pPreviewBitmap = bitmap;
    m_pPreviousBitmap = previous;

    const int magnification = std::min(m_nZoom, 100);
    const int oldMode = m_pPreviewDC->SetMapMode(MM_ISOTROPIC);
    const CSize oldWindowExt = m_pPreviewDC->SetWindowExt(100, 100);
    const CSize oldViewportExt = m_pPreviewDC->SetViewportExt(magnification, magnification);
    const CPoint oldWindowOrg = m_pPreviewDC->SetWindowOrg(0, 0);
    const CPoint oldViewportOrg = m_pPreviewDC->SetViewportOrg(0, 0);
    m_pCurrentPicture->DrawSmooth(m_pPreviewDC, CRect(0, 0, m_pictureSize.cx, m_pictureSize.cy), SRCCOPY);
    m_pPreviewDC->SetViewportOrg(oldViewportOrg);
    m_pPreviewDC->SetWindowOrg(oldWindowOrg);
    m_pPreviewDC->SetViewportExt(oldViewportExt);
    m_pPreviewDC->SetWindowExt(oldWindowExt);
    m_pPreviewDC->SetMapMode(oldMode);
    return true;
}
