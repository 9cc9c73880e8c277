#pragma once
// CView: a window that shows a document inside a frame. It paints through OnPrepareDC and OnDraw, hears of
// document changes through OnUpdate, and takes drops of other programs through its OnDrag.../OnDrop
// handlers once a COleDropTarget is registered for it. A click in a view makes it its frame's active
// view. Views are created by their frame or splitter and delete themselves when their window is gone.

#include "platform/ui/OleDropTarget.h"
#include "platform/ui/Wnd.h"

class CDocument;
struct CCreateContext;

class CView : public CWnd, public IDropTargetWindow {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    // Leaves the document, which may delete itself then.
    ~CView() override;

    // createContext: a CCreateContext whose document the view joins, or null.
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                LPVOID createContext = nullptr) override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Draws the document; dc is prepared by OnPrepareDC.
    virtual void OnDraw(CDC* dc) = 0;
    // Sets the context's mapping for painting; the base does nothing.
    virtual void OnPrepareDC(CDC* dc);
    // The document changed (UpdateAllViews); the base repaints the whole view.
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    // The frame made the view active or took that from it; the base gives an activated view the focus.
    virtual void OnActivateView(BOOL activate, CView* activeView, CView* deactiveView);

    // Drops of other programs; the base refuses them.
    DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) override;
    void OnDragLeave() override;
    BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) override;

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnDestroy() override;
    void OnPaint() override;
    // The view deletes itself.
    void PostNcDestroy() override;

    CDocument* m_pDocument = nullptr;

private:
    friend class CDocument;
};
