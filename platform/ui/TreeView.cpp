// The tree view: a view whose own window is a tree control, painted and driven by the control's class.
#include "platform/ui/TreeView.h"

IMPLEMENT_DYNCREATE(CTreeView, CView)

CTreeView::~CTreeView() {
    m_tree.m_hWnd = nullptr;
}

BOOL CTreeView::PreCreateWindow(CREATESTRUCT& create) {
    create.lpszClass = WC_TREEVIEW;
    return CView::PreCreateWindow(create);
}

int CTreeView::OnCreate(LPCREATESTRUCT create) {
    if (CView::OnCreate(create) == -1)
        return -1;
    m_tree.m_hWnd = m_hWnd;
    return 0;
}

void CTreeView::OnNcDestroy() {
    m_tree.m_hWnd = nullptr;
    CView::OnNcDestroy();
}

void CTreeView::OnPaint() {
    Default();
}

void CTreeView::OnDraw(CDC* /*dc*/) {}
