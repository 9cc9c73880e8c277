// The object view's own drag of entries onto an album in the tree (a mouse capture with a drag image),
// and drops of picture files from the desktop.

#include "library/DSAlbum.h"
#include "library/DSObj.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/AppServices.h"
#include "platform/base/Resource.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ImageList.h"
#include "resmanager/DroppedFiles.h"
#include "resmanager/ObjectsView.h"
#include "resmanager/RefusedEntry.h"
#include "resmanager/ResManagerMessages.h"

namespace {

constexpr UINT kRefusedCursorId = 148;
constexpr UINT kMoveCursorId = 149;
constexpr UINT kCopyCursorId = 717;
constexpr UINT kAlbumCountTextId = 62057;
constexpr UINT kEntryCountTextId = 62056;

void ShowCursor(UINT id) {
    SetCursor(LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(id)));
}

bool IsControlDown() {
    return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
}

LPARAM ScreenPointParam(CPoint point) {
    return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
}

} // namespace

LRESULT CObjectsView::OnBeginDrag(const NMLISTVIEW& start) {
    if (m_bDragBlocked)
        return 1;
    if (!GetShownAlbum() || start.iItem == -1)
        return 0;
    CListCtrl& list = GetListCtrl();
    const UINT selected = list.GetSelectedCount();
    if (selected == 0)
        return 0;
    if (selected == 1) {
        CPoint origin;
        m_pDragImage.reset(list.CreateDragImage(list.GetNextItem(-1, LVNI_SELECTED), &origin));
        if (m_pDragImage) {
            CImageList::DragShowNolock(TRUE);
            m_pDragImage->SetDragCursorImage(0, CPoint(0, 0));
            m_pDragImage->BeginDrag(0, CPoint(0, 0));
            CPoint screen(start.ptAction);
            ClientToScreen(&screen);
            CImageList::DragEnter(nullptr, screen);
        }
    }
    ShowCursor(kRefusedCursorId);
    SetCapture();
    SetFocus();
    m_bDragging = 1;
    return 0;
}

bool CObjectsView::IsValidDragTarget(CDSAlbum* target) const {
    CDSAlbum* shown = GetShownAlbum();
    CDSObjMgr* manager = GetDSObjMgr();
    if (!target || !shown || !manager || target == shown)
        return false;
    CResType* targetKind = manager->GetResTypeOfAlbum(target);
    CResType* shownKind = manager->GetResTypeOfAlbum(shown);
    return targetKind && targetKind->IsSameType(shownKind) && !targetKind->IsSecondaryAlbum(target);
}

void CObjectsView::ShowDragFeedback(CPoint screenPoint, bool copy) {
    auto* target = reinterpret_cast<CDSAlbum*>(Notify(WM_RM_TREEDRAGOVER, ScreenPointParam(screenPoint),
                                                      reinterpret_cast<LPARAM>(m_pDragImage.get())));
    if (!IsValidDragTarget(target))
        ShowCursor(kRefusedCursorId);
    else
        ShowCursor(copy ? kCopyCursorId : kMoveCursorId);
}

void CObjectsView::OnMouseMove(UINT flags, CPoint point) {
    if (m_bDragging) {
        CPoint screen = point;
        ClientToScreen(&screen);
        if (GetListCtrl().GetSelectedCount() == 0)
            return;
        if (m_pDragImage)
            CImageList::DragMove(screen);
        ShowDragFeedback(screen, IsControlDown());
    }
    CListView::OnMouseMove(flags, point);
}

void CObjectsView::OnKeyDown(UINT key, UINT repeatCount, UINT flags) {
    if (m_bDragging && key == VK_CONTROL) {
        CPoint screen;
        GetCursorPos(&screen);
        ShowDragFeedback(screen, true);
    }
    CListView::OnKeyDown(key, repeatCount, flags);
}

void CObjectsView::OnKeyUp(UINT key, UINT repeatCount, UINT flags) {
    if (m_bDragging && key == VK_CONTROL) {
        CPoint screen;
        GetCursorPos(&screen);
        ShowDragFeedback(screen, false);
    }
    CListView::OnKeyUp(key, repeatCount, flags);
}

LRESULT CObjectsView::EndDrag() {
    if (!m_bDragging)
        return RM_E_NOTARGET;
    ReleaseCapture();
    if (m_pDragImage) {
        CImageList::DragLeave(nullptr);
        CImageList::EndDrag();
        m_pDragImage.reset();
    }
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    m_bDragging = 0;
    return 0;
}

void CObjectsView::OnLButtonDown(UINT flags, CPoint point) {
    m_bDragBlocked = 0;
    CListView::OnLButtonDown(flags, point);
}

void CObjectsView::OnRButtonDown(UINT flags, CPoint point) {
    if (m_bDragging) {
        EndDrag();
        return;
    }
    CListView::OnRButtonDown(flags, point);
}

void CObjectsView::OnLButtonUp(UINT flags, CPoint point) {
    if (m_bDragging) {
        EndDrag();
        auto* target = reinterpret_cast<CDSAlbum*>(Notify(WM_RM_TREEDROP));
        if (IsValidDragTarget(target))
            DropOnAlbum(target, IsControlDown());
    }
    CListView::OnLButtonUp(flags, point);
}

void CObjectsView::DropOnAlbum(CDSAlbum* target, bool copyWanted) {
    CDSObjMgr* manager = GetDSObjMgr();
    CDSAlbum* shown = GetShownAlbum();
    const std::vector<int> selected = GetSelectedItems();
    BeginProgress(static_cast<int>(selected.size()));
    std::vector<int> accepted;
    for (int item : selected) {
        CDSObj* entry = EntryOfItem(item);
        CDSObj* clone = entry ? entry->Clone() : nullptr;
        if (clone && target->AddObjects(clone))
            accepted.push_back(item);
        else if (clone)
            ReleaseRefusedEntry(*manager, clone);
        StepProgress();
    }
    EndProgress(1);
    Notify(WM_RM_TREEUPDATEALBUM, 0, reinterpret_cast<LPARAM>(static_cast<CObject*>(target)));
    // Ctrl is read again at the release: held, the entries stay where they are.
    if (copyWanted || accepted.empty())
        return;
    BeginProgress(GetListCtrl().GetItemCount());
    Notify(WM_RM_SHOWDETAILS, MAKELONG(1, kDetailsNothing), 0);
    for (auto it = accepted.rbegin(); it != accepted.rend(); ++it) {
        CDSObj* entry = EntryOfItem(*it);
        if (entry && shown->RemoveObjects(entry))
            RemoveItemWithImage(*it);
        StepProgress();
    }
    GetListCtrl().Update(0);
    EndProgress(1);
}

void CObjectsView::ClearDropHighlight() {
    if (m_nDropIndex != -1)
        GetListCtrl().SetItemState(m_nDropIndex, 0, LVIS_DROPHILITED);
    m_nDropIndex = -1;
}

DROPEFFECT CObjectsView::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) {
    if (CDSAlbum* album = GetShownAlbum())
        return GetWritableKind(album) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    CResType* kind = GetShownKind();
    if (!kind)
        return CListView::OnDragOver(data, keyState, point);
    const int hit = GetListCtrl().HitTest(point);
    if (hit != m_nDropIndex)
        ClearDropHighlight();
    CDSAlbum* album = hit != -1 ? AlbumOfItem(hit) : nullptr;
    if (!album || kind->IsSecondaryAlbum(album))
        return CListView::OnDragOver(data, keyState, point);
    GetListCtrl().SetItemState(hit, LVIS_DROPHILITED, LVIS_DROPHILITED);
    m_nDropIndex = hit;
    return DROPEFFECT_COPY;
}

void CObjectsView::OnDragLeave() {
    ClearDropHighlight();
    CListView::OnDragLeave();
}

BOOL CObjectsView::OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) {
    if (m_pCurrentItem) {
        const std::vector<CString> files = ReadDroppedFiles(data);
        CDSAlbum* target = nullptr;
        CResType* kind = nullptr;
        if (CDSAlbum* shown = GetShownAlbum()) {
            // A built-in album is the shipped library's: nothing is written into it.
            kind = GetWritableKind(shown);
            target = kind ? shown : nullptr;
        } else if ((kind = GetShownKind()) != nullptr) {
            UINT flags = 0;
            const int hit = GetListCtrl().HitTest(point, &flags);
            CDSAlbum* album = hit != -1 && (flags & LVHT_ONITEM) ? AlbumOfItem(hit) : nullptr;
            target = album && !kind->IsSecondaryAlbum(album) ? album : nullptr;
        }
        if (!files.empty() && target) {
            AddFilesToAlbum(target, kind, files);
            ShowCountText(GetShownKind() ? kAlbumCountTextId : kEntryCountTextId, 0);
        }
    }
    ClearDropHighlight();
    return CListView::OnDrop(data, effect, point);
}
