// The file browser's views and texts: thumbnails or large icons and their settings, the status and
// file-name texts that follow the list's selection, and the focused file's preview and properties.

#include "albums/BrowseFileDlg.h"
#include "albums/BrowseFileSettingsDlg.h"
#include "platform/imaging/ImagingFile.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>

namespace {

constexpr UINT_PTR kPropertiesTimer = 1;
constexpr UINT kPropertiesDelayMs = 100;
// The list's cells grow with thumbnail and gap up to this many pixels a side.
constexpr int kMaxThumbnailCell = 150;

} // namespace

void CBrowseFileDlg::UpdateStatusText() {
    const int count = m_list.GetItemCount();
    const int selected = static_cast<int>(m_list.GetSelectedCount());
    if (selected > 0)
        m_statusText.Format("%d Objekte aus %d ausgewählt", selected, count);
    else
        m_statusText.Format("%d Objekte", count);
    SetDlgItemText(6018, m_statusText);
}

void CBrowseFileDlg::OnListItemChanged(const NMLISTVIEW& notice) {
    UpdateData(TRUE);
    UpdateStatusText();

    m_chosenNames.clear();
    for (int item = m_list.GetNextItem(-1, LVNI_SELECTED); item >= 0;
         item = m_list.GetNextItem(item, LVNI_SELECTED))
        m_chosenNames.push_back(m_list.GetItemText(item, 0));
    m_fileNameText = m_chosenNames.empty() ? CString() : JoinChosenFileNames(m_chosenNames);

    const int previous = m_currentItem;
    if (notice.iItem < 0) {
        m_currentItem = -1;
    } else if (notice.uChanged & LVIF_STATE) {
        const UINT gained = notice.uNewState & ~notice.uOldState;
        if ((gained & LVIS_SELECTED) && m_currentItem < 0)
            m_currentItem = notice.iItem;
        if (gained & LVIS_FOCUSED)
            m_currentItem = notice.iItem;
    }
    UpdateData(FALSE);
    if (m_currentItem != previous && !m_tipTimer) {
        SetTimer(kPropertiesTimer, kPropertiesDelayMs);
        m_tipTimer = TRUE;
    }
}

void CBrowseFileDlg::ShowProperties() {
    UpdateData(TRUE);
    if (m_currentItem < 0 || m_currentItem >= m_list.GetItemCount()) {
        m_preview.Invalidate();
        m_infoText.Empty();
        UpdateData(FALSE);
        return;
    }
    const CString name = m_list.GetItemText(m_currentItem, 0);
    const CString path = JoinFolderAndName(m_result.GetFolder(), name);
    ImagingFileInfo info;
    if (ReadImagingFileInfo(path, info)) {
        m_preview.LoadPicture(path);
        m_infoText.Format(
            "Name: \t\t%s\nBreite: \t\t%d\nHöhe: \t\t%d\nBPP: \t\t%d\nDateigröße: \t%lld\nKompression: \t%s",
            name.GetString(), info.width, info.height, info.bitsPerPixel,
            static_cast<long long>(info.fileSize), info.compression.GetString());
    }
    UpdateData(FALSE);
}

void CBrowseFileDlg::ShowThumbnailsView() {
    m_thumbnailsButton.SetCheck(BST_CHECKED);
    m_iconsButton.SetCheck(BST_UNCHECKED);
    m_list.SetImageList(&m_thumbnailImages, LVSIL_NORMAL);
    SetThumbnailIconSpacing();
    RebuildSelectedFolder();
}

void CBrowseFileDlg::ShowIconsView() {
    m_iconsButton.SetCheck(BST_CHECKED);
    m_thumbnailsButton.SetCheck(BST_UNCHECKED);
    m_list.SetImageList(&m_iconImages, LVSIL_NORMAL);
    m_list.SetIconSpacing(GetSystemMetrics(SM_CXICONSPACING), GetSystemMetrics(SM_CYICONSPACING));
    RebuildSelectedFolder();
}

void CBrowseFileDlg::SetThumbnailIconSpacing() {
    m_list.SetIconSpacing(std::min(m_thumbnailSize.cx + m_spacing.cx, kMaxThumbnailCell),
                          std::min(m_thumbnailSize.cy + m_spacing.cy, kMaxThumbnailCell));
}

BrowseThumbnailSettings CBrowseFileDlg::GetThumbnailSettings() const {
    return {m_thumbnailSize.cx, m_thumbnailSize.cy, m_spacing.cx,
            m_spacing.cy,       m_backgroundColour, m_textColour};
}

void CBrowseFileDlg::TakeThumbnailSettings(const BrowseThumbnailSettings& settings) {
    m_thumbnailSize = CSize(settings.thumbWidth, settings.thumbHeight);
    m_spacing = CSize(settings.spacingX, settings.spacingY);
    m_backgroundColour = settings.backgroundColor;
    m_textColour = settings.textColor;
}

void CBrowseFileDlg::OnThumbnailSettings() {
    const BrowseThumbnailSettings before = GetThumbnailSettings();
    CBrowseFileSettingsDlg dialog(this);
    dialog.SetSettings(before);
    dialog.SetSection(kBrowseThumbnailSection);
    if (dialog.DoModal() != IDOK)
        return;
    const BrowseThumbnailSettings& after = dialog.GetSettings();
    TakeThumbnailSettings(after);
    if (after.backgroundColor != before.backgroundColor || after.textColor != before.textColor) {
        ApplyListColours();
        m_list.Invalidate();
    }
    const bool sizeChanged = after.thumbWidth != before.thumbWidth || after.thumbHeight != before.thumbHeight;
    if (sizeChanged) {
        // Pictures of the old size are no use: the running job stops and every thumbnail is made anew.
        ForgetImages();
        m_thumbnailImages.DeleteImageList();
        m_thumbnailImages.Create(m_thumbnailSize.cx, m_thumbnailSize.cy, ILC_COLOR32, 0, 1);
    }
    const bool spacingChanged = after.spacingX != before.spacingX || after.spacingY != before.spacingY;
    if (ShowsThumbnails() && (sizeChanged || spacingChanged)) {
        SetThumbnailIconSpacing();
        m_list.SetImageList(&m_thumbnailImages, LVSIL_NORMAL);
        RebuildSelectedFolder();
    }
}
