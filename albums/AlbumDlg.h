#pragma once
// CAlbumDlg: the modal, skinned browser of the photo albums (template 156). It shows one album at a time
// as pages of twelve photo tiles with a caption under each, lets the user choose the album, turn pages,
// select photos and manage the album: add files and scans, remove photos, create, delete and sort
// albums, find photos, edit a photo's information and print an index. After IDOK the caller reads the
// album shown and the current index.

#include "albums/AlbumDlgServices.h"
#include "app/ScanAlbumDlg.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ToolTipCtrl.h"
#include "skin/MyBitmapButton.h"
#include "skin/SkinBackground.h"

#include <array>
#include <memory>
#include <vector>

class CAlbumComboBox;
class CDC;
class CDSObj;
class CPrintDialog;
class CTransparentStatic;

inline constexpr UINT IDD_ALBUM = 156;

class CAlbumDlg : public CDialog, public IAlbumDlgServices, public IScanAlbumDlg {
    DECLARE_DYNAMIC(CAlbumDlg)
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    static constexpr int kTilesPerPage = 12;
    static constexpr int kButtonCount = 25;
    // Control ids.
    static constexpr UINT kAddPhotosId = 1005;
    static constexpr UINT kNewAlbumId = 1006;
    static constexpr UINT kRemovePhotosId = 1007;
    static constexpr UINT kSortId = 1008;
    static constexpr UINT kExitId = 1009;
    static constexpr UINT kFindId = 1010;
    static constexpr UINT kPrevPageId = 1011;
    static constexpr UINT kNextPageId = 1012;
    static constexpr UINT kDeleteAlbumId = 1018;
    static constexpr UINT kScanId = 1019;
    static constexpr UINT kPrintIndexId = 1020;
    static constexpr UINT kScan2Id = 1021;
    static constexpr UINT kFocusHolderId = 1066;
    static constexpr UINT kAlbumComboId = 2044;
    static constexpr UINT kCaptionId = 2052;
    static constexpr UINT kFirstTileId = 5000;
    // The info button of each page slot.
    static constexpr std::array<UINT, kTilesPerPage> kInfoIds = {1024, 1023, 1013, 1014, 1015, 1016,
                                                                 1017, 1022, 1025, 1026, 1027, 1028};

    // The index print: printer context, album name, the photos in album order, and the print options'
    // range flag with its first and last photo number. The context stays the caller's. Tests put a
    // recorder in place of the album index print.
    using IndexPrinter = void (*)(CDC* printerDC, const CString& albumName,
                                  const std::vector<const CDSObj*>& photos, int range, UINT first, UINT last);
    static IndexPrinter s_indexPrinter;

    explicit CAlbumDlg(CWnd* parent);
    ~CAlbumDlg() override;
    CAlbumDlg(const CAlbumDlg&) = delete;
    CAlbumDlg& operator=(const CAlbumDlg&) = delete;

    // IAlbumDlgServices.
    void SelectPhoto(CPhotoWnd* tile, UINT keyFlags) override;
    CDSAlbum* GetAlbum() override { return m_pAlbum; }
    int GetCurrentIndex() override { return m_nCurrentIndex; }
    void EndDialog(int result) override { CDialog::EndDialog(result); }
    int GetPhotoWndCount() override { return static_cast<int>(m_tiles.size()); }
    CPhotoWnd* GetPhotoWnd(int index) override;
    void SetFirstVisibleIndex(int index) override { m_nFirstVisible = index; }
    void LayoutPhotoWnds() override;
    void UpdatePageButtons() override;
    void SetModified(BOOL modified) override { m_bModified = modified ? 1 : 0; }

    // IScanAlbumDlg: one picture file into the album shown; FALSE when none is shown or it refuses.
    BOOL AddPhotoFile(const CString& path) override;

    int GetFirstVisibleIndex() const { return m_nFirstVisible; }
    int GetSelectionSteps() const { return m_nSteps; }
    BOOL IsModified() const { return m_bModified; }
    CAlbumComboBox* GetAlbumCombo() const { return m_combo.get(); }
    CTransparentStatic* GetCaption(int slot) const { return m_captions[static_cast<size_t>(slot)].get(); }
    CPrintDialog* GetPrintSetup() const { return m_printSetup.get(); }

    BOOL PreTranslateMessage(MSG* message) override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    LRESULT OnNcHitTest(CPoint point) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;

private:
    // Skin and labels (AlbumDlgSkin.cpp).
    bool CreateSkin();
    bool CreateCaptions();
    void AddToolTips();
    CMyBitmapButton* Button(UINT id);

    // Album list and tiles (AlbumDlgPages.cpp).
    void FillAlbumList();
    void OnSelchangeAlbum();
    bool CreatePhotoWnds();
    bool AddPhotoWnd(CDSObj* photo);
    void DeletePhotoWnds();
    bool CreateTileWindow(CPhotoWnd* tile, int index);
    static void DisposeTile(CPhotoWnd* tile);
    void UpdateCaptions();
    void ShowInitialPhoto();
    void PageBack();
    void OnPrevPage();
    void OnNextPage();
    void UpdateCurrentFromSelection();
    void OnExit();

    // Commands (AlbumDlgCommands.cpp).
    void PlaySound(LPCTSTR fileName) const;
    void OnAddPhotos();
    // One file as a new photo of the album shown, with its tile; false (message 103) when refused.
    bool AddPhotoEntry(const CString& path);
    void OnRemovePhotos();
    void RemoveSelectedPhotos();
    void OnNewAlbum();
    void OnDeleteAlbum();
    // After the album was deleted: the main window no longer holds it and the panel no longer lists it.
    void ForgetDeletedAlbum(CDSAlbum* deleted);
    void OnSortAlbum();
    void SyncPhotoWndOrder();
    void OnFindPhoto();
    void OnPhotoInfo(int slot);
    void OnScan();
    void OnPrintIndex();

    // Bound in this order by the data exchange.
    std::array<CMyBitmapButton, kButtonCount> m_buttons;
    CSkinBackground m_background;
    int m_nWidth = kWidth;
    int m_nHeight = kHeight;
    std::vector<CPhotoWnd*> m_tiles; // a tile with a window deletes itself with it
    std::array<std::unique_ptr<CTransparentStatic>, kTilesPerPage> m_captions;
    int m_nAnchor = -1;
    CToolTipCtrl m_toolTip;
    std::unique_ptr<CPrintDialog> m_printSetup;
    CDSAlbum* m_pAlbum = nullptr;
    std::unique_ptr<CAlbumComboBox> m_combo;
    int m_nFirstVisible = -1;
    BYTE m_bModified = 0;
    BYTE m_bInitialising = 0;
    int m_nCurrentIndex = -1;
    int m_nSteps = 0;
};
