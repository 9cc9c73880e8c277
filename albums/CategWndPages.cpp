// The category panel's pages: six slots, paging by where the tiles' windows are, the information
// buttons above the slots and the resets of the photo page.

#include "albums/CategWnd.h"
#include "albums/CategoryPanelHost.h"
#include "albums/CategoryTile.h"
#include "albums/PhotoWnd.h"
#include "albums/ResourceInfoDialogs.h"
#include "albums/TemplateWnd.h"
#include "albums/ThumbnailTile.h"
#include "page/MainWndServices.h"
#include "platform/base/AppServices.h"
#include "skin/MyBitmapButton.h"

#include <algorithm>

namespace {

constexpr UINT kInfoDialogTemplate = 596;
// Where a tile's window is made: its thumbnail is scaled for this size, whatever slot it goes to.
constexpr CRect kCreationRect{-200, -200, -120, -122};

} // namespace

const char* CCategWnd::TileWindowName(int code) {
    switch (code) {
    case kPhotos:
        return "PhotoWnd";
    case kTemplates:
        return "TemplateWnd";
    case kMats:
        return "MatWnd";
    case kStencils:
        return "StencilWnd";
    default:
        return "ClipartWnd";
    }
}

// A tile gets its window when it first comes onto a page, so an album of a thousand entries makes six.
void CCategWnd::MoveToSlot(int code, CCategoryTile* tile, int slot) {
    if (!tile->GetSafeHwnd() &&
        (slot >= kSlots ||
         !tile->Create(nullptr, TileWindowName(code), CCategoryTile::kStyle, kCreationRect, this, kTileId)))
        return;
    if (slot >= kSlots) {
        tile->MoveWindow(-1, -1, 0, 0, TRUE);
        return;
    }
    tile->MoveWindow(SlotRect(slot), TRUE);
}

void CCategWnd::LayOutPage(int code, int first) {
    const std::vector<CCategoryTile*>& tiles = GetTiles(code);
    for (int i = 0; i < static_cast<int>(tiles.size()); ++i) {
        const int slot = i - first;
        MoveToSlot(code, tiles[static_cast<size_t>(i)], slot >= 0 && slot < kSlots ? slot : kSlots);
    }
}

int CCategWnd::TileAtSlot(int code, int slot) const {
    const std::vector<CCategoryTile*>& tiles = GetTiles(code);
    const RECT wanted = SlotRect(slot);
    for (size_t i = 0; i < tiles.size(); ++i) {
        CRect rect;
        tiles[i]->GetWindowRect(&rect);
        ScreenToClient(&rect);
        if (rect.left == wanted.left && rect.top == wanted.top && rect.right == wanted.right &&
            rect.bottom == wanted.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

int CCategWnd::GetFirstShownIndex(int code) const {
    return TileAtSlot(code, 0);
}

void CCategWnd::OnFirst() {
    const int code = GetCategoryCode();
    if (code < kPhotos || code > kCliparts)
        return;
    LayOutPage(code, 0);
    UpdateInfoButtons();
}

void CCategWnd::OnLast() {
    const int code = GetCategoryCode();
    if (code < kPhotos || code > kCliparts)
        return;
    const int count = static_cast<int>(GetTiles(code).size());
    if (count == 0)
        return;
    const int onLastPage = count % kSlots == 0 ? kSlots : count % kSlots;
    LayOutPage(code, count - onLastPage);
    UpdateInfoButtons();
}

void CCategWnd::OnNext() {
    const int code = GetCategoryCode();
    if (code < kPhotos || code > kCliparts)
        return;
    const int count = static_cast<int>(GetTiles(code).size());
    const int first = GetFirstShownIndex(code);
    if (first >= 0 && count - first >= kSlots + 1)
        LayOutPage(code, first + kSlots);
    UpdateInfoButtons();
}

void CCategWnd::OnPrev() {
    const int code = GetCategoryCode();
    if (code < kPhotos || code > kCliparts)
        return;
    const int first = GetFirstShownIndex(code);
    if (first >= kSlots)
        LayOutPage(code, first - kSlots);
    UpdateInfoButtons();
}

void CCategWnd::UpdateInfoButtons() {
    const int code = GetCategoryCode();
    if (code < kPhotos || code > kCliparts)
        return;
    // Without a tile in the first slot no slot shows one.
    const int first = GetFirstShownIndex(code);
    const int shown = first < 0 ? 0 : static_cast<int>(GetTiles(code).size()) - first;
    for (int k = 1; k <= kSlots; ++k)
        m_infoButtons[static_cast<size_t>(k - 1)]->ShowWindow(shown >= k ? SW_SHOW : SW_HIDE);
}

void CCategWnd::OnInfo(UINT id) {
    const auto found = std::find(kInfoIds.begin(), kInfoIds.end(), id);
    if (found == kInfoIds.end())
        return;
    const int slot = static_cast<int>(found - kInfoIds.begin());
    const int code = GetCategoryCode();
    if (code == kGeneric) {
        AppServices().MessageBoxText("DrawObjects", MB_OK);
        return;
    }
    if (code < kPhotos || code > kCliparts)
        return;
    const int index = TileAtSlot(code, slot);
    CCategoryTile* shown = index < 0 ? nullptr : GetTiles(code)[static_cast<size_t>(index)];
    IResourceInfoDialogs* dialogs = ResourceInfoDialogs();
    if (!shown || !dialogs)
        return;
    if (code == kTemplates) {
        if (CTemplate* page = static_cast<CTemplateWnd*>(shown)->GetTemplate())
            dialogs->ShowTemplateInfo(page, this);
        return;
    }
    if (CDSObj* entry = static_cast<CThumbnailTile*>(shown)->GetEntry())
        dialogs->ShowResourceInfo(entry, kInfoDialogTemplate, this);
}

BOOL CCategWnd::ShowPage(int photoIndex) {
    const std::vector<CCategoryTile*>& tiles = GetTiles(kPhotos);
    const int count = static_cast<int>(tiles.size());
    ICategoryPanelHost& host = CategoryPanelHost();
    if (photoIndex < 0) {
        if (count == 0) {
            SetCounter(0, 0);
            // Only a picture that came from an album goes with it.
            if (MainWndServices().GetWorkBitmap() && host.IsAlbumPicture()) {
                host.DeleteWorkBitmap();
                m_currentPhoto = 0;
                host.RedrawPreview();
            }
        }
        UpdateInfoButtons();
        return TRUE;
    }
    const int pageStart = photoIndex - photoIndex % kSlots;
    if (photoIndex < count) {
        m_currentPhoto = photoIndex;
    } else {
        // Beyond the tiles: the first page, nothing selected.
        m_currentPhoto = count > 0 ? 0 : -1;
        LayOutPage(kPhotos, 0);
        UpdateInfoButtons();
        SetCounter(m_currentPhoto + 1, count);
        return TRUE;
    }
    LayOutPage(kPhotos, pageStart);
    CCategoryTile* current = tiles[static_cast<size_t>(m_currentPhoto)];
    host.SetAlbumPicture(1);
    if (!AppServices().IsEditMode())
        SelectTile(current);
    UpdateInfoButtons();
    SetCounter(m_currentPhoto + 1, count);
    return TRUE;
}

void CCategWnd::ClearPhotoAlbum() {
    ClearTiles(kPhotos);
    if (GetCurrentCategory() == 0)
        SetCounter(0, 0);
    ICategoryPanelHost& host = CategoryPanelHost();
    if (!AppServices().IsEditMode()) {
        if (MainWndServices().GetWorkBitmap() && host.IsAlbumPicture()) {
            host.DeleteWorkBitmap();
            host.RedrawPreview();
        }
        m_currentPhoto = 0;
        m_photoIndex = 0;
    }
    if (host.GetCurrentAlbum())
        host.SetCurrentAlbum(nullptr);
}

void CCategWnd::ResetPhotoSelection() {
    for (CCategoryTile* tile : GetTiles(kPhotos)) {
        if (tile->IsSelected()) {
            tile->SetSelected(FALSE);
            tile->Invalidate(TRUE);
        }
    }
    SetCounter(0, static_cast<int>(GetTiles(kPhotos).size()));
    m_currentPhoto = 0;
    LayOutPage(kPhotos, 0);
}

void CCategWnd::ResetPageCounter() {
    SelectTile(nullptr);
    m_currentPhoto = 0;
    SetCounter(0, static_cast<int>(GetTiles(kPhotos).size()));
}
