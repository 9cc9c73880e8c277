// The album dialog's album list, its tiles in pages of twelve, the captions, the page buttons, the
// selection with its anchor and step counter, and the two ways out.

#include "albums/AlbumDlg.h"
#include "albums/CategWnd.h"
#include "albums/CategoryPanelHost.h"
#include "albums/PhotoWnd.h"
#include "app/ProgressDlg.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/AppServices.h"
#include "platform/ui/WaitCursor.h"
#include "skin/AlbumComboBox.h"
#include "skin/TransparentStatic.h"

#include <algorithm>

namespace {

constexpr UINT kTooManyStepsId = 158;
constexpr UINT kLoadingCaptionId = 293;
constexpr DWORD kTileStyle = WS_CHILD | WS_VISIBLE | WS_DLGFRAME;
// New tiles are made off the page; the layout moves them into their slots.
constexpr CRect kCreationRect(-200, -200, -44, -46);
constexpr UINT kShiftKey = 0x0004;
constexpr UINT kControlKey = 0x0008;
// How far a Shift range reaches from its anchor.
constexpr int kRangeReach = 10000;

constexpr RECT kSlotRects[CAlbumDlg::kTilesPerPage] = {
    {48, 61, 203, 213},  {229, 61, 384, 213},  {409, 61, 564, 215},  {589, 62, 744, 215},
    {48, 244, 203, 397}, {230, 244, 385, 396}, {409, 245, 564, 399}, {589, 245, 744, 398},
    {48, 432, 203, 584}, {230, 432, 385, 584}, {409, 432, 564, 585}, {590, 432, 745, 585}};

// A tile without its window yet is painted when it gets one.
void Repaint(CWnd* tile) {
    if (tile->GetSafeHwnd())
        tile->Invalidate(TRUE);
}

// The list entry of the main window's current album: its exact title first (a dot may belong to the
// title), else the part after its last backslash without its extension; CB_ERR for none.
int FindCurrentAlbumEntry(CComboBox& combo, const CString& title) {
    const int exact = combo.FindStringExact(-1, title);
    if (exact != CB_ERR)
        return exact;
    CString name = title.Mid(title.ReverseFind('\\') + 1);
    const int dot = name.ReverseFind('.');
    if (dot >= 0)
        name = name.Left(dot);
    return combo.FindStringExact(-1, name);
}

} // namespace

void CAlbumDlg::FillAlbumList() {
    m_combo->ResetContent();
    CDSObjMgr* manager = GetDSObjMgr();
    CResType* photos = manager ? manager->GetResType(kResTypePictures) : nullptr;
    if (auto* albums = photos ? manager->GetAlbumList(photos, false) : nullptr) {
        for (POSITION pos = albums->GetHeadPosition(); pos;) {
            CDSAlbum* album = albums->GetNext(pos);
            const int index = m_combo->AddString(album->GetTitle());
            m_combo->SetItemData(index, reinterpret_cast<DWORD_PTR>(album));
        }
    }
    int selection = 0;
    CDSAlbum* current = CategoryPanelHost().GetCurrentAlbum();
    if (current && !current->GetTitle().IsEmpty())
        selection = std::max(FindCurrentAlbumEntry(*m_combo, current->GetTitle()), 0);
    m_combo->SetCurSel(selection);
    OnSelchangeAlbum();
}

void CAlbumDlg::OnSelchangeAlbum() {
    m_combo->Invalidate();
    m_combo->UpdateWindow();
    const int selection = m_combo->GetCurSel();
    if (selection == CB_ERR)
        return;
    m_pAlbum = reinterpret_cast<CDSAlbum*>(m_combo->GetItemData(selection));
    if (!m_pAlbum->IsIndexOpen())
        GetDSObjMgr()->LoadAlbum(m_pAlbum);
    m_pAlbum->LoadThumbnails();
    m_bModified = FALSE;
    CreatePhotoWnds();
    PageBack();
}

bool CAlbumDlg::CreatePhotoWnds() {
    CWaitCursor wait;
    DeletePhotoWnds();
    const int count = m_pAlbum ? m_pAlbum->GetObjectCount() : 0;
    if (count == 0)
        return true;
    CProgressDlg progress(kLoadingCaptionId);
    if (!m_bInitialising && progress.Create(this)) {
        progress.CenterWindow();
        progress.SetRange(0, 100);
        progress.SetStep(static_cast<float>(100 / count));
        progress.ShowWindow(SW_SHOW);
    }
    for (int i = 0; i < count; ++i) {
        CDSObj* photo = m_pAlbum->GetObjectAt(i);
        if (!photo)
            return false;
        m_tiles.push_back(new CPhotoWnd(photo));
        if (progress.GetSafeHwnd())
            progress.SetPos(i * 100 / count);
        m_nFirstVisible = 0;
    }
    return true;
}

bool CAlbumDlg::AddPhotoWnd(CDSObj* photo) {
    auto* tile = new CPhotoWnd(photo);
    if (!CreateTileWindow(tile, GetPhotoWndCount())) {
        delete tile;
        return false;
    }
    m_tiles.push_back(tile);
    m_nFirstVisible = (GetPhotoWndCount() - 1) / kTilesPerPage * kTilesPerPage;
    LayoutPhotoWnds();
    return true;
}

// A tile gets its window when it first comes onto a page, so an album of a thousand photos makes twelve.
bool CAlbumDlg::CreateTileWindow(CPhotoWnd* tile, int index) {
    return tile->GetSafeHwnd() ||
           tile->Create(nullptr, "PhotoWnd", kTileStyle, kCreationRect, this, kFirstTileId + index);
}

// A tile with a window deletes itself when the window goes.
void CAlbumDlg::DisposeTile(CPhotoWnd* tile) {
    if (tile->GetSafeHwnd())
        tile->DestroyWindow();
    else
        delete tile;
}

void CAlbumDlg::DeletePhotoWnds() {
    for (CPhotoWnd* tile : m_tiles)
        DisposeTile(tile);
    m_tiles.clear();
}

void CAlbumDlg::LayoutPhotoWnds() {
    const int count = GetPhotoWndCount();
    for (int i = 0; i < count; ++i) {
        CPhotoWnd* tile = m_tiles[static_cast<size_t>(i)];
        const int slot = i - m_nFirstVisible;
        if (slot < 0 || slot >= kTilesPerPage) {
            if (tile->GetSafeHwnd())
                tile->MoveWindow(-1, -1, 0, 0, TRUE);
            continue;
        }
        if (!CreateTileWindow(tile, i))
            continue;
        const CRect rect(kSlotRects[slot]);
        tile->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
        Repaint(tile);
    }
    UpdateCaptions();
}

void CAlbumDlg::UpdateCaptions() {
    for (int slot = 0; slot < kTilesPerPage; ++slot) {
        CTransparentStatic* caption = GetCaption(slot);
        if (!caption)
            continue;
        const CPhotoWnd* tile = GetPhotoWnd(m_nFirstVisible + slot);
        caption->SetText(tile ? tile->GetPhoto()->GetTitle() : CString());
    }
}

void CAlbumDlg::UpdatePageButtons() {
    Button(kPrevPageId)->EnableWindow(m_nFirstVisible != 0);
    Button(kNextPageId)->EnableWindow(m_nFirstVisible < GetPhotoWndCount() - kTilesPerPage);
}

void CAlbumDlg::PageBack() {
    if (m_nFirstVisible > 0) {
        m_nFirstVisible -= kTilesPerPage;
        if (m_nFirstVisible == 0)
            Button(kPrevPageId)->EnableWindow(FALSE);
    } else {
        Button(kPrevPageId)->EnableWindow(FALSE);
    }
    if (GetPhotoWndCount() >= kTilesPerPage)
        Button(kNextPageId)->EnableWindow(TRUE);
    UpdatePageButtons();
    LayoutPhotoWnds();
}

void CAlbumDlg::OnPrevPage() {
    PlaySound("/blaetter.wav");
    PageBack();
}

void CAlbumDlg::OnNextPage() {
    PlaySound("/blaetter.wav");
    const int lastStart = GetPhotoWndCount() - kTilesPerPage;
    if (m_nFirstVisible < lastStart) {
        m_nFirstVisible += kTilesPerPage;
        if (m_nFirstVisible >= lastStart)
            Button(kNextPageId)->EnableWindow(FALSE);
    }
    LayoutPhotoWnds();
    Button(kPrevPageId)->EnableWindow(TRUE);
}

void CAlbumDlg::ShowInitialPhoto() {
    ICategoryPanel* panel = CategoryPanelHost().GetCategoryPanel();
    auto* categories = dynamic_cast<CCategWnd*>(panel);
    m_nCurrentIndex = std::max(categories ? categories->GetCurrentPhotoIndex() : 0, 0);
    CPhotoWnd* tile = GetPhotoWnd(m_nCurrentIndex);
    if (!tile)
        return;
    SelectPhoto(tile, 0);
    if (m_nCurrentIndex > kTilesPerPage - 1) {
        m_nFirstVisible = m_nCurrentIndex / kTilesPerPage * kTilesPerPage;
        LayoutPhotoWnds();
        UpdatePageButtons();
    }
}

void CAlbumDlg::SelectPhoto(CPhotoWnd* clicked, UINT keyFlags) {
    if (keyFlags & kShiftKey) {
        if (m_nAnchor < 0)
            m_nAnchor = m_nCurrentIndex;
        int countdown = -1;
        for (int i = 0; i < GetPhotoWndCount(); ++i, --countdown) {
            CPhotoWnd* tile = m_tiles[static_cast<size_t>(i)];
            if (i == m_nAnchor && countdown < 0)
                countdown = kRangeReach;
            if (countdown >= 0) {
                ++m_nSteps;
                if (!tile->IsSelected()) {
                    tile->SetSelected(TRUE);
                    Repaint(tile);
                }
            } else if (tile->IsSelected() && tile != clicked) {
                tile->SetSelected(FALSE);
                Repaint(tile);
            }
            if (tile == clicked) {
                m_nCurrentIndex = i;
                countdown = m_nAnchor > i ? m_nAnchor - i : -1;
            }
        }
        clicked->SetSelected(TRUE);
        Repaint(clicked);
        return;
    }
    if (keyFlags & kControlKey) {
        clicked->SetSelected(!clicked->IsSelected());
        Repaint(clicked);
        m_nAnchor = -1;
        ++m_nSteps;
        return;
    }
    for (int i = 0; i < GetPhotoWndCount(); ++i) {
        CPhotoWnd* tile = m_tiles[static_cast<size_t>(i)];
        if (tile == clicked)
            m_nCurrentIndex = i;
        else if (tile->IsSelected()) {
            tile->SetSelected(FALSE);
            Repaint(tile);
        }
    }
    clicked->SetSelected(TRUE);
    Repaint(clicked);
    m_nAnchor = -1;
    m_nSteps = 1;
}

void CAlbumDlg::UpdateCurrentFromSelection() {
    if (m_nSteps > 1 || m_tiles.empty()) {
        m_nCurrentIndex = -1;
        return;
    }
    m_nCurrentIndex = 0;
    for (int i = 0; i < GetPhotoWndCount(); ++i) {
        if (m_tiles[static_cast<size_t>(i)]->IsSelected()) {
            m_nCurrentIndex = i;
            return;
        }
    }
}

void CAlbumDlg::OnOK() {
    PlaySound("/click.wav");
    if (m_nSteps >= 2) {
        AppServices().MessageBox(kTooManyStepsId, MB_ICONINFORMATION);
        return;
    }
    UpdateCurrentFromSelection();
    EndDialog(IDOK);
}

void CAlbumDlg::OnExit() {
    EndDialog(IDCANCEL);
    ICategoryPanelHost& host = CategoryPanelHost();
    auto* panel = dynamic_cast<CCategWnd*>(host.GetCategoryPanel());
    if (!host.GetCurrentAlbum() || !panel || panel->GetCurrentCategory() != 0)
        return;
    if (CComboBox* albums = panel->GetAlbumCombo()) {
        albums->SetCurSel(panel->GetPhotoAlbumIndex());
        albums->Invalidate();
        albums->UpdateWindow();
    }
}
