// The frame's bars in their order of creation, its panes, its list of kinds, and its private messages.

#include "resmanager/ResManagerWnd.h"

#include "library/ResType.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/TreeView.h"
#include "resmanager/AlbumsView.h"
#include "resmanager/ObjectsView.h"
#include "resmanager/ResManagerMediator.h"
#include "resmanager/ResManagerMessages.h"
#include "resmanager/ResManagerSplitterView.h"

IMPLEMENT_DYNCREATE(CResManagerWnd, CFrameWnd)

namespace {

constexpr UINT kMainToolBarId = 704;
constexpr UINT kAcceleratorsId = 704;
constexpr int kFirstRowHeight = 100;
constexpr DWORD kToolBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

CRuntimeClass* g_albumsViewClass = nullptr;

CRuntimeClass* AlbumsViewClass() {
    if (g_albumsViewClass)
        return g_albumsViewClass;
    return RUNTIME_CLASS(CAlbumsView);
}

} // namespace

void CResManagerWnd::SetAlbumsViewClass(CRuntimeClass* viewClass) {
    g_albumsViewClass = viewClass;
}

CResManagerWnd::CResManagerWnd() = default;

CResManagerWnd::~CResManagerWnd() {
    for (POSITION pos = m_resTypes.GetHeadPosition(); pos != nullptr;)
        m_resTypes.GetNext(pos)->Release();
}

int CResManagerWnd::OnCreate(LPCREATESTRUCT create) {
    if (CFrameWnd::OnCreate(create) == -1)
        return -1;
    if (!m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR))
        return -1;
    if (!m_mainToolBar.CreateEx(this, TBSTYLE_FLAT, kToolBarStyle, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_mainToolBar.LoadToolBar(kMainToolBarId))
        return -1;
    if (!m_sortToolBar.CreateSortBar(this, kToolBarStyle, AFX_IDW_TOOLBAR))
        return -1;
    LoadAccelTable(MAKEINTRESOURCE(kAcceleratorsId));
    if (auto* albums = GetAlbumsView())
        SetActiveView(albums, FALSE);
    return 0;
}

BOOL CResManagerWnd::OnCreateClient(LPCREATESTRUCT create, CCreateContext* context) {
    if (!m_splitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    const int firstColumn = static_cast<int>(create->cx / 3.0 + 0.5);
    if (!m_splitter.CreateView(0, 0, AlbumsViewClass(), CSize(firstColumn, kFirstRowHeight), context) ||
        !m_splitter.CreateView(0, 1, RUNTIME_CLASS(CResManagerSplitterView),
                               CSize(create->cx - firstColumn, kFirstRowHeight), context)) {
        m_splitter.DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

CView* CResManagerWnd::GetAlbumsView() const {
    if (!m_splitter.GetSafeHwnd())
        return nullptr;
    return dynamic_cast<CView*>(m_splitter.GetPane(0, 0));
}

CSplitterWnd* CResManagerWnd::GetInnerSplitter() const {
    if (!m_splitter.GetSafeHwnd())
        return nullptr;
    auto* right = dynamic_cast<CResManagerSplitterView*>(m_splitter.GetPane(0, 1));
    return right && right->GetSplitter().GetSafeHwnd() ? &right->GetSplitter() : nullptr;
}

CObjectsView* CResManagerWnd::GetObjectsView() const {
    CSplitterWnd* inner = GetInnerSplitter();
    return inner ? dynamic_cast<CObjectsView*>(inner->GetPane(0, 0)) : nullptr;
}

CView* CResManagerWnd::GetDetailsView() const {
    CSplitterWnd* inner = GetInnerSplitter();
    return inner ? dynamic_cast<CView*>(inner->GetPane(1, 0)) : nullptr;
}

IAlbumTreeOperations* CResManagerWnd::GetAlbumTree() {
    return dynamic_cast<IAlbumTreeOperations*>(GetAlbumsView());
}

IObjectsOperations* CResManagerWnd::GetObjects() {
    return GetObjectsView();
}

IDetailsOperations* CResManagerWnd::GetDetails() {
    return dynamic_cast<IDetailsOperations*>(GetDetailsView());
}

IResManagerStatus* CResManagerWnd::GetStatus() {
    return m_statusBar.GetSafeHwnd() ? &m_statusBar : nullptr;
}

ISortChoiceBox* CResManagerWnd::GetSortBox() {
    return m_sortToolBar.GetSortBox().GetSafeHwnd() ? &m_sortToolBar : nullptr;
}

POSITION CResManagerWnd::FindResType(CResType* kind) const {
    for (POSITION pos = m_resTypes.GetHeadPosition(); pos != nullptr;) {
        const POSITION here = pos;
        if (m_resTypes.GetNext(pos)->IsSameType(kind))
            return here;
    }
    return nullptr;
}

POSITION CResManagerWnd::AddResType(CResType* kind) {
    if (POSITION listed = FindResType(kind))
        return listed;
    const POSITION added = m_resTypes.AddTail(kind->AddRef());
    if (IAlbumTreeOperations* tree = GetAlbumTree())
        tree->AddResTypeNode(kind);
    return added;
}

BOOL CResManagerWnd::CanClose() {
    BOOL answer = TRUE;
    if (IAlbumTreeOperations* tree = GetAlbumTree(); tree && tree->IsEditingLabel()) {
        tree->CancelLabelEdit();
        answer = FALSE;
    }
    if (IObjectsOperations* objects = GetObjects(); objects && objects->IsEditingLabel()) {
        objects->CancelLabelEdit();
        answer = FALSE;
    }
    if (answer)
        SendMessage(WM_RM_SHOWDETAILS, MAKELONG(0, kDetailsNothing), 0);
    return answer;
}

BOOL CResManagerWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    bool handled = false;
    const LRESULT answer = RouteResManagerMessage(*this, message, wParam, lParam, handled);
    if (!handled)
        return CFrameWnd::OnWndMsg(message, wParam, lParam, result);
    if (result)
        *result = answer;
    return TRUE;
}
