// The preview frame: its bar and view, the zoom codes of the zoom box, and the page commands' states.

#include "output/MailPreviewWndFrame.h"

#include "output/MailPreviewDocument.h"
#include "output/MailPreviewMessages.h"
#include "output/MailPreviewView.h"
#include "platform/ui/CmdUI.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CMailPreviewWndFrame, CFrameWnd)

namespace {

constexpr UINT kPageCommands[] = {32931, 32932, 32934, 32935};
constexpr int kMinMargin = 10;

} // namespace

int CMailPreviewWndFrame::OnCreate(LPCREATESTRUCT create) {
    if (CFrameWnd::OnCreate(create) == -1)
        return -1;
    return m_toolBar.CreatePreviewBar(this) ? 0 : -1;
}

BOOL CMailPreviewWndFrame::OnCreateClient(LPCREATESTRUCT /*create*/, CCreateContext* context) {
    m_pView = dynamic_cast<CMailPreviewView*>(CreateView(context, AFX_IDW_PANE_FIRST));
    if (m_pView)
        SetActiveView(m_pView, FALSE);
    return TRUE;
}

CMailPreviewView* CMailPreviewWndFrame::GetPreviewView() const {
    return m_pView && m_pView->GetSafeHwnd() ? m_pView : nullptr;
}

LRESULT CMailPreviewWndFrame::OnZoom(LPARAM code) {
    CMailPreviewView* view = GetPreviewView();
    CMailPreviewDocument* document = view ? view->GetPreviewDocument() : nullptr;
    if (code == 0 || !document)
        return -1;
    int zoom = static_cast<int>(code);
    if (code == kZoomOriginal) {
        zoom = 100;
    } else if (code == kZoomFit) {
        const CSize picture = document->GetPictureSize();
        // Nothing to fit without a picture.
        if (picture.cx <= 0 || picture.cy <= 0)
            return -1;
        const CRect client = view->GetClientRectWithoutBars();
        const double across = static_cast<double>(client.Width() - 2 * kMinMargin) / picture.cx;
        const double down = static_cast<double>(client.Height() - 2 * kMinMargin) / picture.cy;
        zoom = static_cast<int>(std::min(across, down) * 100.0);
    }
    if (zoom <= 0)
        return -1;
    document->SetZoom(zoom);
    document->RefreshPreview();
    return 0;
}

void CMailPreviewWndFrame::OnPages(int index, int count) {
    const bool several = count > 1;
    m_pageCommands[0] = m_pageCommands[1] = several && index != 0;
    m_pageCommands[2] = m_pageCommands[3] = several && index != count - 1;
    UpdateCommandUI();
}

BOOL CMailPreviewWndFrame::OnUpdateCommandUI(CCmdUI* cmdUI) {
    for (int i = 0; i < 4; ++i) {
        if (cmdUI->m_nID == kPageCommands[i]) {
            cmdUI->Enable(m_pageCommands[i]);
            return TRUE;
        }
    }
    return CFrameWnd::OnUpdateCommandUI(cmdUI);
}

BOOL CMailPreviewWndFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_MAILPREVIEW_ZOOM) {
        const LRESULT answer = OnZoom(lParam);
        if (result)
            *result = answer;
        return TRUE;
    }
    if (message == WM_MAILPREVIEW_PAGES) {
        OnPages(static_cast<int>(wParam), static_cast<int>(lParam));
        if (result)
            *result = 0;
        return TRUE;
    }
    return CFrameWnd::OnWndMsg(message, wParam, lParam, result);
}
