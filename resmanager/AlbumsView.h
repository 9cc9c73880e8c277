#pragma once
// CAlbumsView: the resource manager's left pane, a tree of the resource kinds with the albums of each
// kind's first list below them, in red. Selecting a node has the object view list it; the user renames,
// deletes and copies albums here and drops picture files from the desktop onto an album; the object view
// drops its dragged entries onto an album through the frame.

#include "platform/ui/OleDropTarget.h"
#include "platform/ui/TreeView.h"
#include "resmanager/ResManagerPanes.h"

#include <memory>

class CDSAlbum;
class CImageList;
class CResType;

class CAlbumsView : public CTreeView, public IAlbumTreeOperations {
    DECLARE_DYNCREATE(CAlbumsView)
public:
    CAlbumsView();
    ~CAlbumsView() override;

    LRESULT AddResTypeNode(CResType* kind) override;
    LRESULT SelectAlbumNode(CDSAlbum* album) override;
    LRESULT UpdateAlbumNode(CDSAlbum* album) override;
    LRESULT DeleteAlbumNode(CDSAlbum* album) override;
    CDSAlbum* DragOverAlbum(CPoint screenPoint, CImageList* dragImage) override;
    CDSAlbum* TakeDropAlbum() override;
    LRESULT SortAlbumNodes(CResType* kind) override;
    BOOL IsEditingLabel() override;
    void CancelLabelEdit() override;

    BOOL PreCreateWindow(CREATESTRUCT& create) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL HasCommandHandler(UINT id) const override;
    BOOL OnUpdateCommandUI(CCmdUI* cmdUI) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Desktop drops: picture files onto an album of a kind's first list.
    // The enter step answers as a move does: the desktop sends no moves to a window that refused it.
    DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) override;
    void OnDragLeave() override;
    BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) override;

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnDestroy() override;
    void OnContextMenu(CWnd* window, CPoint point) override;

private:
    // The node's data as a kind or an album, null for another node.
    CResType* KindOf(HTREEITEM node) const;
    CDSAlbum* AlbumOf(HTREEITEM node) const;
    // The selected node when it is an album of a kind's first list, with its kind; null otherwise.
    HTREEITEM SelectedUserAlbum(CResType** kind, CDSAlbum** album) const;
    // The selected node when it is a kind node; null with the refusal in *refusal otherwise.
    HTREEITEM SelectedKindNode(LRESULT* refusal) const;
    HTREEITEM FindChild(HTREEITEM parent, const CDSAlbum* album) const;
    HTREEITEM InsertAlbumNode(HTREEITEM kindNode, CDSAlbum* album);
    // Highlights the album under a client point; the album, or null.
    CDSAlbum* HighlightAlbumAt(CPoint point, CImageList* dragImage);
    void ClearDropHighlight();

    void OnSelChanged(const NMTREEVIEW* change);
    BOOL OnBeginLabelEdit(const NMTVDISPINFO* info);
    BOOL OnEndLabelEdit(const NMTVDISPINFO* info);
    LRESULT OnCustomDraw(NMTVCUSTOMDRAW* draw) const;

    void OnNewItem();
    void OnRename();
    void OnDeleteAlbum();
    void OnCopyAlbum();
    void OnEndEdit();
    // Sends Return or Escape to an open label editor, which ends the edit soon after.
    void SendKeyToEditor(UINT key);

    COleDropTarget m_dropTarget;
    std::unique_ptr<CImageList> m_pImageList;
    HTREEITEM m_hDropItem = nullptr;
};
