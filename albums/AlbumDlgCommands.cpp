// The album dialog's commands that change the album or run another dialog: adding files and scans,
// removing photos, new and deleted albums, sorting, finding, photo information and the index print.

#include "albums/AddAlbumDlg.h"
#include "albums/AlbumDlg.h"
#include "albums/BrowseFileDlg.h"
#include "albums/CategWnd.h"
#include "albums/CategoryPanelHost.h"
#include "albums/FindPhotoDlg.h"
#include "albums/PhotoInfoDlg.h"
#include "albums/PhotoWnd.h"
#include "albums/SortAlbumDlg.h"
#include "app/MainWnd.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "output/AlbumIndexPrint.h"
#include "output/PrnAlbumDlg.h"
#include "platform/base/AppServices.h"
#include "platform/base/Profile.h"
#include "platform/sound/PlaySound.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WinApp.h"
#include "skin/AlbumComboBox.h"

#include <memory>

namespace {

constexpr UINT kNotAddedId = 103;
constexpr UINT kRemoveQuestionId = 109;
constexpr UINT kDeleteQuestionId = 110;
constexpr UINT kPictureFilterId = 251;
constexpr UINT kNewPhotoTitleId = 62053;
constexpr DWORD kBrowseFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT;
// The sort dialog's key buttons, in the order of the album's sort keys 1 to 5.
constexpr UINT kFirstSortKeyId = 1019;
constexpr UINT kLastSortKeyId = 1023;

CResType* PhotoKind() {
    CDSObjMgr* manager = GetDSObjMgr();
    return manager ? manager->GetResType(kResTypePictures) : nullptr;
}

} // namespace

CAlbumDlg::IndexPrinter CAlbumDlg::s_indexPrinter = &PrintAlbumIndex;

void CAlbumDlg::PlaySound(LPCTSTR fileName) const {
    if (AppServices().IsSoundEnabled())
        sndPlaySound(AppServices().GetSoundPath() + fileName, SND_ASYNC);
}

void CAlbumDlg::OnAddPhotos() {
    PlaySound("/tick.wav");
    if (!m_pAlbum)
        return;
    const CString filter = AppServices().LoadString(kPictureFilterId);
    CBrowseFileDlg browser(TRUE, nullptr, nullptr, kBrowseFlags, filter, this);
    if (browser.DoModal() != IDOK)
        return;
    {
        CWaitCursor wait;
        for (POSITION pos = browser.GetStartPosition(); pos;)
            AddPhotoEntry(browser.GetSelectedPaths(pos));
    }
    m_bModified = TRUE;
    UpdatePageButtons();
}

bool CAlbumDlg::AddPhotoEntry(const CString& path) {
    CDSObjMgr* manager = GetDSObjMgr();
    CDSObj* photo = manager ? manager->NewObjectOfKind(PhotoKind(), true, true, path) : nullptr;
    if (!photo)
        return false;
    photo->SetTitle(AppServices().LoadString(kNewPhotoTitleId));
    if (!m_pAlbum->AddObjects(photo)) {
        AppServices().MessageBox(kNotAddedId);
        // No album holds it, so it is deleted despite the album flag it was made with.
        photo->SetAlbumOwned(false);
        manager->DeleteObject(photo);
        return false;
    }
    AddPhotoWnd(photo);
    return true;
}

BOOL CAlbumDlg::AddPhotoFile(const CString& path) {
    if (!m_pAlbum)
        return FALSE;
    const bool added = AddPhotoEntry(path);
    m_bModified = TRUE;
    return added ? TRUE : FALSE;
}

void CAlbumDlg::OnRemovePhotos() {
    PlaySound("/tick.wav");
    if (AppServices().MessageBox(kRemoveQuestionId, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CWaitCursor wait;
    m_bModified = TRUE;
    RemoveSelectedPhotos();
    LayoutPhotoWnds();
    m_nAnchor = -1;
    m_nSteps = 0;
    UpdatePageButtons();
}

void CAlbumDlg::RemoveSelectedPhotos() {
    std::vector<CPhotoWnd*> kept;
    bool pageSettled = false;
    bool pending = false;
    bool currentRemoved = false;
    int removedBeforeCurrent = 0;
    for (int i = 0; i < GetPhotoWndCount(); ++i) {
        CPhotoWnd* tile = m_tiles[static_cast<size_t>(i)];
        if (!tile->IsSelected()) {
            if (pending) {
                m_nFirstVisible += kTilesPerPage;
                pending = false;
            }
            kept.push_back(tile);
            continue;
        }
        if (!pageSettled && i % kTilesPerPage == 0) {
            m_nFirstVisible = i / kTilesPerPage * kTilesPerPage - kTilesPerPage;
            pending = m_nFirstVisible >= 0;
            m_nFirstVisible = std::max(m_nFirstVisible, 0);
            pageSettled = true;
        }
        // The album deletes the entry; a refused removal keeps the photo and its tile.
        if (!m_pAlbum->RemoveObjects(tile->GetPhoto())) {
            kept.push_back(tile);
            continue;
        }
        if (i == m_nCurrentIndex)
            currentRemoved = true;
        else if (i < m_nCurrentIndex)
            ++removedBeforeCurrent;
        DisposeTile(tile);
    }
    m_tiles = std::move(kept);
    // The current index follows its photo.
    if (m_tiles.empty())
        m_nCurrentIndex = -1;
    else if (currentRemoved)
        m_nCurrentIndex = 0;
    else
        m_nCurrentIndex -= removedBeforeCurrent;
}

void CAlbumDlg::OnNewAlbum() {
    PlaySound("/tick.wav");
    CAddAlbumDlg naming(this);
    if (naming.DoModal() != IDOK)
        return;
    CDSObjMgr* manager = GetDSObjMgr();
    CDSAlbum* album = manager ? manager->CreateAlbum(PhotoKind(), naming.GetName()) : nullptr;
    if (!album)
        return;
    const int index = m_combo->AddString(album->GetTitle());
    m_combo->SetItemData(index, reinterpret_cast<DWORD_PTR>(album));
    m_combo->SetCurSel(index);
    OnSelchangeAlbum();
}

void CAlbumDlg::OnDeleteAlbum() {
    PlaySound("/tick.wav");
    if (!m_pAlbum ||
        AppServices().MessageBox(kDeleteQuestionId, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    // The tiles show entries of the album: they go before it does.
    DeletePhotoWnds();
    CDSAlbum* deleted = m_pAlbum;
    m_pAlbum = nullptr;
    if (GetDSObjMgr()->DeleteAlbum(deleted))
        ForgetDeletedAlbum(deleted);
    m_combo->Invalidate();
    const int removed = m_combo->GetCurSel();
    m_combo->DeleteString(static_cast<UINT>(removed));
    if (m_combo->GetCount() == 0) {
        LayoutPhotoWnds();
        UpdatePageButtons();
        return;
    }
    m_combo->SetCurSel(removed > 0 ? removed - 1 : 0);
    OnSelchangeAlbum();
}

// The album object is gone: only its address is compared here.
void CAlbumDlg::ForgetDeletedAlbum(CDSAlbum* deleted) {
    ICategoryPanelHost& host = CategoryPanelHost();
    const bool wasCurrent = host.GetCurrentAlbum() == deleted;
    auto* panel = dynamic_cast<CCategWnd*>(host.GetCategoryPanel());
    if (wasCurrent) {
        if (panel)
            panel->ClearPhotoAlbum();
        else
            host.SetCurrentAlbum(nullptr);
    }
    if (!panel || panel->GetCurrentCategory() != 0)
        return;
    // The panel's album list held the album: it is listed anew, on the current album's entry.
    panel->ReloadAlbums();
    CComboBox* albums = panel->GetAlbumCombo();
    CDSAlbum* current = host.GetCurrentAlbum();
    if (albums && current)
        albums->SetCurSel(albums->FindStringExact(-1, current->GetTitle()));
}

void CAlbumDlg::OnSortAlbum() {
    PlaySound("/tick.wav");
    if (!m_pAlbum)
        return;
    CSortAlbumDlg sorting(this);
    if (sorting.DoModal() != IDOK)
        return;
    m_bModified = TRUE;
    const UINT keyId = static_cast<UINT>(sorting.GetSortKey());
    if (keyId >= kFirstSortKeyId && keyId <= kLastSortKeyId) {
        const int key = static_cast<int>(keyId - kFirstSortKeyId) + 1;
        const bool ascending = sorting.GetDirection() == 1;
        m_pAlbum->Sort(key, ascending);
    }
    SyncPhotoWndOrder();
    LayoutPhotoWnds();
}

void CAlbumDlg::SyncPhotoWndOrder() {
    std::vector<CPhotoWnd*> ordered;
    std::vector<CPhotoWnd*> unmoved = m_tiles;
    for (int i = 0; i < m_pAlbum->GetObjectCount(); ++i) {
        const CDSObj* photo = m_pAlbum->GetObjectAt(i);
        for (auto tile = unmoved.begin(); tile != unmoved.end(); ++tile) {
            if ((*tile)->GetPhoto() == photo) {
                ordered.push_back(*tile);
                unmoved.erase(tile);
                break;
            }
        }
    }
    ordered.insert(ordered.end(), unmoved.begin(), unmoved.end());
    m_tiles = std::move(ordered);
}

void CAlbumDlg::OnFindPhoto() {
    PlaySound("/tick.wav");
    CFindPhotoDlg finding(this);
    finding.DoModal();
}

void CAlbumDlg::OnPhotoInfo(int slot) {
    PlaySound("/info.wav");
    const int index = m_nFirstVisible + slot;
    if (m_nFirstVisible < 0 || index > GetPhotoWndCount() - 1 || !m_pAlbum)
        return;
    CDSObj* photo = m_pAlbum->GetObjectAt(index);
    if (!photo)
        return;
    CPhotoInfoDlg information(photo, this);
    if (information.DoModal() == IDOK && m_pAlbum->SaveObjectInfo(photo))
        UpdateCaptions();
}

void CAlbumDlg::OnScan() {
    PlaySound("/tick.wav");
    auto* main = dynamic_cast<CMainWnd*>(AfxGetMainWnd());
    if (!main || !main->IsTwainAvailable())
        return;
    main->SetParentWnd(main);
    if (!main->OpenSourceManager(main)) {
        main->OnError(0);
        return;
    }
    if (main->SelectSource(GetProfileString("Settings", "TwainSource", ""), main)) {
        main->SetScanAlbumDlg(this);
        main->Acquire(main);
    }
}

void CAlbumDlg::OnPrintIndex() {
    PlaySound("/tick.wav");
    CPrnAlbumDlg options(this, m_printSetup.get());
    const INT_PTR answer = options.DoModal();
    std::unique_ptr<CDC> printerDC(options.m_pPrinterDC);
    if (answer != IDOK || !printerDC || !s_indexPrinter)
        return;
    CString albumName;
    if (m_combo->GetCurSel() != CB_ERR)
        m_combo->GetLBText(m_combo->GetCurSel(), albumName);
    std::vector<const CDSObj*> photos;
    for (const CPhotoWnd* tile : m_tiles)
        photos.push_back(tile->GetPhoto());
    s_indexPrinter(printerDC.get(), albumName, photos, options.m_range, options.m_firstPage,
                   options.m_lastPage);
}
