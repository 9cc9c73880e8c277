// The file browser's list: building it from the shown folder, the image list job and the thumbnails
// it hands over, the icons view, and the file changes the folder watch reports. Only this thread
// touches the list, its image lists and the path list; pictures are found by path, never by position.

#include "albums/BrowseFileDlg.h"
#include "albums/ThumbnailCell.h"
#include "platform/gdi/AlphaBitmap.h"
#include "platform/ui/ShellIcon.h"
#include "platform/ui/WaitCursor.h"

#include <algorithm>

namespace {

constexpr ULONG kAttributeMask = 0xFE3F0177;
// Behind the thumbnail; the cell around it is transparent, so the colour only fills the picture's
// own transparent parts.
constexpr COLORREF kThumbnailBackground = RGB(255, 255, 255);

struct ListedFile {
    CItemIdList ids;
    CString name;
    CString path;
};

} // namespace

bool CBrowseFileDlg::ShowsThumbnails() const {
    return m_thumbnailsButton.GetCheck() == BST_CHECKED;
}

void CBrowseFileDlg::ForgetImages() {
    StopImageList();
    m_thumbnailOfPath.clear();
    m_withoutThumbnail.clear();
    m_thumbnailImages.Remove(-1);
}

void CBrowseFileDlg::StopImageList() {
    if (m_job)
        m_job->Stop();
    m_job.reset();
}

void CBrowseFileDlg::StartImageList(std::vector<CString> paths) {
    m_job = std::make_unique<CImageListJob>(GetSafeHwnd(), std::move(paths), m_thumbnailSize,
                                            kThumbnailBackground);
    if (!m_job->Start())
        m_job.reset();
}

int CBrowseFileDlg::FindPath(const CString& path) const {
    const auto found = std::find(m_paths.begin(), m_paths.end(), path);
    return found == m_paths.end() ? -1 : static_cast<int>(found - m_paths.begin());
}

void CBrowseFileDlg::DeleteListItem(int item) {
    m_list.DeleteItem(item);
    m_paths.erase(m_paths.begin() + item);
}

int CBrowseFileDlg::IconForFile(const CShellFolder& folder, const CItemIdList& child) {
    CString kind;
    if (!folder.GetIconKey(child, kind))
        return -1;
    const auto known = m_iconOfKind.find(kind);
    if (known != m_iconOfKind.end())
        return known->second;
    const int image = AddShellIcon(m_iconImages, folder, child);
    m_iconOfKind.emplace(kind, image);
    return image;
}

int CBrowseFileDlg::ImageForPath(const CString& path, const CShellFolder& folder, const CItemIdList& child) {
    if (!ShowsThumbnails())
        return IconForFile(folder, child);
    const auto known = m_thumbnailOfPath.find(path);
    return known == m_thumbnailOfPath.end() ? -1 : known->second;
}

HRESULT CBrowseFileDlg::BuildFileList(FolderItem* record) {
    if (!record || !record->folder)
        return kNoFolderRecord;
    CWaitCursor wait;
    const CShellFolder& folder = *record->folder;
    std::vector<CItemIdList> children;
    const HRESULT listed = folder.EnumObjects(SHCONTF_NONFOLDERS, children);
    if (FAILED(listed))
        return listed;

    // The pictures are kept while the same folder is listed again (another view or filter).
    if (record->folder != m_shownFolder) {
        ForgetImages();
        m_shownFolder = record->folder;
    }
    StopImageList();
    m_list.DeleteAllItems();
    m_paths.clear();
    m_currentItem = -1;

    const bool thumbnails = ShowsThumbnails();
    std::vector<ListedFile> files;
    for (const CItemIdList& child : children) {
        ULONG attributes = kAttributeMask;
        ListedFile file{child, {}, {}};
        // A file that goes while the folder is read is left out.
        if (FAILED(folder.GetAttributesOf(child, attributes)) || !(attributes & SFGAO_FILESYSTEM) ||
            (attributes & SFGAO_FOLDER) ||
            FAILED(folder.GetDisplayNameOf(child, SHGDN_FORPARSING, file.path)))
            continue;
        if (!MatchesCurrentFilter(file.path) || !m_filters.Test(file.path))
            continue;
        if (thumbnails && m_withoutThumbnail.count(file.path))
            continue;
        if (FAILED(folder.GetDisplayNameOf(child, SHGDN_INFOLDER | SHGDN_FORPARSING, file.name)))
            continue;
        files.push_back(std::move(file));
    }
    std::stable_sort(files.begin(), files.end(), [&](const ListedFile& a, const ListedFile& b) {
        return static_cast<SHORT>(LOWORD(static_cast<DWORD>(folder.CompareIDs(0, a.ids, b.ids)))) < 0;
    });

    std::vector<CString> missing;
    for (const ListedFile& file : files) {
        const int image = ImageForPath(file.path, folder, file.ids);
        m_list.InsertItem(static_cast<int>(m_paths.size()), file.name, image);
        m_paths.push_back(file.path);
        if (thumbnails && image < 0)
            missing.push_back(file.path);
    }
    if (!missing.empty())
        StartImageList(std::move(missing));
    UpdateStatusText();
    return S_OK;
}

void CBrowseFileDlg::TakeThumbnails() {
    if (!m_job)
        return;
    std::vector<CImageListJob::Result> results = m_job->TakeResults();
    for (CImageListJob::Result& result : results)
        PutThumbnail(result.path, std::move(result.picture));
    // One paint for everything taken: painting the list per picture would cost more than making it.
    if (!results.empty())
        m_list.UpdateWindow();
}

void CBrowseFileDlg::PutThumbnail(const CString& path, std::unique_ptr<CPictureInfo> picture) {
    const std::vector<BYTE> cell =
        picture ? MakeThumbnailCell(*picture, m_thumbnailSize) : std::vector<BYTE>();
    CBitmap bitmap;
    const int image =
        !cell.empty() && CreateAlphaBitmap(bitmap, m_thumbnailSize.cx, m_thumbnailSize.cy, cell.data())
            ? m_thumbnailImages.Add(&bitmap, CLR_NONE)
            : -1;
    const int item = FindPath(path);
    if (image < 0) {
        m_withoutThumbnail.insert(path);
        if (item >= 0 && ShowsThumbnails())
            DeleteListItem(item);
        return;
    }
    m_thumbnailOfPath[path] = image;
    if (item < 0 || !ShowsThumbnails())
        return;
    LVITEM update{};
    update.mask = LVIF_IMAGE;
    update.iItem = item;
    update.iImage = image;
    m_list.SetItem(&update);
    m_list.RedrawItems(item, item);
}

void CBrowseFileDlg::RebuildSelectedFolder() {
    if (FolderItem* record = RecordOf(m_tree.GetSelectedItem()))
        BuildFileList(record);
}

LRESULT CBrowseFileDlg::OnFilesChanged(HTREEITEM item) {
    if (!(m_tree.GetItemState(item, TVIS_SELECTED) & TVIS_SELECTED))
        return 0;
    const FolderItem* record = RecordOf(item);
    if (!record || !record->folder)
        return 0;
    const CShellFolder& folder = *record->folder;
    std::vector<CItemIdList> children;
    const HRESULT listed = folder.EnumObjects(SHCONTF_NONFOLDERS, children);
    if (listed == kShellCancelled) {
        m_tree.DeleteItem(item);
        return 0;
    }
    if (FAILED(listed))
        return listed;
    std::vector<ListedFile> present;
    for (const CItemIdList& child : children) {
        ULONG attributes = kAttributeMask;
        ListedFile file{child, {}, {}};
        if (FAILED(folder.GetAttributesOf(child, attributes)) || !(attributes & SFGAO_FILESYSTEM) ||
            (attributes & SFGAO_FOLDER) ||
            FAILED(folder.GetDisplayNameOf(child, SHGDN_FORPARSING, file.path)) ||
            !MatchesCurrentFilter(file.path) || !m_filters.Test(file.path) ||
            FAILED(folder.GetDisplayNameOf(child, SHGDN_INFOLDER | SHGDN_FORPARSING, file.name)))
            continue;
        present.push_back(std::move(file));
    }
    auto isPresent = [&](const CString& path) {
        return std::any_of(present.begin(), present.end(),
                           [&](const ListedFile& file) { return file.path == path; });
    };
    for (int i = static_cast<int>(m_paths.size()) - 1; i >= 0; --i) {
        const CString path = m_paths[static_cast<std::size_t>(i)];
        if (isPresent(path))
            continue;
        DeleteListItem(i);
        m_thumbnailOfPath.erase(path);
        m_withoutThumbnail.erase(path);
    }
    const bool thumbnails = ShowsThumbnails();
    for (const ListedFile& file : present) {
        if (FindPath(file.path) >= 0 || (thumbnails && m_withoutThumbnail.count(file.path)))
            continue;
        const int image = ImageForPath(file.path, folder, file.ids);
        m_list.InsertItem(static_cast<int>(m_paths.size()), file.name, image);
        m_paths.push_back(file.path);
        if (!thumbnails || image >= 0)
            continue;
        if (!m_job || !m_job->Append(file.path)) {
            // The last run has taken its last file: keep what it still makes, then start another.
            if (m_job)
                m_job->WaitUntilEnded();
            TakeThumbnails();
            StartImageList({file.path});
        }
    }
    return 0;
}
