// The file browser: construction, the result and filters, the filter list box, confirmation, and the
// dispatch of its notifications, timers and private messages.

#include "albums/BrowseFileDlg.h"

#include "albums/BrowseFilePattern.h"
#include "image/FileHelpers.h"
#include "platform/base/AppServices.h"
#include "platform/base/FileApi.h"
#include "platform/base/Resource.h"
#include "platform/ui/SystemMetrics.h"

#include <cstdlib>

namespace {

constexpr int kPreviewId = 105;
constexpr int kTreeId = 1140;
constexpr int kFileNameId = 1141;
constexpr int kFilterComboId = 1142;
constexpr int kListId = 6004;
constexpr int kInfoId = 6005;
constexpr int kSettingsButtonId = 6008;
constexpr int kThumbnailsButtonId = 6009;
constexpr int kIconsButtonId = 6010;
constexpr int kStatusId = 6018;

constexpr UINT_PTR kPropertiesTimer = 1;
constexpr UINT_PTR kInitialFolderTimer = 2;
constexpr UINT kInitialFolderDelayMs = 500;

constexpr char kReplacePrompt[] = "%s\n%s\nDie vorhandene Datei ersetzen?";
constexpr char kFileExistsText[] = "Die Datei ist bereits vorhanden.";

CString g_lastPictureFolder;

} // namespace

CString GetLastPictureFolder() {
    if (g_lastPictureFolder.IsEmpty()) {
        const char* home = std::getenv("HOME");
        return home ? CString(home) : CString("/");
    }
    return g_lastPictureFolder;
}

void SetLastPictureFolder(const CString& folder) {
    g_lastPictureFolder = folder;
}

CBrowseFileDlg::CBrowseFileDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR, DWORD dwFlags,
                               LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CDialog(IDD_BROWSE_FILE, pParentWnd), m_openFileDialog(bOpenFileDialog) {
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpstrDefExt = lpszDefExt;
    m_ofn.Flags |= dwFlags;
    if (lpszFilter)
        m_filterText = lpszFilter;
    m_ofn.nFilterIndex = static_cast<DWORD>(-1);
    TakeThumbnailSettings(ReadBrowseThumbnailSettings(kBrowseThumbnailSection));
}

CBrowseFileDlg::~CBrowseFileDlg() {
    StopImageList();
}

CString CBrowseFileDlg::GetSelectedPaths(POSITION& pos) const {
    return m_result.GetNextPath(pos, (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0);
}

void CBrowseFileDlg::AddFilter(CBrowseFileFilter* filter) {
    m_filters.AddTail(filter);
}

void CBrowseFileDlg::RemoveFilter(CBrowseFileFilter* filter) {
    if (POSITION pos = m_filters.Find(filter))
        RemoveFilterAt(pos);
}

void CBrowseFileDlg::RemoveFilterAt(POSITION pos) {
    if (pos)
        m_filters.RemoveAt(pos);
}

bool CBrowseFileDlg::MatchesCurrentFilter(CString path) const {
    return MatchesFilterPattern(m_patterns, static_cast<int>(m_ofn.nFilterIndex), path);
}

void CBrowseFileDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kThumbnailsButtonId, m_thumbnailsButton);
    DDX_Control(exchange, kIconsButtonId, m_iconsButton);
    DDX_Control(exchange, kListId, m_list);
    DDX_Control(exchange, kTreeId, m_tree);
    DDX_Control(exchange, kFilterComboId, m_filterCombo);
    DDX_Control(exchange, kPreviewId, m_preview);
    DDX_Text(exchange, kFileNameId, m_fileNameText);
    DDX_Text(exchange, kInfoId, m_infoText);
    DDX_Text(exchange, kStatusId, m_statusText);
}

BOOL CBrowseFileDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetWindowText(m_caption);

    // The tree's pictures: the strip of share overlay, link overlay, "no small icon" and folder, then
    // the shell's icons, each found by its key.
    CBitmap strip;
    if (!m_treeImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1) ||
        !LoadResourceBitmapWithPalette(strip, "#165", nullptr) ||
        m_treeImages.Add(&strip, RGB(0, 128, 128)) < 0) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_treeImages.SetOverlayImage(0, 1);
    m_treeImages.SetOverlayImage(1, 2);
    for (int image = 0; image < 4; ++image) {
        CString key;
        key.Format("PredefinedDovecrestIcon,%d", image);
        m_treeIconKeys.push_back(key);
    }
    m_tree.SetImageList(&m_treeImages, TVSIL_NORMAL);

    m_thumbnailImages.Create(m_thumbnailSize.cx, m_thumbnailSize.cy, ILC_COLOR32, 0, 1);
    SetThumbnailIconSpacing();
    m_list.SetImageList(&m_thumbnailImages, LVSIL_NORMAL);
    m_iconImages.Create(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), ILC_COLOR32, 0, 1);
    if (!(m_openFileDialog && (m_ofn.Flags & OFN_ALLOWMULTISELECT)))
        m_list.ModifyStyle(0, LVS_SINGLESEL);
    FillFilterCombo();

    m_desktop = CShellFolder::GetDesktopFolder();
    CString desktopName;
    if (!m_desktop || FAILED(m_desktop->GetDisplayNameOf(CItemIdList(), SHGDN_NORMAL, desktopName))) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (!InsertFolderItem(TVI_ROOT, desktopName, kFolderImage, {m_desktop, CItemIdList()}, TRUE)) {
        EndDialog(IDCANCEL);
        return TRUE;
    }

    m_thumbnailsButton.SetCheck(BST_CHECKED);
    ApplyListColours();
    SetTimer(kInitialFolderTimer, kInitialFolderDelayMs);
    return TRUE;
}

void CBrowseFileDlg::ApplyListColours() {
    m_list.SetBkColor(m_backgroundColour);
    m_list.SetTextBkColor(m_backgroundColour);
    m_list.SetTextColor(m_textColour);
}

void CBrowseFileDlg::FillFilterCombo() {
    // Pairs of description and pattern up to the first empty description.
    std::vector<CString> parts;
    for (int start = 0; start < m_filterText.GetLength();) {
        int end = m_filterText.Find('|', start);
        if (end < 0)
            end = m_filterText.GetLength();
        parts.push_back(m_filterText.Mid(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 0; i < parts.size() && !parts[i].IsEmpty(); i += 2) {
        m_filterCombo.AddString(parts[i]);
        if (i + 1 < parts.size()) {
            CString pattern = parts[i + 1];
            pattern.MakeLower();
            m_patterns.Add(pattern);
        }
    }
    int selected = parts.empty() ? CB_ERR : m_filterCombo.FindStringExact(-1, parts.front());
    if (selected == CB_ERR && m_filterCombo.GetCount() > 0)
        selected = 0;
    if (selected != CB_ERR) {
        m_filterCombo.SetCurSel(selected);
        m_ofn.nFilterIndex = static_cast<DWORD>(selected);
    }
}

void CBrowseFileDlg::OnFilterChanged() {
    const int selected = m_filterCombo.GetCurSel();
    if (selected == CB_ERR || selected == static_cast<int>(m_ofn.nFilterIndex))
        return;
    const HTREEITEM item = m_tree.GetSelectedItem();
    FolderItem* record = RecordOf(item);
    if (!record)
        return;
    m_ofn.nFilterIndex = static_cast<DWORD>(selected);
    BuildFileList(record);
}

void CBrowseFileDlg::OnOK() {
    UpdateData(TRUE);
    if (m_fileNameText.IsEmpty())
        return;
    // Names chosen in the list stay whole; only typed text is split by the quote rule.
    std::vector<CString> names = m_fileNameText == JoinChosenFileNames(m_chosenNames)
                                     ? m_chosenNames
                                     : SplitTypedFileNames(m_fileNameText);
    if (names.empty())
        return;
    m_result.SetNames(std::move(names));
    SetLastPictureFolder(m_result.GetFolder());

    const CString path = m_result.FormatPath();
    if (!m_openFileDialog && !path.IsEmpty() && GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES) {
        CString prompt;
        prompt.Format(kReplacePrompt, path.GetString(), kFileExistsText);
        if (AppServices().MessageBoxText(prompt, MB_YESNO) != IDYES) {
            EndDialog(IDCANCEL);
            return;
        }
    }
    EndDialog(IDOK);
}

BOOL CBrowseFileDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kFilterComboId && code == CBN_SELCHANGE) {
        OnFilterChanged();
        return TRUE;
    }
    if (code == BN_CLICKED && id == kSettingsButtonId) {
        OnThumbnailSettings();
        return TRUE;
    }
    if (code == BN_CLICKED && id == kThumbnailsButtonId) {
        ShowThumbnailsView();
        return TRUE;
    }
    if (code == BN_CLICKED && id == kIconsButtonId) {
        ShowIconsView();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CBrowseFileDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == kTreeId && header->code == TVN_ITEMEXPANDING) {
        OnFolderExpanding(*reinterpret_cast<const NMTREEVIEW*>(lParam));
        *result = 0;
        return TRUE;
    }
    if (header->idFrom == kTreeId && header->code == TVN_SELCHANGED) {
        OnFolderSelected(*reinterpret_cast<const NMTREEVIEW*>(lParam));
        return TRUE;
    }
    if (header->idFrom == kTreeId && header->code == TVN_DELETEITEM) {
        delete reinterpret_cast<FolderItem*>(reinterpret_cast<const NMTREEVIEW*>(lParam)->itemOld.lParam);
        return TRUE;
    }
    if (header->idFrom == kListId && header->code == LVN_ITEMCHANGED) {
        OnListItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        return TRUE;
    }
    if (header->idFrom == kListId && header->code == NM_DBLCLK) {
        OnOK();
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

BOOL CBrowseFileDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_FOLDERCHANGED) {
        const LRESULT answer = OnDirectoryChanged(wParam, lParam);
        if (result)
            *result = answer;
        return TRUE;
    }
    if (message == WM_THUMBNAILSREADY) {
        TakeThumbnails();
        if (result)
            *result = 0;
        return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

void CBrowseFileDlg::OnTimer(UINT_PTR id) {
    if (id == kInitialFolderTimer) {
        KillTimer(kInitialFolderTimer);
        OpenInitialFolder();
        return;
    }
    if (id == kPropertiesTimer) {
        KillTimer(kPropertiesTimer);
        m_tipTimer = FALSE;
        ShowProperties();
        return;
    }
    CDialog::OnTimer(id);
}

void CBrowseFileDlg::OnDestroy() {
    StopImageList();
    m_watch.Stop();
    m_list.SetImageList(nullptr, LVSIL_NORMAL);
    m_tree.SetImageList(nullptr, TVSIL_NORMAL);
    CDialog::OnDestroy();
    m_treeImages.DeleteImageList();
    m_thumbnailImages.DeleteImageList();
    m_iconImages.DeleteImageList();
}
