#pragma once
// CObjectsView: the resource manager's thumbnail list above the details. With a resource kind chosen in
// the tree it lists the kind's albums as one album icon each (kind mode); with an album chosen, the
// album's entries as thumbnails (album mode). It carries the commands on albums and entries, its own drag
// of entries onto another album in the tree, and drops of picture files from the desktop. Every item's
// data is its album or entry, which the resource object manager owns.

#include "albums/BrowseThumbnailSettings.h"
#include "platform/ui/CommandMap.h"
#include "platform/ui/ListView.h"
#include "platform/ui/OleDropTarget.h"
#include "resmanager/ResManagerPanes.h"

#include <memory>
#include <vector>

class CCmdUI;
class CDSAlbum;
class CDSObj;
class CImageList;
class CResType;

class CObjectsView : public CListView, public IObjectsOperations {
    DECLARE_DYNCREATE(CObjectsView)
public:
    // Reads the thumbnail layout from the profile.
    CObjectsView();
    ~CObjectsView() override;

    CSize GetThumbSize() const;
    CSize GetSpacing() const;
    // The kind or album shown, or null.
    CObject* GetCurrentItem() const { return m_pCurrentItem; }
    const BrowseThumbnailSettings& GetSettings() const { return m_settings; }
    CImageList* GetThumbnailList() const { return m_pThumbnails.get(); }
    BOOL IsDragging() const { return m_bDragging; }

    LRESULT ShowResType(CResType* kind) override;
    LRESULT ShowAlbum(CDSAlbum* album) override;
    LRESULT UpdateAlbumLabel(CDSAlbum* album) override;
    LRESULT UpdateObjectLabel(CDSObj* entry) override;
    LRESULT SetDragBlocked(BYTE blocked) override;
    LRESULT EndDrag() override;
    void RunCommand(UINT commandId) override;
    BOOL IsEditingLabel() override;
    void CancelLabelEdit() override;

    BOOL PreCreateWindow(CREATESTRUCT& create) override;
    void OnDraw(CDC* dc) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL HasCommandHandler(UINT id) const override;
    BOOL OnUpdateCommandUI(CCmdUI* cmdUI) override;

    DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) override;
    void OnDragLeave() override;
    BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) override;

    // The item order of the kind (albums) or album (entries) passed as sortData.
    static int CompareItems(LPARAM first, LPARAM second, LPARAM sortData);

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnDestroy() override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeatCount, UINT flags) override;
    void OnContextMenu(CWnd* window, CPoint point) override;

private:
    // Frame messages.
    LRESULT Notify(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void BeginProgress(int count) const;
    void EndProgress(int step) const;
    void StepProgress() const;
    // The status text of string 62057 (kind mode) or 62056 (album mode) with the counts.
    void ShowCountText(UINT formatId, int selected) const;
    void ShowCountText(int selected) const;
    void* FrameHandle() const;

    // Modes and items.
    CResType* GetShownKind() const;
    CDSAlbum* GetShownAlbum() const;
    // The album's kind, or null; for an album of the second list also null (no changes there).
    CResType* GetWritableKind(CDSAlbum* album) const;
    std::vector<int> GetSelectedItems() const;
    // Kind mode: the selected albums of the first list; album mode: the selected entries.
    int CountUsableSelected() const;
    CDSAlbum* AlbumOfItem(int item) const;
    CDSObj* EntryOfItem(int item) const;
    int FindItemOfData(const void* data) const;
    // Inserts an entry at the end with its thumbnail; redrawn at once when in view.
    int AppendEntryItem(CDSObj* entry);
    int AppendAlbumItem(CDSAlbum* album);
    // Redraws the item at once when any of it is in view.
    void PaintVisibleItem(int index);
    // Deletes the item and its image; the items showing later images move down one.
    void RemoveItemWithImage(int item);
    void MakeThumbnailList();

    // Notifications.
    LRESULT OnItemChanged(const NMLISTVIEW& change);
    LRESULT OnBeginLabelEdit(const NMLVDISPINFO& info) const;
    LRESULT OnEndLabelEdit(const NMLVDISPINFO& info);
    LRESULT RenameAlbum(CDSAlbum* album, const CString& title);
    LRESULT RenameEntry(CDSObj* entry, const CString& title);
    LRESULT OnBeginDrag(const NMLISTVIEW& start);
    // Loads an album whose index is not open, with the progress; false when it cannot be loaded.
    bool LoadAlbumWithProgress(CDSAlbum* album);
    void ShowAlbumEntries(const CDSAlbum* album);

    // Commands (ObjectsViewCommands.cpp).
    void OnNew();
    void NewAlbum(CResType* kind);
    void AddFilesToAlbum(CDSAlbum* album, CResType* kind, const std::vector<CString>& paths);
    void OnRename();
    void OnDelete();
    void DeleteAlbums(CResType* kind);
    void RemoveEntries(CDSAlbum* album);
    void OnSelectAll();
    void OnDuplicate();
    void OnOpen();
    void MoveSelected(UINT commandId);
    void OnSort(bool ascending);
    void OnSlideShow();
    void OnThumbnailSettings();
    void OnMoveToFront() { MoveSelected(32884); }
    void OnMoveUp() { MoveSelected(32885); }
    void OnMoveDown() { MoveSelected(32886); }
    void OnMoveToBack() { MoveSelected(32887); }
    void OnSortAscending() { OnSort(true); }
    void OnSortDescending() { OnSort(false); }
    void OnUpdateNeedsItem(CCmdUI* cmdUI);
    void OnUpdateNeedsSelection(CCmdUI* cmdUI);

    // The own drag (ObjectsViewDrag.cpp).
    // The cursor for the album under a screen point, asking the tree to follow.
    void ShowDragFeedback(CPoint screenPoint, bool copy);
    bool IsValidDragTarget(CDSAlbum* target) const;
    void DropOnAlbum(CDSAlbum* target, bool copy);
    void ClearDropHighlight();

    static const CommandEntry<CObjectsView> kCommands[];
    static const UpdateEntry<CObjectsView> kUpdates[];

    BrowseThumbnailSettings m_settings;
    int m_nDropIndex = -1;
    COleDropTarget m_dropTarget;
    CObject* m_pCurrentItem = nullptr;
    std::unique_ptr<CImageList> m_pAlbumIcons;
    std::unique_ptr<CImageList> m_pThumbnails;
    std::unique_ptr<CImageList> m_pDragImage;
    BYTE m_bDragging = 0;
    BYTE m_bDragBlocked = 0;
};
