#pragma once
// CDocument: the data that one or more views show. A view adds itself when it is created with the
// document in its creation context and removes itself when it goes; the document deletes itself with its
// last view (m_bAutoDelete).

#include "platform/base/List.h"
#include "platform/base/Object.h"
#include "platform/base/WinTypes.h"

class CView;

class CDocument : public CObject {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // A new, empty document: DeleteContents, then TRUE.
    virtual BOOL OnNewDocument();
    // Frees what the document holds; the base holds nothing.
    virtual void DeleteContents() {}

    void AddView(CView* view);
    void RemoveView(CView* view);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& position) const;
    // OnUpdate of every view but the sender.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
    // After a view came or went: with no view left and m_bAutoDelete set, the document deletes itself.
    virtual void OnChangedViewList();

    BOOL m_bAutoDelete = TRUE;

private:
    CList<CView*, CView*> m_viewList;
};
