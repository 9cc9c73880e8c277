// The object view's window, its two modes, the frame messages it sends and the list's notifications.

#include "resmanager/ObjectsView.h"

#include "library/DSAlbum.h"
#include "library/DSObj.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/AppServices.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/WaitCursor.h"
#include "resmanager/EntryThumbnail.h"
#include "resmanager/ProgressStepCallback.h"
#include "resmanager/ResManagerMessages.h"
#include "resmanager/ResManagerThumbnailSettings.h"

IMPLEMENT_DYNCREATE(CObjectsView, CListView)

namespace {

constexpr UINT kAlbumCountTextId = 62057;
constexpr UINT kEntryCountTextId = 62056;
constexpr UINT kAlbumUnreadableId = 62060;
constexpr COLORREF kIconMask = 0xFF00FF;
constexpr int kAlbumIconSide = 32;

} // namespace

CObjectsView::CObjectsView() : m_settings(ReadResManagerThumbnailSettings()) {}

CObjectsView::~CObjectsView() = default;

CSize CObjectsView::GetThumbSize() const {
    return CSize(m_settings.thumbWidth, m_settings.thumbHeight);
}

CSize CObjectsView::GetSpacing() const {
    return CSize(m_settings.spacingX, m_settings.spacingY);
}

BOOL CObjectsView::PreCreateWindow(CREATESTRUCT& create) {
    create.style |= LVS_EDITLABELS | LVS_SHOWSELALWAYS;
    return CListView::PreCreateWindow(create);
}

void CObjectsView::OnDraw(CDC*) {}

int CObjectsView::OnCreate(LPCREATESTRUCT create) {
    if (CListView::OnCreate(create) == -1)
        return -1;
    m_pAlbumIcons = std::make_unique<CImageList>();
    if (!m_pAlbumIcons->Create("RES_MANAGER_LIST", kAlbumIconSide, 1, kIconMask))
        m_pAlbumIcons.reset();
    MakeThumbnailList();
    CListCtrl& list = GetListCtrl();
    list.SetBkColor(m_settings.backgroundColor);
    list.SetTextBkColor(m_settings.backgroundColor);
    list.SetTextColor(m_settings.textColor);
    m_dropTarget.Register(this);
    return 0;
}

// The cells carry alpha, so the list's background shows around every picture.
void CObjectsView::MakeThumbnailList() {
    m_pThumbnails = std::make_unique<CImageList>();
    if (!m_pThumbnails->Create(m_settings.thumbWidth, m_settings.thumbHeight, ILC_COLOR32 | ILC_MASK, 0, 1))
        m_pThumbnails.reset();
}

void CObjectsView::OnDestroy() {
    EndDrag();
    m_dropTarget.Revoke();
    GetListCtrl().SetImageList(nullptr, LVSIL_NORMAL);
    m_pAlbumIcons.reset();
    m_pThumbnails.reset();
    m_pCurrentItem = nullptr;
    ShowAlbumEntries(nullptr);
    CListView::OnDestroy();
}

void CObjectsView::OnSize(UINT type, int cx, int cy) {
    CListView::OnSize(type, cx, cy);
    GetListCtrl().Update(0);
}

LRESULT CObjectsView::Notify(UINT message, WPARAM wParam, LPARAM lParam) const {
    CFrameWnd* frame = GetParentFrame();
    return frame ? frame->SendMessage(message, wParam, lParam) : 0;
}

void* CObjectsView::FrameHandle() const {
    CFrameWnd* frame = GetParentFrame();
    return frame ? static_cast<void*>(frame->GetSafeHwnd()) : nullptr;
}

void CObjectsView::BeginProgress(int count) const {
    Notify(WM_RM_PROGRESSBEGIN, MAKELONG(0, static_cast<WORD>(count)), MAKELONG(1, SW_SHOW));
}

void CObjectsView::EndProgress(int step) const {
    Notify(WM_RM_PROGRESSBEGIN, 0, step);
}

void CObjectsView::StepProgress() const {
    Notify(WM_RM_PROGRESSSTEP);
}

void CObjectsView::ShowCountText(UINT formatId, int selected) const {
    CString text;
    text.Format(AppServices().LoadString(formatId), GetListCtrl().GetItemCount(), selected);
    Notify(WM_RM_STATUSTEXT, 0, reinterpret_cast<LPARAM>(text.GetString()));
}

void CObjectsView::ShowCountText(int selected) const {
    ShowCountText(GetShownKind() ? kAlbumCountTextId : kEntryCountTextId, selected);
}

CResType* CObjectsView::GetShownKind() const {
    return m_pCurrentItem && m_pCurrentItem->IsKindOf(RUNTIME_CLASS(CResType))
               ? static_cast<CResType*>(m_pCurrentItem)
               : nullptr;
}

CDSAlbum* CObjectsView::GetShownAlbum() const {
    return m_pCurrentItem && m_pCurrentItem->IsKindOf(RUNTIME_CLASS(CDSAlbum))
               ? static_cast<CDSAlbum*>(m_pCurrentItem)
               : nullptr;
}

CResType* CObjectsView::GetWritableKind(CDSAlbum* album) const {
    CDSObjMgr* manager = GetDSObjMgr();
    CResType* kind = manager && album ? manager->GetResTypeOfAlbum(album) : nullptr;
    return kind && !kind->IsSecondaryAlbum(album) ? kind : nullptr;
}

CDSAlbum* CObjectsView::AlbumOfItem(int item) const {
    auto* data = reinterpret_cast<CObject*>(GetListCtrl().GetItemData(item));
    return data && data->IsKindOf(RUNTIME_CLASS(CDSAlbum)) ? static_cast<CDSAlbum*>(data) : nullptr;
}

CDSObj* CObjectsView::EntryOfItem(int item) const {
    auto* data = reinterpret_cast<CObject*>(GetListCtrl().GetItemData(item));
    return data && data->IsKindOf(RUNTIME_CLASS(CDSObj)) ? static_cast<CDSObj*>(data) : nullptr;
}

int CObjectsView::FindItemOfData(const void* data) const {
    const CListCtrl& list = GetListCtrl();
    for (int item = 0; item < list.GetItemCount(); ++item) {
        if (reinterpret_cast<const void*>(list.GetItemData(item)) == data)
            return item;
    }
    return -1;
}

std::vector<int> CObjectsView::GetSelectedItems() const {
    std::vector<int> items;
    const CListCtrl& list = GetListCtrl();
    for (int item = list.GetNextItem(-1, LVNI_SELECTED); item != -1;
         item = list.GetNextItem(item, LVNI_SELECTED))
        items.push_back(item);
    return items;
}

int CObjectsView::CountUsableSelected() const {
    if (CDSAlbum* album = GetShownAlbum())
        return GetWritableKind(album) ? static_cast<int>(GetListCtrl().GetSelectedCount()) : 0;
    CResType* kind = GetShownKind();
    if (!kind)
        return 0;
    int usable = 0;
    for (int item : GetSelectedItems()) {
        CDSAlbum* album = AlbumOfItem(item);
        if (album && !kind->IsSecondaryAlbum(album))
            ++usable;
    }
    return usable;
}

LRESULT CObjectsView::ShowResType(CResType* kind) {
    if (!kind)
        return RM_E_NULLARG;
    Notify(WM_RM_STATUSTEXT, 0, reinterpret_cast<LPARAM>(""));
    Notify(WM_RM_SHOWDETAILS, 0, 0);
    CListCtrl& list = GetListCtrl();
    list.DeleteAllItems();
    ShowAlbumEntries(nullptr);
    m_pCurrentItem = kind;
    list.SetImageList(m_pAlbumIcons.get(), LVSIL_NORMAL);
    list.SetIconSpacing(-1, -1);
    auto& albums = kind->GetAlbumList(false);
    BeginProgress(static_cast<int>(albums.GetCount()));
    for (POSITION pos = albums.GetHeadPosition(); pos != nullptr;) {
        AppendAlbumItem(albums.GetNext(pos));
        StepProgress();
    }
    list.Update(0);
    EndProgress(0);
    ShowCountText(kAlbumCountTextId, 0);
    Notify(WM_RM_FILLSORTCHOICES, 0, reinterpret_cast<LPARAM>(static_cast<CObject*>(kind)));
    return 0;
}

// An item outside the visible area shows nothing yet; the list's next paint covers it.
void CObjectsView::PaintVisibleItem(int index) {
    CListCtrl& list = GetListCtrl();
    CRect bounds;
    CRect client;
    GetClientRect(&client);
    if (list.GetItemRect(index, &bounds, LVIR_BOUNDS) && bounds.IntersectRect(bounds, client)) {
        list.RedrawItems(index, index);
        UpdateWindow();
    }
}

int CObjectsView::AppendAlbumItem(CDSAlbum* album) {
    CListCtrl& list = GetListCtrl();
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = list.GetItemCount();
    item.pszText = const_cast<LPTSTR>(album->GetTitle().GetString());
    item.iImage = 0;
    item.lParam = reinterpret_cast<LPARAM>(static_cast<CObject*>(album));
    const int index = list.InsertItem(&item);
    PaintVisibleItem(index);
    return index;
}

int CObjectsView::AppendEntryItem(CDSObj* entry) {
    CListCtrl& list = GetListCtrl();
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = list.GetItemCount();
    item.pszText = const_cast<LPTSTR>(entry->GetTitle().GetString());
    item.iImage = m_pThumbnails ? AddEntryThumbnail(*m_pThumbnails, *entry, GetThumbSize()) : -1;
    item.lParam = reinterpret_cast<LPARAM>(static_cast<CObject*>(entry));
    const int index = list.InsertItem(&item);
    PaintVisibleItem(index);
    return index;
}

void CObjectsView::RemoveItemWithImage(int item) {
    CListCtrl& list = GetListCtrl();
    LVITEM removed{};
    removed.mask = LVIF_IMAGE;
    removed.iItem = item;
    list.GetItem(&removed);
    // Sorting leaves images out of item order, so every item behind the removed image moves down.
    if (removed.iImage >= 0) {
        for (int other = 0; other < list.GetItemCount(); ++other) {
            LVITEM shown{};
            shown.mask = LVIF_IMAGE;
            shown.iItem = other;
            if (other == item || !list.GetItem(&shown) || shown.iImage <= removed.iImage)
                continue;
            --shown.iImage;
            list.SetItem(&shown);
        }
    }
    list.SetItemData(item, 0);
    list.DeleteItem(item);
    if (removed.iImage >= 0 && m_pThumbnails)
        m_pThumbnails->Remove(removed.iImage);
}

// The items hold the album's entries: the manager must not unload it while they are listed.
void CObjectsView::ShowAlbumEntries(const CDSAlbum* album) {
    if (CDSObjMgr* manager = GetDSObjMgr())
        manager->SetShownAlbum(this, album);
}

bool CObjectsView::LoadAlbumWithProgress(CDSAlbum* album) {
    if (album->IsIndexOpen())
        return true;
    CDSObjMgr* manager = GetDSObjMgr();
    int count = 0;
    if (!manager || !album->LoadProperties(count))
        return false;
    BeginProgress(count);
    const bool loaded = manager->LoadAlbum(album, &ProgressStepCallback, FrameHandle());
    // A failed load ends the progress too, so no bar is left standing.
    EndProgress(1);
    return loaded;
}

LRESULT CObjectsView::ShowAlbum(CDSAlbum* album) {
    if (!album)
        return RM_E_NULLARG;
    Notify(WM_RM_SHOWDETAILS, 0, 0);
    Notify(WM_RM_STATUSTEXT, 0, reinterpret_cast<LPARAM>(""));
    CListCtrl& list = GetListCtrl();
    list.DeleteAllItems();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    m_pCurrentItem = album;
    if (m_pThumbnails)
        m_pThumbnails->Remove(-1);
    CDSObjMgr* manager = GetDSObjMgr();
    ShowAlbumEntries(album);
    CResType* kind = manager ? manager->GetResTypeOfAlbum(album) : nullptr;
    if (!kind)
        return RM_E_NOTARGET;
    if (kind->IsSecondaryAlbum(album))
        return 0;
    if (!LoadAlbumWithProgress(album)) {
        // Without a word the damaged album would look empty.
        CString message;
        message.Format(AppServices().LoadString(kAlbumUnreadableId), album->GetTitle().GetString());
        AppServices().MessageBoxText(message, MB_OK);
        return RM_E_NOTARGET;
    }
    list.SetImageList(m_pThumbnails.get(), LVSIL_NORMAL);
    const CSize spacing = ResManagerIconSpacing(m_settings);
    list.SetIconSpacing(spacing.cx, spacing.cy);
    const int count = album->GetObjectCount();
    BeginProgress(count);
    album->LoadThumbnails(&ProgressStepCallback, FrameHandle());
    BeginProgress(count);
    POSITION pos = nullptr;
    for (CDSObj* entry = album->GetFirstObject(pos); entry != nullptr; entry = album->GetNextObject(pos)) {
        AppendEntryItem(entry);
        StepProgress();
    }
    list.Update(0);
    EndProgress(1);
    ShowCountText(kEntryCountTextId, 0);
    Notify(WM_RM_FILLSORTCHOICES, 0, reinterpret_cast<LPARAM>(static_cast<CObject*>(album)));
    return 0;
}

LRESULT CObjectsView::UpdateAlbumLabel(CDSAlbum* album) {
    if (!album || !GetShownKind())
        return RM_E_NULLARG;
    const int item = FindItemOfData(static_cast<CObject*>(album));
    if (item >= 0)
        GetListCtrl().SetItemText(item, 0, album->GetTitle());
    return 0;
}

LRESULT CObjectsView::UpdateObjectLabel(CDSObj* entry) {
    if (!entry || !GetShownAlbum())
        return RM_E_NULLARG;
    const int item = FindItemOfData(static_cast<CObject*>(entry));
    if (item >= 0)
        GetListCtrl().SetItemText(item, 0, entry->GetTitle());
    return 0;
}

LRESULT CObjectsView::SetDragBlocked(BYTE blocked) {
    m_bDragBlocked = blocked;
    return 0;
}

void CObjectsView::RunCommand(UINT commandId) {
    SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(commandId), 0), 0);
}

BOOL CObjectsView::IsEditingLabel() {
    return GetListCtrl().GetEditControl() != nullptr;
}

void CObjectsView::CancelLabelEdit() {
    if (CEdit* edit = GetListCtrl().GetEditControl())
        edit->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
}

int CObjectsView::CompareItems(LPARAM first, LPARAM second, LPARAM sortData) {
    auto* item = reinterpret_cast<CObject*>(sortData);
    if (!item)
        return 0;
    if (item->IsKindOf(RUNTIME_CLASS(CResType)))
        return static_cast<CResType*>(item)->CompareAlbumOrder(reinterpret_cast<CDSAlbum*>(first),
                                                               reinterpret_cast<CDSAlbum*>(second));
    if (item->IsKindOf(RUNTIME_CLASS(CDSAlbum)))
        return static_cast<CDSAlbum*>(item)->CompareObjectOrder(reinterpret_cast<CDSObj*>(first),
                                                                reinterpret_cast<CDSObj*>(second));
    return 0;
}

BOOL CObjectsView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY)
        return CListView::OnChildNotify(message, wParam, lParam, result);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    LRESULT answer = 0;
    switch (header->code) {
    case LVN_ITEMCHANGED:
        answer = OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        break;
    case LVN_BEGINLABELEDIT:
        answer = OnBeginLabelEdit(*reinterpret_cast<const NMLVDISPINFO*>(lParam));
        break;
    case LVN_ENDLABELEDIT:
        answer = OnEndLabelEdit(*reinterpret_cast<const NMLVDISPINFO*>(lParam));
        break;
    case LVN_BEGINDRAG:
        answer = OnBeginDrag(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        break;
    case LVN_BEGINRDRAG:
        answer = 1;
        break;
    case NM_DBLCLK:
        if (m_pCurrentItem)
            RunCommand(GetShownKind() ? ID_RM_OPEN : ID_RM_SLIDESHOW);
        break;
    default:
        return CListView::OnChildNotify(message, wParam, lParam, result);
    }
    if (result)
        *result = answer;
    return TRUE;
}

LRESULT CObjectsView::OnItemChanged(const NMLISTVIEW& change) {
    constexpr UINT kCounted = LVIF_STATE | LVIF_TEXT | LVIF_PARAM;
    if (change.iItem == -1 || !(change.uChanged & kCounted))
        return 0;
    const bool stateChanged = (change.uChanged & LVIF_STATE) != 0;
    const bool selected = (change.uNewState & LVIS_SELECTED) != 0;
    const bool wasSelected = (change.uOldState & LVIS_SELECTED) != 0;
    const bool selectionGained = stateChanged && selected && !wasSelected;
    const bool selectionLost = stateChanged && !selected && wasSelected;
    const bool textOrData = (change.uChanged & (LVIF_TEXT | LVIF_PARAM)) != 0;
    WPARAM notice = 0;
    LPARAM item = 0;
    if (CDSAlbum* album = AlbumOfItem(change.iItem)) {
        if (selectionGained) {
            CWaitCursor wait;
            if (!LoadAlbumWithProgress(album))
                return 1;
            notice = MAKELONG(0, kDetailsAlbum);
            item = reinterpret_cast<LPARAM>(static_cast<CObject*>(album));
        } else if (selectionLost) {
            const int next = GetListCtrl().GetNextItem(change.iItem, LVNI_SELECTED);
            if (CDSAlbum* nextAlbum = next != -1 ? AlbumOfItem(next) : nullptr) {
                notice = MAKELONG(0, kDetailsAlbum);
                item = reinterpret_cast<LPARAM>(static_cast<CObject*>(nextAlbum));
            }
        } else if (textOrData) {
            notice = MAKELONG(0, kDetailsAlbum);
            item = reinterpret_cast<LPARAM>(static_cast<CObject*>(album));
        }
    } else if (CDSObj* entry = EntryOfItem(change.iItem)) {
        if (selectionGained || (!selectionLost && textOrData)) {
            notice = MAKELONG(1, kDetailsObject);
            item = reinterpret_cast<LPARAM>(new ObjectRef{GetShownAlbum(), entry});
        }
    }
    Notify(WM_RM_SHOWDETAILS, notice, item);
    if (m_pCurrentItem)
        ShowCountText(static_cast<int>(GetListCtrl().GetSelectedCount()));
    return 0;
}

LRESULT CObjectsView::OnBeginLabelEdit(const NMLVDISPINFO& info) const {
    if (!m_pCurrentItem)
        return 1;
    CResType* kind = GetShownKind();
    CDSAlbum* album = AlbumOfItem(info.item.iItem);
    return kind && album && kind->IsSecondaryAlbum(album) ? 1 : 0;
}

LRESULT CObjectsView::OnEndLabelEdit(const NMLVDISPINFO& info) {
    if (!m_pCurrentItem || !info.item.pszText)
        return 0;
    const CString title(info.item.pszText);
    if (GetShownKind()) {
        CDSAlbum* album = AlbumOfItem(info.item.iItem);
        return album ? RenameAlbum(album, title) : 0;
    }
    CDSObj* entry = EntryOfItem(info.item.iItem);
    return entry ? RenameEntry(entry, title) : 0;
}

// A title equal but for letter case counts as no change: nothing is written and the label keeps the title.
LRESULT CObjectsView::RenameAlbum(CDSAlbum* album, const CString& title) {
    CResType* kind = GetShownKind();
    if (title.CompareNoCase(album->GetTitle()) == 0)
        return 0;
    if (!kind->IsValidAlbumName(title)) {
        CString message;
        message.Format(AppServices().LoadString(62058), title.GetString());
        AppServices().MessageBoxText(message, MB_OK);
        return 0;
    }
    const CString oldTitle = album->GetTitle();
    album->SetTitle(title);
    album->ExchangeProperty(FALSE);
    if (!album->SaveIndex()) {
        album->SetTitle(oldTitle);
        album->ExchangeProperty(FALSE);
        return 0;
    }
    Notify(WM_RM_TREEUPDATEALBUM, 0, reinterpret_cast<LPARAM>(static_cast<CObject*>(album)));
    Notify(WM_RM_SHOWDETAILS, MAKELONG(1, kDetailsAlbum),
           reinterpret_cast<LPARAM>(static_cast<CObject*>(album)));
    return 1;
}

LRESULT CObjectsView::RenameEntry(CDSObj* entry, const CString& title) {
    CDSAlbum* album = GetShownAlbum();
    if (title.CompareNoCase(entry->GetTitle()) == 0)
        return 0;
    const CString oldTitle = entry->GetTitle();
    entry->SetTitle(title);
    entry->ExchangeXml(FALSE);
    if (!album->SaveObjectInfo(entry)) {
        entry->SetTitle(oldTitle);
        entry->ExchangeXml(FALSE);
        return 0;
    }
    Notify(WM_RM_SHOWDETAILS, MAKELONG(1, kDetailsObject),
           reinterpret_cast<LPARAM>(new ObjectRef{album, entry}));
    return 1;
}
