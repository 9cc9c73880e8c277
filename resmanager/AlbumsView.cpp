// Node data belongs to the object manager: a kind node holds its CResType, an album node its CDSAlbum.
// The view tells them apart by class. Albums of a kind's second list (the built-in ones) are never shown
// here, and nothing here writes into them.

#include "resmanager/AlbumsView.h"

#include "library/DSAlbum.h"
#include "library/DSObj.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/AppServices.h"
#include "platform/ui/ImageList.h"
#include "resmanager/DroppedFiles.h"
#include "resmanager/FrameMessage.h"
#include "resmanager/RefusedEntry.h"
#include "resmanager/ResManagerMessages.h"

#include <vector>

IMPLEMENT_DYNCREATE(CAlbumsView, CTreeView)

namespace {

// Kinds that the tree leaves out.
constexpr int kHiddenTypeIds[] = {9, 13};
constexpr int kNodeImage = 0;
constexpr int kSelectedNodeImage = 1;
constexpr int kImageSize = 16;
constexpr COLORREF kImageMask = RGB(255, 0, 255);
constexpr COLORREF kItemText = RGB(255, 0, 0);

constexpr UINT kTitleRefused = 62058;
constexpr UINT kDroppedEntryTitle = 62053;

template <typename T>
T* DataAs(DWORD_PTR data) {
    return dynamic_cast<T*>(reinterpret_cast<CObject*>(data));
}

bool IsUserAlbum(const CResType* kind, const CDSAlbum* album) {
    return kind && album && !kind->IsSecondaryAlbum(album);
}

} // namespace

CAlbumsView::CAlbumsView() = default;

CAlbumsView::~CAlbumsView() = default;

BOOL CAlbumsView::PreCreateWindow(CREATESTRUCT& create) {
    create.style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_DISABLEDRAGDROP |
                    TVS_SHOWSELALWAYS;
    return CTreeView::PreCreateWindow(create);
}

int CAlbumsView::OnCreate(LPCREATESTRUCT create) {
    if (CTreeView::OnCreate(create) == -1)
        return -1;
    m_pImageList = std::make_unique<CImageList>();
    if (!m_pImageList->Create("res_manager_tree", kImageSize, 1, kImageMask))
        m_pImageList.reset();
    GetTreeCtrl().SetImageList(m_pImageList.get(), TVSIL_NORMAL);
    m_dropTarget.Register(this);
    return 0;
}

void CAlbumsView::OnDestroy() {
    CTreeView::OnDestroy();
    GetTreeCtrl().SetImageList(nullptr, TVSIL_NORMAL);
    m_pImageList.reset();
}

CResType* CAlbumsView::KindOf(HTREEITEM node) const {
    return node ? DataAs<CResType>(GetTreeCtrl().GetItemData(node)) : nullptr;
}

CDSAlbum* CAlbumsView::AlbumOf(HTREEITEM node) const {
    return node ? DataAs<CDSAlbum>(GetTreeCtrl().GetItemData(node)) : nullptr;
}

HTREEITEM CAlbumsView::SelectedUserAlbum(CResType** kind, CDSAlbum** album) const {
    const CTreeCtrl& tree = GetTreeCtrl();
    const HTREEITEM node = tree.GetSelectedItem();
    const HTREEITEM parent = node ? tree.GetParentItem(node) : nullptr;
    *kind = KindOf(parent);
    *album = AlbumOf(node);
    return IsUserAlbum(*kind, *album) ? node : nullptr;
}

HTREEITEM CAlbumsView::SelectedKindNode(LRESULT* refusal) const {
    const CTreeCtrl& tree = GetTreeCtrl();
    const HTREEITEM node = tree.GetSelectedItem();
    if (!node) {
        *refusal = RM_E_NOSELECTION;
        return nullptr;
    }
    if (tree.GetParentItem(node)) {
        *refusal = RM_E_NOTAKIND;
        return nullptr;
    }
    return node;
}

HTREEITEM CAlbumsView::FindChild(HTREEITEM parent, const CDSAlbum* album) const {
    const CTreeCtrl& tree = GetTreeCtrl();
    for (HTREEITEM child = tree.GetChildItem(parent); child; child = tree.GetNextSiblingItem(child))
        if (reinterpret_cast<const CDSAlbum*>(tree.GetItemData(child)) == album)
            return child;
    return nullptr;
}

HTREEITEM CAlbumsView::InsertAlbumNode(HTREEITEM kindNode, CDSAlbum* album) {
    return GetTreeCtrl().InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM,
                                    album->GetTitle(), kNodeImage, kSelectedNodeImage, 0, 0,
                                    reinterpret_cast<LPARAM>(album), kindNode, TVI_LAST);
}

LRESULT CAlbumsView::AddResTypeNode(CResType* kind) {
    if (!kind)
        return RM_E_NULLARG;
    for (const int hidden : kHiddenTypeIds)
        if (kind->GetTypeId() == hidden)
            return 0;
    CTreeCtrl& tree = GetTreeCtrl();
    TVINSERTSTRUCT insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    CString name = kind->GetName();
    insert.item.pszText = name.GetBuffer();
    insert.item.iImage = kNodeImage;
    insert.item.iSelectedImage = kSelectedNodeImage;
    insert.item.cChildren = 1;
    insert.item.lParam = reinterpret_cast<LPARAM>(kind);
    const HTREEITEM kindNode = tree.InsertItem(&insert);
    name.ReleaseBuffer();
    if (!kindNode)
        return RM_E_INSERTFAILED;
    CTypedPtrList<CObList, CDSAlbum*>& albums = kind->GetAlbumList(false);
    for (POSITION position = albums.GetHeadPosition(); position;)
        InsertAlbumNode(kindNode, albums.GetNext(position));
    if (!tree.GetSelectedItem())
        tree.SelectItem(kindNode);
    return 0;
}

LRESULT CAlbumsView::SelectAlbumNode(CDSAlbum* album) {
    if (!album)
        return RM_E_NULLARG;
    LRESULT refusal = 0;
    const HTREEITEM kindNode = SelectedKindNode(&refusal);
    if (!kindNode)
        return refusal;
    if (const HTREEITEM child = FindChild(kindNode, album)) {
        GetTreeCtrl().Expand(kindNode, TVE_EXPAND);
        GetTreeCtrl().SelectItem(child);
    }
    return 0;
}

LRESULT CAlbumsView::UpdateAlbumNode(CDSAlbum* album) {
    if (!album)
        return RM_E_NULLARG;
    LRESULT refusal = 0;
    const HTREEITEM kindNode = SelectedKindNode(&refusal);
    if (!kindNode)
        return refusal;
    if (const HTREEITEM child = FindChild(kindNode, album)) {
        GetTreeCtrl().SetItemText(child, album->GetTitle());
        return 0;
    }
    if (!InsertAlbumNode(kindNode, album))
        return RM_E_INSERTFAILED;
    return SortAlbumNodes(KindOf(kindNode));
}

LRESULT CAlbumsView::DeleteAlbumNode(CDSAlbum* album) {
    if (!album)
        return RM_E_NULLARG;
    LRESULT refusal = 0;
    const HTREEITEM kindNode = SelectedKindNode(&refusal);
    if (!kindNode)
        return refusal;
    if (const HTREEITEM child = FindChild(kindNode, album))
        GetTreeCtrl().DeleteItem(child);
    return 0;
}

LRESULT CAlbumsView::SortAlbumNodes(CResType* kind) {
    if (!kind)
        return RM_E_NOTARGET;
    CTreeCtrl& tree = GetTreeCtrl();
    for (HTREEITEM node = tree.GetRootItem(); node; node = tree.GetNextSiblingItem(node)) {
        if (KindOf(node) != kind)
            continue;
        TVSORTCB sort{};
        sort.hParent = node;
        sort.lpfnCompare = [](LPARAM first, LPARAM second, LPARAM data) {
            return reinterpret_cast<const CResType*>(data)->CompareAlbumOrder(
                reinterpret_cast<const CDSAlbum*>(first), reinterpret_cast<const CDSAlbum*>(second));
        };
        sort.lParam = reinterpret_cast<LPARAM>(kind);
        tree.SortChildrenCB(&sort);
        break;
    }
    return 0;
}

BOOL CAlbumsView::IsEditingLabel() {
    return GetTreeCtrl().GetEditControl() != nullptr;
}

void CAlbumsView::CancelLabelEdit() {
    SendKeyToEditor(VK_ESCAPE);
}

void CAlbumsView::SendKeyToEditor(UINT key) {
    if (CEdit* editor = GetTreeCtrl().GetEditControl())
        editor->SendMessage(WM_KEYDOWN, key, 0);
}

// Drop highlighting.

CDSAlbum* CAlbumsView::HighlightAlbumAt(CPoint point, CImageList* dragImage) {
    CTreeCtrl& tree = GetTreeCtrl();
    UINT flags = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
    const HTREEITEM hit = tree.HitTest(point, &flags);
    if (hit != m_hDropItem)
        ClearDropHighlight();
    CDSAlbum* album = AlbumOf(hit);
    if (!album)
        return nullptr;
    tree.SetItemState(hit, TVIS_DROPHILITED, TVIS_DROPHILITED);
    m_hDropItem = hit;
    CRect row;
    if (tree.GetItemRect(hit, &row, FALSE))
        InvalidateRect(&row);
    if (dragImage) {
        ImageList_DragShowNolock(FALSE);
        UpdateWindow();
        ImageList_DragShowNolock(TRUE);
    }
    return album;
}

void CAlbumsView::ClearDropHighlight() {
    if (m_hDropItem)
        GetTreeCtrl().SetItemState(m_hDropItem, 0, TVIS_DROPHILITED);
    m_hDropItem = nullptr;
}

CDSAlbum* CAlbumsView::DragOverAlbum(CPoint screenPoint, CImageList* dragImage) {
    ScreenToClient(&screenPoint);
    return HighlightAlbumAt(screenPoint, dragImage);
}

CDSAlbum* CAlbumsView::TakeDropAlbum() {
    if (!m_hDropItem)
        return nullptr;
    CDSAlbum* album = AlbumOf(m_hDropItem);
    const HTREEITEM parent = GetTreeCtrl().GetParentItem(m_hDropItem);
    // The node stays remembered until the next drag-over finds another.
    GetTreeCtrl().SetItemState(m_hDropItem, 0, TVIS_DROPHILITED);
    return IsUserAlbum(KindOf(parent), album) ? album : nullptr;
}

DROPEFFECT CAlbumsView::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) {
    return OnDragOver(data, keyState, point);
}

DROPEFFECT CAlbumsView::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) {
    CDSAlbum* album = HighlightAlbumAt(point, nullptr);
    CDSObjMgr* manager = GetDSObjMgr();
    if (album && manager && IsUserAlbum(manager->GetResTypeOfAlbum(album), album))
        return DROPEFFECT_COPY;
    return CTreeView::OnDragOver(data, keyState, point);
}

void CAlbumsView::OnDragLeave() {
    ClearDropHighlight();
    CTreeView::OnDragLeave();
}

BOOL CAlbumsView::OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) {
    const std::vector<CString> files = ReadDroppedFiles(data);
    CDSObjMgr* manager = GetDSObjMgr();
    UINT flags = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
    CDSAlbum* album = files.empty() ? nullptr : AlbumOf(GetTreeCtrl().HitTest(point, &flags));
    CResType* kind = album && manager ? manager->GetResTypeOfAlbum(album) : nullptr;
    // The shipped albums take nothing.
    const bool taken = IsUserAlbum(kind, album);
    if (taken) {
        const int count = static_cast<int>(files.size());
        SendToParentFrame(this, WM_RM_PROGRESSBEGIN, MAKEWPARAM(0, count), MAKELPARAM(1, SW_SHOW));
        const CString title = AppServices().LoadString(kDroppedEntryTitle);
        for (const CString& file : files) {
            if (CDSObj* entry = manager->NewObjectOfKind(kind, true, true, file)) {
                entry->SetTitle(title);
                if (!album->AddObjects(entry))
                    ReleaseRefusedEntry(*manager, entry);
                SendToParentFrame(this, WM_RM_PROGRESSSTEP);
            }
        }
        if (AlbumOf(GetTreeCtrl().GetSelectedItem()) == album)
            SendToParentFrame(this, WM_RM_SHOWALBUM, 0, reinterpret_cast<LPARAM>(album));
        SendToParentFrame(this, WM_RM_PROGRESSBEGIN, 0, 0);
    }
    ClearDropHighlight();
    return taken ? TRUE : CTreeView::OnDrop(data, effect, point);
}

// Notifications of the tree.

BOOL CAlbumsView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY)
        return CTreeView::OnChildNotify(message, wParam, lParam, result);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom != m_hWnd)
        return CTreeView::OnChildNotify(message, wParam, lParam, result);
    switch (header->code) {
    case TVN_SELCHANGED:
        OnSelChanged(reinterpret_cast<const NMTREEVIEW*>(lParam));
        *result = 0;
        return TRUE;
    case TVN_BEGINLABELEDIT:
        *result = OnBeginLabelEdit(reinterpret_cast<const NMTVDISPINFO*>(lParam));
        return TRUE;
    case TVN_ENDLABELEDIT:
        *result = OnEndLabelEdit(reinterpret_cast<const NMTVDISPINFO*>(lParam));
        return TRUE;
    case NM_CUSTOMDRAW:
        *result = OnCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(lParam));
        return TRUE;
    default:
        return CTreeView::OnChildNotify(message, wParam, lParam, result);
    }
}

void CAlbumsView::OnSelChanged(const NMTREEVIEW* change) {
    if (!(change->itemNew.state & TVIS_SELECTED))
        return;
    const HTREEITEM node = change->itemNew.hItem;
    if (CResType* kind = KindOf(node))
        SendToParentFrame(this, WM_RM_SHOWRESTYPE, 0, reinterpret_cast<LPARAM>(kind));
    else if (CDSAlbum* album = AlbumOf(node))
        SendToParentFrame(this, WM_RM_SHOWALBUM, 0, reinterpret_cast<LPARAM>(album));
}

// TRUE refuses the edit.
BOOL CAlbumsView::OnBeginLabelEdit(const NMTVDISPINFO* info) {
    const HTREEITEM node = info->item.hItem;
    const HTREEITEM parent = GetTreeCtrl().GetParentItem(node);
    return parent && IsUserAlbum(KindOf(parent), AlbumOf(node)) ? FALSE : TRUE;
}

// TRUE keeps the new label.
BOOL CAlbumsView::OnEndLabelEdit(const NMTVDISPINFO* info) {
    if (!(info->item.mask & TVIF_TEXT) || !info->item.pszText)
        return FALSE;
    const HTREEITEM node = info->item.hItem;
    CResType* kind = KindOf(GetTreeCtrl().GetParentItem(node));
    CDSAlbum* album = AlbumOf(node);
    if (!IsUserAlbum(kind, album))
        return FALSE;
    const CString title = info->item.pszText;
    if (!kind->IsValidAlbumName(title)) {
        CString text;
        text.Format(AppServices().LoadString(kTitleRefused), title.GetString());
        AppServices().MessageBoxText(text, MB_OK);
        return FALSE;
    }
    const CString oldTitle = album->GetTitle();
    album->SetTitle(title);
    album->ExchangeProperty(FALSE);
    if (album->SaveIndex())
        return TRUE;
    // A title the archive did not take is not the album's.
    album->SetTitle(oldTitle);
    album->ExchangeProperty(FALSE);
    return FALSE;
}

LRESULT CAlbumsView::OnCustomDraw(NMTVCUSTOMDRAW* draw) const {
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        draw->clrText = kItemText;
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}
