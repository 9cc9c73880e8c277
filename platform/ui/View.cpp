// A view's place between its document and its frame: joining the document on creation, painting through
// OnPrepareDC and OnDraw, and leaving the frame and the document when it goes.
#include "platform/ui/View.h"

#include "platform/ui/CreateContext.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/PaintDC.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::~CView() {
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                   UINT id, LPVOID createContext) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, createContext);
}

int CView::OnCreate(LPCREATESTRUCT create) {
    if (CWnd::OnCreate(create) == -1)
        return -1;
    const auto* context = static_cast<const CCreateContext*>(create->lpCreateParams);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy() {
    delete this;
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* /*dc*/) {}

void CView::OnUpdate(CView* /*sender*/, LPARAM /*hint*/, CObject* /*hintObject*/) {
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL activate, CView* activeView, CView* /*deactiveView*/) {
    if (activate && activeView == this && GetFocus() != this && !IsChild(GetFocus()))
        SetFocus();
}

DROPEFFECT CView::OnDragEnter(COleDataObject* /*data*/, DWORD /*keyState*/, CPoint /*point*/) {
    return DROPEFFECT_NONE;
}

DROPEFFECT CView::OnDragOver(COleDataObject* /*data*/, DWORD /*keyState*/, CPoint /*point*/) {
    return DROPEFFECT_NONE;
}

void CView::OnDragLeave() {}

BOOL CView::OnDrop(COleDataObject* /*data*/, DROPEFFECT /*effect*/, CPoint /*point*/) {
    return FALSE;
}
