#pragma once
// CResManagerWnd: the resource manager's frame inside its property page: the main tool bar, the sort bar
// with its sort box, the status bar, and an outer splitter with the album tree on the left and the object
// and details views on the right. The views never call each other: each sends its private messages here,
// and the frame passes them to the view that owns the operation (ResManagerMediator).

#include "platform/base/Lists.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/SplitterWnd.h"
#include "platform/ui/ToolBar.h"
#include "resmanager/ResManagerPanes.h"
#include "resmanager/ResManagerSortToolBar.h"
#include "resmanager/ResManagerStatusBar.h"

class CObjectsView;
class CResType;

class CResManagerWnd : public CFrameWnd, public IResManagerPanes {
    DECLARE_DYNCREATE(CResManagerWnd)
public:
    CResManagerWnd();
    ~CResManagerWnd() override;

    // The three panes, each checked by class; null when missing.
    CView* GetAlbumsView() const;
    CObjectsView* GetObjectsView() const;
    CView* GetDetailsView() const;

    // The position of the listed kind with the same type id, or null.
    POSITION FindResType(CResType* kind) const;
    // Lists the kind once (holding a reference) and has the tree add its node; its position.
    POSITION AddResType(CResType* kind);
    const CList<CResType*, CResType*>& GetResTypes() const { return m_resTypes; }
    // Whether the manager may close: an open label edit is cancelled first and keeps it open; otherwise
    // the details view stores its edits.
    BOOL CanClose();

    IAlbumTreeOperations* GetAlbumTree() override;
    IObjectsOperations* GetObjects() override;
    IDetailsOperations* GetDetails() override;
    IResManagerStatus* GetStatus() override;
    ISortChoiceBox* GetSortBox() override;

    CToolBar& GetMainToolBar() { return m_mainToolBar; }
    CResManagerSortToolBar& GetSortToolBar() { return m_sortToolBar; }
    CResManagerStatusBar& GetStatusBar() { return m_statusBar; }
    CSplitterWnd& GetSplitter() { return m_splitter; }

    BOOL OnCreateClient(LPCREATESTRUCT create, CCreateContext* context) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The album tree's run-time class, found by name, so that the tree's own unit stays apart; a plain
    // tree without it. Tests put a tree of their own in its place (null goes back).
    static constexpr char kAlbumsViewClass[] = "CAlbumsView";
    static void SetAlbumsViewClass(CRuntimeClass* viewClass);

protected:
    int OnCreate(LPCREATESTRUCT create) override;

private:
    CSplitterWnd* GetInnerSplitter() const;

    CToolBar m_mainToolBar;
    CResManagerSortToolBar m_sortToolBar;
    CResManagerStatusBar m_statusBar;
    CList<CResType*, CResType*> m_resTypes{10};
    CSplitterWnd m_splitter;
};
