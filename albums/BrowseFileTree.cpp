// The file browser's folder tree: filling items from the shell namespace, the icons of folders, opening
// the first folder, selection, and the subfolder changes the folder watch reports.

#include "albums/BrowseFileDlg.h"
#include "platform/ui/ShellIcon.h"
#include "platform/ui/WaitCursor.h"

#include <algorithm>

namespace {

constexpr ULONG kAttributeMask = 0xFE3F0177;

int CompareFolderItems(LPARAM first, LPARAM second, LPARAM sortData) {
    const auto* folder = reinterpret_cast<const CShellFolder*>(sortData);
    const auto* a = reinterpret_cast<const CBrowseFileDlg::FolderItem*>(first);
    const auto* b = reinterpret_cast<const CBrowseFileDlg::FolderItem*>(second);
    return static_cast<SHORT>(LOWORD(static_cast<DWORD>(folder->CompareIDs(0, a->ids, b->ids))));
}

} // namespace

CBrowseFileDlg::FolderItem* CBrowseFileDlg::RecordOf(HTREEITEM item) const {
    return item ? reinterpret_cast<FolderItem*>(m_tree.GetItemData(item)) : nullptr;
}

const CShellFolder* CBrowseFileDlg::ParentFolderOf(HTREEITEM item) const {
    const FolderItem* parent = RecordOf(m_tree.GetParentItem(item));
    return parent ? parent->folder.get() : nullptr;
}

CString CBrowseFileDlg::FolderPathOf(HTREEITEM item) const {
    const FolderItem* record = RecordOf(item);
    const CShellFolder* parent = ParentFolderOf(item);
    CString path;
    // The root stands for no folder of the file system.
    if (record && parent && FAILED(parent->GetDisplayNameOf(record->ids, SHGDN_FORPARSING, path)))
        path.Empty();
    return path;
}

HTREEITEM CBrowseFileDlg::InsertFolderItem(HTREEITEM parent, const CString& text, int image,
                                           const FolderItem& record, BOOL hasChildren) {
    auto* owned = new FolderItem(record);
    TVINSERTSTRUCT insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<LPTSTR>(text.GetString());
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.cChildren = hasChildren ? 1 : 0;
    insert.item.lParam = reinterpret_cast<LPARAM>(owned);
    const HTREEITEM item = m_tree.InsertItem(&insert);
    if (!item)
        delete owned;
    return item;
}

int CBrowseFileDlg::GetShellIconIndex(const CShellFolder& folder, const CItemIdList& child) {
    CString key;
    if (!folder.GetIconKey(child, key))
        return -1;
    const auto known = std::find(m_treeIconKeys.begin(), m_treeIconKeys.end(), key);
    if (known != m_treeIconKeys.end())
        return static_cast<int>(known - m_treeIconKeys.begin());
    const int image = AddShellIcon(m_treeImages, folder, child);
    if (image < 0)
        return kNoSmallIconImage;
    m_treeIconKeys.push_back(key);
    return image;
}

// The child's item under parent, with its name, icon, overlay and expand button; null when its
// attributes or name cannot be read, or it is not in the file system.
HTREEITEM CBrowseFileDlg::InsertFolderChild(HTREEITEM parent, const CShellFolder& parentFolder,
                                            const CItemIdList& child) {
    ULONG attributes = kAttributeMask;
    CString name;
    std::shared_ptr<CShellFolder> folder;
    if (FAILED(parentFolder.GetAttributesOf(child, attributes)) ||
        !(attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) ||
        FAILED(parentFolder.GetDisplayNameOf(child, SHGDN_INFOLDER | SHGDN_FORADDRESSBAR, name)) ||
        FAILED(parentFolder.BindToObject(child, folder)))
        return nullptr;
    int image = GetShellIconIndex(parentFolder, child);
    if (image < 0)
        image = kFolderImage;
    const HTREEITEM item =
        InsertFolderItem(parent, name, image, {folder, child}, (attributes & SFGAO_HASSUBFOLDER) != 0);
    // Every child here is a folder: a link to one gets the link overlay.
    if (item && (attributes & SFGAO_LINK))
        m_tree.SetItemState(item, INDEXTOOVERLAYMASK(kLinkOverlayImage + 1), TVIS_OVERLAYMASK);
    return item;
}

BOOL CBrowseFileDlg::FillFolderItem(HTREEITEM item, const CItemIdList& open) {
    const FolderItem* record = RecordOf(item);
    if (!record)
        return FALSE;
    CWaitCursor wait;
    const std::shared_ptr<CShellFolder> folder = record->folder;
    std::vector<CItemIdList> children;
    if (FAILED(folder->EnumObjects(SHCONTF_FOLDERS, children)))
        return FALSE;
    int inserted = 0;
    HTREEITEM toOpen = nullptr;
    for (const CItemIdList& child : children) {
        const HTREEITEM childItem = InsertFolderChild(item, *folder, child);
        if (!childItem)
            continue;
        ++inserted;
        // Names are told apart by case here, so items are matched by their ids, not by their order.
        if (!open.IsEmpty() && child == open.First())
            toOpen = childItem;
    }
    if (inserted > 1) {
        TVSORTCB sort{item, CompareFolderItems, reinterpret_cast<LPARAM>(folder.get())};
        m_tree.SortChildrenCB(&sort);
    }
    if (toOpen) {
        m_tree.Expand(item, TVE_EXPAND);
        if (open.GetCount() == 1) {
            m_tree.SelectItem(toOpen);
            m_tree.EnsureVisible(toOpen);
        } else {
            FillFolderItem(toOpen, open.Rest());
        }
    }
    return TRUE;
}

void CBrowseFileDlg::OpenInitialFolder() {
    const CString folder = m_ofn.lpstrInitialDir && *m_ofn.lpstrInitialDir ? CString(m_ofn.lpstrInitialDir)
                                                                           : GetLastPictureFolder();
    CItemIdList open;
    if (FAILED(m_desktop->ParseDisplayName(folder, open)))
        open = CItemIdList();
    const HTREEITEM root = m_tree.GetRootItem();
    if (!root) {
        EndDialog(IDCANCEL);
        return;
    }
    FillFolderItem(root, open);
    if (open.IsEmpty())
        m_tree.Expand(root, TVE_EXPAND);
}

void CBrowseFileDlg::OnFolderExpanding(const NMTREEVIEW& notice) {
    const HTREEITEM item = notice.itemNew.hItem;
    if (notice.action != TVE_EXPAND || m_tree.GetChildItem(item))
        return;
    FillFolderItem(item, CItemIdList());
    if (!m_tree.GetChildItem(item)) {
        TVITEM children{};
        children.mask = TVIF_CHILDREN;
        children.hItem = item;
        children.cChildren = 0;
        m_tree.SetItem(&children);
    }
}

void CBrowseFileDlg::OnFolderSelected(const NMTREEVIEW& notice) {
    const HTREEITEM item = notice.itemNew.hItem;
    FolderItem* record = RecordOf(item);
    if (!record)
        return;
    const CString path = FolderPathOf(item);
    m_result.SetFolder(path);
    SetWindowText(path.IsEmpty() ? m_caption : m_caption + " - " + path);
    if (m_rebuildOnSelection) {
        const HRESULT built = BuildFileList(record);
        if (built == kShellCancelled) {
            m_rebuildOnSelection = FALSE;
            m_tree.SelectItem(notice.itemOld.hItem);
            m_rebuildOnSelection = TRUE;
            return;
        }
        if (FAILED(built))
            return;
    }
    if (path.IsEmpty() || !m_watch.Start(path, GetSafeHwnd(), reinterpret_cast<LPARAM>(item)))
        m_watch.Stop();
}

LRESULT CBrowseFileDlg::OnDirectoryChanged(WPARAM kind, LPARAM treeItem) {
    const auto item = reinterpret_cast<HTREEITEM>(treeItem);
    if (!item)
        return kNoFolderRecord;
    return kind == kFolderNamesChanged ? OnFoldersChanged(item) : OnFilesChanged(item);
}

LRESULT CBrowseFileDlg::OnFoldersChanged(HTREEITEM item) {
    const FolderItem* record = RecordOf(item);
    if (!record || !record->folder)
        return 0;
    CWaitCursor wait;
    const std::shared_ptr<CShellFolder> folder = record->folder;
    std::vector<CItemIdList> children;
    const HRESULT listed = folder->EnumObjects(SHCONTF_FOLDERS, children);
    if (listed == kShellCancelled) {
        m_tree.DeleteItem(item);
        return 0;
    }
    if (FAILED(listed))
        return listed;
    for (HTREEITEM child = m_tree.GetChildItem(item); child;) {
        const HTREEITEM next = m_tree.GetNextSiblingItem(child);
        const FolderItem* childRecord = RecordOf(child);
        if (std::none_of(children.begin(), children.end(),
                         [&](const CItemIdList& ids) { return childRecord && ids == childRecord->ids; }))
            m_tree.DeleteItem(child);
        child = next;
    }
    // New subfolders go to the end, as they come.
    for (const CItemIdList& ids : children) {
        bool known = false;
        for (HTREEITEM child = m_tree.GetChildItem(item); child && !known;
             child = m_tree.GetNextSiblingItem(child))
            known = ids == RecordOf(child)->ids;
        if (!known)
            InsertFolderChild(item, *folder, ids);
    }
    TVITEM count{};
    count.mask = TVIF_CHILDREN;
    count.hItem = item;
    count.cChildren = m_tree.GetChildItem(item) ? 1 : 0;
    m_tree.SetItem(&count);
    return 0;
}
