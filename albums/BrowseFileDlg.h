#pragma once
// CBrowseFileDlg: the program's own open and save dialog for pictures. The shell namespace as a folder
// tree, the picture files of the selected folder as thumbnails or large icons, a filter list, a preview
// with the focused file's properties and the number of files. The list shows every name at once; the
// thumbnails are made on all cores by an image list job and put on the items here, by path. The shown
// folder is watched: added and removed files and subfolders appear and go.

#include "albums/BrowseFileFilterList.h"
#include "albums/BrowseFileResult.h"
#include "albums/BrowseThumbnailSettings.h"
#include "albums/ImageListThread.h"
#include "platform/base/Arrays.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FolderWatch.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/ShellFolder.h"
#include "platform/ui/TreeCtrl.h"
#include "skin/DIBStatic1.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

inline constexpr UINT IDD_BROWSE_FILE = 424;
// Pictures of the tree's strip: overlays for shared items and links, "no small icon", a folder.
inline constexpr int kShareOverlayImage = 0;
inline constexpr int kLinkOverlayImage = 1;
inline constexpr int kNoSmallIconImage = 2;
inline constexpr int kFolderImage = 3;
// A list build without a folder.
inline constexpr HRESULT kNoFolderRecord = 0x20000001;

class CBrowseFileDlg : public CDialog {
public:
    // fileName is not used; flags are added to the record's; filter is "description|pattern|...||".
    CBrowseFileDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                   DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                   CWnd* pParentWnd = nullptr);
    ~CBrowseFileDlg() override;

    // The result, valid after IDOK.
    CString FormatPath() const { return m_result.FormatPath(); }
    CString GetFileName() const { return m_result.GetFileName(); }
    CString GetFileTitle() const { return m_result.GetFileTitle(); }
    CString GetFileExt() const { return m_result.GetFileExt(); }
    POSITION GetStartPosition() const { return m_result.GetStartPosition(); }
    CString GetSelectedPaths(POSITION& pos) const;
    const CBrowseFileResult& GetResult() const { return m_result; }

    // The dialog does not own its filters.
    void AddFilter(CBrowseFileFilter* filter);
    void RemoveFilter(CBrowseFileFilter* filter);
    void RemoveFilterAt(POSITION pos);

    void SetThumbnailSize(const CSize& size) { m_thumbnailSize = size; }
    CSize GetThumbnailSize() const { return m_thumbnailSize; }
    void SetSpacing(const CSize& spacing) { m_spacing = spacing; }
    CSize GetSpacing() const { return m_spacing; }

    // The selected filter's pattern test: the path's extension, dot included, lower-cased, occurs in it.
    bool MatchesCurrentFilter(CString path) const;

    // The item data of a tree item: its folder, and its id list relative to the parent's folder.
    struct FolderItem {
        std::shared_ptr<CShellFolder> folder;
        CItemIdList ids;
    };

    // Lists the folder's files that pass the filters and starts the thumbnails that are missing. 0,
    // kNoFolderRecord without a folder, or the shell's failure code (the list stays as it was).
    HRESULT BuildFileList(FolderItem* record);
    // A change of the watched folder: kind 0 subfolders, 1 files.
    LRESULT OnDirectoryChanged(WPARAM kind, LPARAM treeItem);

    OPENFILENAME m_ofn;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    // Tree (BrowseFileTree.cpp).
    BOOL FillFolderItem(HTREEITEM item, const CItemIdList& open);
    // Inserts an item that owns a copy of record; null when the tree refused it.
    HTREEITEM InsertFolderItem(HTREEITEM parent, const CString& text, int image, const FolderItem& record,
                               BOOL hasChildren);
    HTREEITEM InsertFolderChild(HTREEITEM parent, const CShellFolder& parentFolder, const CItemIdList& child);
    int GetShellIconIndex(const CShellFolder& folder, const CItemIdList& child);
    void OpenInitialFolder();
    void OnFolderExpanding(const NMTREEVIEW& notice);
    void OnFolderSelected(const NMTREEVIEW& notice);
    LRESULT OnFoldersChanged(HTREEITEM item);
    FolderItem* RecordOf(HTREEITEM item) const;
    const CShellFolder* ParentFolderOf(HTREEITEM item) const;
    CString FolderPathOf(HTREEITEM item) const;

    // File list (BrowseFileList.cpp).
    void StopImageList();
    void StartImageList(std::vector<CString> paths);
    void TakeThumbnails();
    void PutThumbnail(const CString& path, std::unique_ptr<CPictureInfo> picture);
    int ImageForPath(const CString& path, const CShellFolder& folder, const CItemIdList& child);
    int IconForFile(const CShellFolder& folder, const CItemIdList& child);
    int FindPath(const CString& path) const;
    void DeleteListItem(int item);
    LRESULT OnFilesChanged(HTREEITEM item);
    bool ShowsThumbnails() const;
    void ForgetImages();
    void RebuildSelectedFolder();

    // The rest (BrowseFileDlg.cpp, BrowseFileView.cpp).
    BrowseThumbnailSettings GetThumbnailSettings() const;
    void TakeThumbnailSettings(const BrowseThumbnailSettings& settings);
    // Command 6008: the settings dialog; what changed is applied to the open browser at once.
    void OnThumbnailSettings();
    void SetThumbnailIconSpacing();
    void FillFilterCombo();
    void OnFilterChanged();
    void OnListItemChanged(const NMLISTVIEW& notice);
    void UpdateStatusText();
    void ShowProperties();
    void ShowThumbnailsView();
    void ShowIconsView();
    void ApplyListColours();

    CButton m_thumbnailsButton;
    CButton m_iconsButton;
    CListCtrl m_list;
    CTreeCtrl m_tree;
    CComboBox m_filterCombo;
    CString m_fileNameText;
    CString m_infoText;
    CString m_statusText;
    CBrowseFileFilterList m_filters;
    CDIBStatic1 m_preview;
    CSize m_spacing;
    CSize m_thumbnailSize;
    CString m_filterText; // "description|pattern|...||"
    BOOL m_openFileDialog;
    std::shared_ptr<CShellFolder> m_desktop;
    CImageList m_treeImages;
    CImageList m_thumbnailImages; // 32 bits with alpha: thumbnails centred on transparent cells
    CImageList m_iconImages;
    std::vector<CString> m_treeIconKeys;
    COLORREF m_backgroundColour = 0;
    COLORREF m_textColour = 0;
    CString m_caption;
    BOOL m_rebuildOnSelection = TRUE;
    std::vector<CString> m_paths; // the parsing path of each list item, in list order
    BOOL m_tipTimer = FALSE;
    int m_currentItem = -1;
    CStringArray m_patterns;

    CBrowseFileResult m_result;
    std::vector<CString> m_chosenNames; // the selected items' names behind m_fileNameText
    CFolderWatch m_watch;
    std::shared_ptr<CShellFolder> m_shownFolder; // the folder whose pictures the image lists hold
    std::unique_ptr<CImageListJob> m_job;
    std::map<CString, int> m_thumbnailOfPath;
    std::set<CString> m_withoutThumbnail;
    std::map<CString, int> m_iconOfKind;
};

// The folder the browser opens when the caller names none: the last one a picture was chosen in, kept
// for the run of the program (the home folder at first).
CString GetLastPictureFolder();
void SetLastPictureFolder(const CString& folder);
