// The object view's commands on albums (kind mode) and entries (album mode), their states, and the
// context menu that offers them.

#include "albums/BrowseFileDlg.h"
#include "albums/BrowseFileSettingsDlg.h"
#include "albums/DiaShowViewer.h"
#include "library/DSAlbum.h"
#include "library/DSObj.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/AppServices.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/CommandMap.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Menu.h"
#include "resmanager/ObjectsView.h"
#include "resmanager/RefusedEntry.h"
#include "resmanager/ResManagerMessages.h"
#include "resmanager/ResManagerThumbnailSettings.h"

namespace {

constexpr UINT kNewAlbumNameId = 62016;
constexpr UINT kDeleteAlbumsQuestionId = 62017;
constexpr UINT kRemoveEntriesQuestionId = 62018;
constexpr UINT kNewMenuId = 62019;
constexpr UINT kRenameMenuId = 62020;
constexpr UINT kDeleteMenuId = 62021;
constexpr UINT kSelectAllMenuId = 62022;
constexpr UINT kDuplicateMenuId = 62024;
constexpr UINT kNewEntryNameId = 62053;
constexpr UINT kAlbumKeptId = 65519;
constexpr UINT kEntryKeptId = 65520;
constexpr UINT kPictureFilterId = 251;
constexpr UINT kAlbumCountTextId = 62057;
constexpr UINT kEntryCountTextId = 62056;

LPARAM AsParam(CObject* object) {
    return reinterpret_cast<LPARAM>(object);
}

} // namespace

const CommandEntry<CObjectsView> CObjectsView::kCommands[] = {
    {ID_RM_NEW, 0, &CObjectsView::OnNew},
    {ID_RM_RENAME, 0, &CObjectsView::OnRename},
    {ID_RM_DELETE, 0, &CObjectsView::OnDelete},
    {ID_RM_SELECTALL, 0, &CObjectsView::OnSelectAll},
    {ID_RM_DUPLICATE, 0, &CObjectsView::OnDuplicate},
    {ID_RM_OPEN, 0, &CObjectsView::OnOpen},
    {ID_RM_TOFRONT, 0, &CObjectsView::OnMoveToFront},
    {ID_RM_UP, 0, &CObjectsView::OnMoveUp},
    {ID_RM_DOWN, 0, &CObjectsView::OnMoveDown},
    {ID_RM_TOBACK, 0, &CObjectsView::OnMoveToBack},
    {ID_RM_SORTASCENDING, 0, &CObjectsView::OnSortAscending},
    {ID_RM_SORTDESCENDING, 0, &CObjectsView::OnSortDescending},
    {ID_RM_SLIDESHOW, 0, &CObjectsView::OnSlideShow},
    {ID_RM_THUMBSETTINGS, 0, &CObjectsView::OnThumbnailSettings},
};

const UpdateEntry<CObjectsView> CObjectsView::kUpdates[] = {
    {ID_RM_NEW, &CObjectsView::OnUpdateNeedsItem},
    {ID_RM_SELECTALL, &CObjectsView::OnUpdateNeedsItem},
    {ID_RM_OPEN, &CObjectsView::OnUpdateNeedsSelection},
    {ID_RM_RENAME, &CObjectsView::OnUpdateNeedsSelection},
    {ID_RM_DELETE, &CObjectsView::OnUpdateNeedsSelection},
    {ID_RM_DUPLICATE, &CObjectsView::OnUpdateNeedsSelection},
};

BOOL CObjectsView::OnCommand(WPARAM wParam, LPARAM lParam) {
    return DispatchCommand(*this, kCommands, wParam) || CListView::OnCommand(wParam, lParam);
}

BOOL CObjectsView::HasCommandHandler(UINT id) const {
    return HasCommand<CObjectsView>(kCommands, id) || CListView::HasCommandHandler(id);
}

BOOL CObjectsView::OnUpdateCommandUI(CCmdUI* cmdUI) {
    return DispatchUpdate(*this, kUpdates, cmdUI) || CListView::OnUpdateCommandUI(cmdUI);
}

void CObjectsView::OnUpdateNeedsItem(CCmdUI* cmdUI) {
    cmdUI->Enable(m_pCurrentItem != nullptr);
}

void CObjectsView::OnUpdateNeedsSelection(CCmdUI* cmdUI) {
    cmdUI->Enable(m_pCurrentItem != nullptr && CountUsableSelected() != 0);
}

void CObjectsView::OnNew() {
    SetFocus();
    if (CResType* kind = GetShownKind()) {
        NewAlbum(kind);
    } else if (CDSAlbum* album = GetShownAlbum()) {
        // A kind without a file of its own (type 12) is not among the library's kinds 0 to 3, so every
        // kind shown here takes files.
        CResType* albumKind = GetWritableKind(album);
        if (!albumKind)
            return;
        const CString filter = AppServices().LoadString(kPictureFilterId);
        CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY, filter, this);
        if (dialog.DoModal() != IDOK)
            return;
        std::vector<CString> paths;
        for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;)
            paths.push_back(dialog.GetSelectedPaths(pos));
        AddFilesToAlbum(album, albumKind, paths);
    }
    GetListCtrl().Update(0);
}

void CObjectsView::NewAlbum(CResType* kind) {
    CDSObjMgr* manager = GetDSObjMgr();
    const CString name = kind->MakeUniqueAlbumName(AppServices().LoadString(kNewAlbumNameId));
    if (!manager || !manager->CreateAlbum(kind, name))
        return;
    CDSAlbum* album = kind->FindAlbumByTitle(name);
    if (!album)
        return;
    Notify(WM_RM_TREEUPDATEALBUM, 0, AsParam(album));
    const int item = AppendAlbumItem(album);
    GetListCtrl().EditLabel(item);
    ShowCountText(kAlbumCountTextId, 0);
}

void CObjectsView::AddFilesToAlbum(CDSAlbum* album, CResType* kind, const std::vector<CString>& paths) {
    CDSObjMgr* manager = GetDSObjMgr();
    if (!manager || paths.empty())
        return;
    const bool listed = GetShownAlbum() == album;
    BeginProgress(static_cast<int>(paths.size()));
    const CString name = AppServices().LoadString(kNewEntryNameId);
    for (const CString& path : paths) {
        CDSObj* entry = manager->NewObjectOfKind(kind, true, true, path);
        if (entry) {
            entry->SetTitle(name);
            if (!album->AddObjects(entry))
                ReleaseRefusedEntry(*manager, entry);
            else if (listed)
                AppendEntryItem(entry);
        }
        StepProgress();
    }
    GetListCtrl().Update(0);
    EndProgress(0);
}

void CObjectsView::OnRename() {
    const int item = GetListCtrl().GetNextItem(-1, LVNI_SELECTED);
    if (item != -1)
        GetListCtrl().EditLabel(item);
}

void CObjectsView::OnDelete() {
    if (CEdit* edit = GetListCtrl().GetEditControl()) {
        edit->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
        return;
    }
    if (CResType* kind = GetShownKind())
        DeleteAlbums(kind);
    else if (CDSAlbum* album = GetShownAlbum(); album && GetWritableKind(album))
        RemoveEntries(album);
}

void CObjectsView::DeleteAlbums(CResType* kind) {
    CDSObjMgr* manager = GetDSObjMgr();
    const int usable = CountUsableSelected();
    if (!manager || usable == 0)
        return;
    CString question;
    question.Format(AppServices().LoadString(kDeleteAlbumsQuestionId), usable, kind->GetName().GetString());
    if (AppServices().MessageBoxText(question, MB_YESNO) != IDYES)
        return;
    BeginProgress(usable);
    // The details view lets go of whatever it shows before any album goes.
    Notify(WM_RM_SHOWDETAILS, MAKELONG(1, kDetailsNothing), 0);
    std::vector<int> deleted;
    for (int item : GetSelectedItems()) {
        CDSAlbum* album = AlbumOfItem(item);
        if (!album || kind->IsSecondaryAlbum(album))
            continue;
        if (album->HasRelativeObjects()) {
            AppServices().MessageBox(kAlbumKeptId, MB_OK);
            continue;
        }
        // The tree lets go of the node while the album still exists: it finds the node by the pointer.
        Notify(WM_RM_TREEDELETEALBUM, 0, AsParam(album));
        GetListCtrl().SetItemData(item, 0);
        if (manager->DeleteAlbum(album)) {
            deleted.push_back(item);
        } else {
            GetListCtrl().SetItemData(item, static_cast<DWORD_PTR>(AsParam(album)));
            Notify(WM_RM_TREEUPDATEALBUM, 0, AsParam(album));
        }
    }
    for (auto it = deleted.rbegin(); it != deleted.rend(); ++it) {
        GetListCtrl().DeleteItem(*it);
        StepProgress();
    }
    GetListCtrl().Update(0);
    EndProgress(0);
    ShowCountText(kAlbumCountTextId, 0);
}

void CObjectsView::RemoveEntries(CDSAlbum* album) {
    CListCtrl& list = GetListCtrl();
    const std::vector<int> noted = GetSelectedItems();
    if (noted.empty())
        return;
    CString question;
    question.Format(AppServices().LoadString(kRemoveEntriesQuestionId), static_cast<int>(noted.size()),
                    album->GetTitle().GetString());
    if (AppServices().MessageBoxText(question, MB_YESNO) != IDYES)
        return;
    BeginProgress(static_cast<int>(noted.size()));
    Notify(WM_RM_SHOWDETAILS, MAKELONG(1, kDetailsNothing), 0);
    for (int item : noted)
        list.SetItemState(item, 0, LVIS_SELECTED);
    std::vector<CDSObj*> kept;
    bool keptShown = false;
    for (auto it = noted.rbegin(); it != noted.rend(); ++it) {
        CDSObj* entry = EntryOfItem(*it);
        if (entry && entry->IsRelative()) {
            kept.push_back(entry);
            // One message for the whole command, however many entries stay.
            if (!keptShown)
                AppServices().MessageBox(kEntryKeptId, MB_OK);
            keptShown = true;
        } else if (entry && album->RemoveObjects(entry)) {
            RemoveItemWithImage(*it);
        }
        StepProgress();
    }
    for (CDSObj* entry : kept) {
        const int item = FindItemOfData(static_cast<CObject*>(entry));
        if (item != -1)
            list.SetItemState(item, LVIS_SELECTED, LVIS_SELECTED);
    }
    list.Update(0);
    EndProgress(0);
    // The entries' count text: the albums' one would name the entries albums.
    ShowCountText(kEntryCountTextId, 0);
}

void CObjectsView::OnSelectAll() {
    CListCtrl& list = GetListCtrl();
    for (int item = 0; item < list.GetItemCount(); ++item)
        list.SetItemState(item, LVIS_SELECTED, LVIS_SELECTED);
}

void CObjectsView::OnDuplicate() {
    CDSObjMgr* manager = GetDSObjMgr();
    const int usable = CountUsableSelected();
    if (!manager || !m_pCurrentItem || usable == 0)
        return;
    BeginProgress(usable);
    CResType* kind = GetShownKind();
    CDSAlbum* shownAlbum = GetShownAlbum();
    std::vector<CObject*> sources;
    for (int item : GetSelectedItems())
        sources.push_back(reinterpret_cast<CObject*>(GetListCtrl().GetItemData(item)));
    for (CObject* source : sources) {
        if (kind) {
            auto* album = static_cast<CDSAlbum*>(source);
            if (!album || kind->IsSecondaryAlbum(album))
                continue;
            CDSAlbum* copy = manager->DuplicateAlbumFile(album);
            if (!copy)
                continue;
            copy->SetTitle(kind->MakeUniqueAlbumName(album->GetTitle()));
            copy->ExchangeProperty(FALSE);
            if (!copy->SaveIndex())
                continue;
            AppendAlbumItem(copy);
            Notify(WM_RM_TREEUPDATEALBUM, 0, AsParam(copy));
            StepProgress();
        } else {
            auto* entry = static_cast<CDSObj*>(source);
            CDSObj* clone = entry ? entry->Clone() : nullptr;
            if (!clone)
                continue;
            CString name;
            shownAlbum->MakeUniqueObjectName(name, entry->GetTitle());
            clone->SetTitle(name);
            if (!shownAlbum->AddObjects(clone))
                ReleaseRefusedEntry(*manager, clone);
            else
                AppendEntryItem(clone);
            StepProgress();
            GetListCtrl().Update(0);
        }
    }
    EndProgress(0);
    ShowCountText(kind ? kAlbumCountTextId : kEntryCountTextId, 0);
}

void CObjectsView::OnOpen() {
    if (CEdit* edit = GetListCtrl().GetEditControl()) {
        edit->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        return;
    }
    CResType* kind = GetShownKind();
    if (!kind)
        return;
    const int item = GetListCtrl().GetNextItem(-1, LVNI_SELECTED);
    CDSAlbum* album = item != -1 ? AlbumOfItem(item) : nullptr;
    if (!album || kind->IsSecondaryAlbum(album))
        return;
    Notify(WM_RM_SHOWDETAILS, 0, 0);
    Notify(WM_RM_TREESELECTALBUM, 0, AsParam(album));
}

void CObjectsView::MoveSelected(UINT commandId) {
    CListCtrl& list = GetListCtrl();
    if (list.GetSelectedCount() != 1)
        return;
    const int item = list.GetNextItem(-1, LVNI_SELECTED);
    bool moved = false;
    if (CResType* kind = GetShownKind()) {
        CDSAlbum* album = AlbumOfItem(item);
        if (!album || kind->IsSecondaryAlbum(album))
            return;
        using Move = bool (CResType::*)(CDSAlbum*);
        static constexpr Move kMoves[] = {&CResType::MoveAlbumToFront, &CResType::MoveAlbumUp,
                                          &CResType::MoveAlbumDown, &CResType::MoveAlbumToBack};
        moved = (kind->*kMoves[commandId - ID_RM_TOFRONT])(album);
        if (moved)
            Notify(WM_RM_TREESORTALBUMS, 0, AsParam(kind));
    } else if (CDSAlbum* album = GetShownAlbum()) {
        CDSObj* entry = EntryOfItem(item);
        if (!entry)
            return;
        using Move = bool (CDSAlbum::*)(CDSObj*);
        static constexpr Move kMoves[] = {&CDSAlbum::MoveObjectToFront, &CDSAlbum::MoveObjectUp,
                                          &CDSAlbum::MoveObjectDown, &CDSAlbum::MoveObjectToBack};
        moved = (album->*kMoves[commandId - ID_RM_TOFRONT])(entry);
    }
    if (moved)
        list.SortItems(&CObjectsView::CompareItems, reinterpret_cast<DWORD_PTR>(m_pCurrentItem));
}

void CObjectsView::OnSort(bool ascending) {
    const int key = static_cast<int>(Notify(WM_RM_GETSORTCHOICE));
    if (CResType* kind = GetShownKind()) {
        kind->SortAlbums(key, ascending);
        GetListCtrl().SortItems(&CObjectsView::CompareItems, reinterpret_cast<DWORD_PTR>(m_pCurrentItem));
        Notify(WM_RM_TREESORTALBUMS, 0, AsParam(kind));
    } else if (CDSAlbum* album = GetShownAlbum()) {
        album->Sort(key, ascending);
        GetListCtrl().SortItems(&CObjectsView::CompareItems, reinterpret_cast<DWORD_PTR>(m_pCurrentItem));
    }
}

void CObjectsView::OnSlideShow() {
    const int item = GetListCtrl().GetNextItem(-1, LVNI_SELECTED);
    CDSObj* entry = item != -1 ? EntryOfItem(item) : nullptr;
    if (entry)
        CDiaShowViewer::Start(GetShownAlbum(), entry, this);
}

void CObjectsView::OnThumbnailSettings() {
    CBrowseFileSettingsDlg dialog(this);
    dialog.SetSettings(m_settings);
    dialog.SetSection(kResManagerThumbnailSection);
    if (dialog.DoModal() != IDOK)
        return;
    const BrowseThumbnailSettings chosen = dialog.GetSettings();
    CListCtrl& list = GetListCtrl();
    if (chosen.backgroundColor != m_settings.backgroundColor || chosen.textColor != m_settings.textColor) {
        m_settings.backgroundColor = chosen.backgroundColor;
        m_settings.textColor = chosen.textColor;
        list.SetBkColor(m_settings.backgroundColor);
        list.SetTextBkColor(m_settings.backgroundColor);
        list.SetTextColor(m_settings.textColor);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    bool newLayout = false;
    if (chosen.spacingX != m_settings.spacingX || chosen.spacingY != m_settings.spacingY) {
        m_settings.spacingX = chosen.spacingX;
        m_settings.spacingY = chosen.spacingY;
        newLayout = true;
    }
    if (chosen.thumbWidth != m_settings.thumbWidth || chosen.thumbHeight != m_settings.thumbHeight) {
        m_settings.thumbWidth = chosen.thumbWidth;
        m_settings.thumbHeight = chosen.thumbHeight;
        // The list must not keep the handle of the list that goes.
        if (GetShownAlbum())
            list.SetImageList(nullptr, LVSIL_NORMAL);
        MakeThumbnailList();
        newLayout = true;
    }
    if (CDSAlbum* album = GetShownAlbum(); newLayout && album) {
        const CSize spacing = ResManagerIconSpacing(m_settings);
        list.SetIconSpacing(spacing.cx, spacing.cy);
        list.SetImageList(m_pThumbnails.get(), LVSIL_NORMAL);
        ShowAlbum(album);
    }
}

void CObjectsView::OnContextMenu(CWnd* window, CPoint point) {
    if (!m_pCurrentItem || m_bDragging || window != this)
        return;
    CListCtrl& list = GetListCtrl();
    if (point.x == -1 && point.y == -1) {
        CRect anchor;
        const int item = list.GetNextItem(-1, LVNI_SELECTED);
        if (item == -1 || !list.GetItemRect(item, &anchor, LVIR_LABEL))
            GetClientRect(&anchor);
        point = anchor.TopLeft();
        ClientToScreen(&point);
        point.Offset(5, 5);
    }
    CDSAlbum* album = GetShownAlbum();
    if (album && !GetWritableKind(album))
        return;
    CMenu menu;
    menu.CreatePopupMenu();
    auto add = [&menu](UINT textId, UINT command) {
        menu.AppendMenu(MF_STRING, command, AppServices().LoadString(textId));
    };
    add(kNewMenuId, ID_RM_NEW);
    if (CountUsableSelected() == 0) {
        menu.AppendMenu(MF_SEPARATOR);
        add(kSelectAllMenuId, ID_RM_SELECTALL);
    } else {
        add(kDuplicateMenuId, ID_RM_DUPLICATE);
        add(kRenameMenuId, ID_RM_RENAME);
        add(kDeleteMenuId, ID_RM_DELETE);
        menu.AppendMenu(MF_SEPARATOR);
        add(kSelectAllMenuId, ID_RM_SELECTALL);
    }
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}
