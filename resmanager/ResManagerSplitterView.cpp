// The inner splitter, made with the views' creation context, and its rows on every size change.

#include "resmanager/ResManagerSplitterView.h"

#include "platform/ui/CreateContext.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ListView.h"
#include "platform/ui/View.h"
#include "resmanager/ObjectsView.h"
#include "resmanager/ResManagerDetailsView.h"
#include "resmanager/ResManagerMessages.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CResManagerSplitterView, CView)

namespace {

constexpr int kMinUpperRow = 100;

} // namespace

void CResManagerSplitterView::OnDraw(CDC*) {}

int CResManagerSplitterView::OnCreate(LPCREATESTRUCT create) {
    if (CView::OnCreate(create) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(create->lpCreateParams);
    if (!m_splitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return -1;
    if (!m_splitter.CreateView(0, 0, RUNTIME_CLASS(CObjectsView), CSize(0, 0), context) ||
        !m_splitter.CreateView(1, 0, RUNTIME_CLASS(CResManagerDetailsView), CSize(0, 0), context))
        return -1;
    return 0;
}

void CResManagerSplitterView::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    if (!m_splitter.GetSafeHwnd())
        return;
    m_splitter.MoveWindow(0, 0, cx, cy, TRUE);
    m_splitter.SetRowInfo(0, std::max(cy * 3 / 4, kMinUpperRow), kMinUpperRow);
    m_splitter.RecalcLayout();
}

// The sort and settings commands belong to the object view.
BOOL CResManagerSplitterView::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(static_cast<DWORD>(wParam));
    CFrameWnd* frame = GetParentFrame();
    UINT relay = 0;
    if (id == ID_RM_SORTASCENDING)
        relay = WM_RM_RELAY32890;
    else if (id == ID_RM_SORTDESCENDING)
        relay = WM_RM_RELAY32889;
    else if (id == ID_RM_THUMBSETTINGS)
        relay = WM_RM_RELAY32896;
    if (relay == 0 || !frame)
        return CView::OnCommand(wParam, lParam);
    frame->SendMessage(relay, 0, 0);
    return TRUE;
}

BOOL CResManagerSplitterView::HasCommandHandler(UINT id) const {
    return id == ID_RM_SORTASCENDING || id == ID_RM_SORTDESCENDING || id == ID_RM_THUMBSETTINGS;
}
