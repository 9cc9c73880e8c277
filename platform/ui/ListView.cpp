// The list view: a view whose own window is a list control, painted and driven by the control's class.
#include "platform/ui/ListView.h"

IMPLEMENT_DYNCREATE(CListView, CView)

CListView::~CListView() {
    m_list.m_hWnd = nullptr;
}

BOOL CListView::PreCreateWindow(CREATESTRUCT& create) {
    create.lpszClass = WC_LISTVIEW;
    return CView::PreCreateWindow(create);
}

int CListView::OnCreate(LPCREATESTRUCT create) {
    if (CView::OnCreate(create) == -1)
        return -1;
    m_list.m_hWnd = m_hWnd;
    return 0;
}

void CListView::OnNcDestroy() {
    m_list.m_hWnd = nullptr;
    CView::OnNcDestroy();
}

void CListView::OnPaint() {
    Default();
}

void CListView::OnDraw(CDC* /*dc*/) {}
