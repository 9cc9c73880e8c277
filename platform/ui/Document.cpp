// A document's list of views, and its end with the last of them.
#include "platform/ui/Document.h"

#include "platform/ui/View.h"

IMPLEMENT_DYNAMIC(CDocument, CObject)

CDocument::~CDocument() {
    // Views that outlive their document must not reach back into it.
    for (POSITION position = m_viewList.GetHeadPosition(); position;)
        m_viewList.GetNext(position)->m_pDocument = nullptr;
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    return TRUE;
}

void CDocument::AddView(CView* view) {
    if (!view || m_viewList.Find(view))
        return;
    m_viewList.AddTail(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
    const POSITION position = view ? m_viewList.Find(view) : nullptr;
    if (!position)
        return;
    m_viewList.RemoveAt(position);
    view->m_pDocument = nullptr;
    OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const {
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& position) const {
    return m_viewList.GetNext(position);
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
    for (POSITION position = m_viewList.GetHeadPosition(); position;) {
        CView* view = m_viewList.GetNext(position);
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
    }
}

void CDocument::OnChangedViewList() {
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        DeleteContents();
        delete this;
    }
}
