// The album dialog's window: construction, opening, painting, dragging, the focus rule and the routing of
// its commands.

#include "albums/AlbumDlg.h"

#include "albums/PhotoWnd.h"
#include "app/MainWnd.h"
#include "platform/base/GlobalMemory.h"
#include "platform/print/PrintDialog.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinApp.h"
#include "skin/AlbumComboBox.h"
#include "skin/TransparentStatic.h"

#include <algorithm>
#include <iterator>

IMPLEMENT_DYNAMIC(CAlbumDlg, CDialog)

namespace {

// The buttons in the order of the data exchange (and of the button members).
constexpr UINT kExchangeIds[CAlbumDlg::kButtonCount] = {1025, 1022, 1017, 1016, 1015, 1014, 1013, 1023, 1028,
                                                        1027, 1026, 1024, 1012, 1011, 1021, IDOK, 1008, 1019,
                                                        1005, 1009, 1020, 1006, 1010, 1007, 1018};

constexpr DWORD kPrintSetupFlags =
    PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE;

} // namespace

CAlbumDlg::CAlbumDlg(CWnd* parent)
    : CDialog(IDD_ALBUM, parent),
      m_printSetup(std::make_unique<CPrintDialog>(TRUE, kPrintSetupFlags, nullptr)) {
    m_printSetup->GetDefaults();
}

CAlbumDlg::~CAlbumDlg() {
    // The print set-up's printer blocks are its owner's to free.
    GlobalFree(m_printSetup->m_pd.hDevMode);
    GlobalFree(m_printSetup->m_pd.hDevNames);
    if (m_combo && m_combo->GetSafeHwnd())
        m_combo->DestroyWindow();
    for (auto& caption : m_captions) {
        if (caption && caption->GetSafeHwnd())
            caption->DestroyWindow();
    }
}

void CAlbumDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    for (size_t i = 0; i < m_buttons.size(); ++i)
        DDX_Control(exchange, static_cast<int>(kExchangeIds[i]), m_buttons[i]);
}

CMyBitmapButton* CAlbumDlg::Button(UINT id) {
    const auto* found = std::find(std::begin(kExchangeIds), std::end(kExchangeIds), id);
    return found == std::end(kExchangeIds) ? nullptr : &m_buttons[static_cast<size_t>(found - kExchangeIds)];
}

BOOL CAlbumDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bInitialising = TRUE;
    CRect desktop;
    GetDesktopWindow()->GetWindowRect(&desktop);
    SetWindowPos(nullptr, (desktop.Width() - kWidth) / 2, (desktop.Height() - kHeight) / 2 + 1, m_nWidth,
                 m_nHeight, SWP_NOZORDER);
    if (!m_background.Load("ALBUM_WND", this) || !CreateSkin() || !CreateCaptions()) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    FillAlbumList();
    ShowInitialPhoto();
    UpdatePageButtons();
    m_bInitialising = FALSE;
    AddToolTips();
    return TRUE;
}

void CAlbumDlg::OnDestroy() {
    // The tiles go first, while their windows still exist.
    DeletePhotoWnds();
    // A scan that is still running must not hand its picture to a dialog that is gone.
    auto* main = dynamic_cast<CMainWnd*>(AfxGetMainWnd());
    if (main && main->GetScanAlbumDlg() == this)
        main->SetScanAlbumDlg(nullptr);
    CDialog::OnDestroy();
}

BOOL CAlbumDlg::PreTranslateMessage(MSG* message) {
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

CPhotoWnd* CAlbumDlg::GetPhotoWnd(int index) {
    return index >= 0 && index < GetPhotoWndCount() ? m_tiles[static_cast<size_t>(index)] : nullptr;
}

void CAlbumDlg::OnPaint() {
    CPaintDC dc(this);
    m_background.Paint(&dc, m_nWidth, m_nHeight);
}

BOOL CAlbumDlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

LRESULT CAlbumDlg::OnNcHitTest(CPoint) {
    // The dialog is dragged by its background.
    return HTCAPTION;
}

BOOL CAlbumDlg::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    if (window == this) {
        if (CWnd* holder = GetDlgItem(kFocusHolderId))
            holder->SetFocus();
    } else if (window) {
        window->SetFocus();
    }
    return CDialog::OnSetCursor(window, hitTest, message);
}

BOOL CAlbumDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(static_cast<DWORD>(wParam));
    const WORD code = HIWORD(static_cast<DWORD>(wParam));
    if (id == kAlbumComboId) {
        if (code == CBN_SELCHANGE)
            OnSelchangeAlbum();
        return TRUE;
    }
    const auto* info = std::find(kInfoIds.begin(), kInfoIds.end(), id);
    if (info != kInfoIds.end() && code == BN_CLICKED) {
        OnPhotoInfo(static_cast<int>(info - kInfoIds.begin()));
        return TRUE;
    }
    if (code != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    switch (id) {
    case kAddPhotosId:
        OnAddPhotos();
        return TRUE;
    case kNewAlbumId:
        OnNewAlbum();
        return TRUE;
    case kRemovePhotosId:
        OnRemovePhotos();
        return TRUE;
    case kSortId:
        OnSortAlbum();
        return TRUE;
    case kExitId:
        OnExit();
        return TRUE;
    case kFindId:
        OnFindPhoto();
        return TRUE;
    case kPrevPageId:
        OnPrevPage();
        return TRUE;
    case kNextPageId:
        OnNextPage();
        return TRUE;
    case kDeleteAlbumId:
        OnDeleteAlbum();
        return TRUE;
    case kScanId:
    case kScan2Id:
        OnScan();
        return TRUE;
    case kPrintIndexId:
        OnPrintIndex();
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}
