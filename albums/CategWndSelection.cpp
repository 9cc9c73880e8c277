// The category panel's selection: a tile click selects the tile and, in normal mode, puts its item on
// the page; the page canvas and the print dialog fetch copies of the selected items.

#include "albums/CategWnd.h"
#include "albums/CategoryPanelHost.h"
#include "albums/CategoryTile.h"
#include "albums/TemplateWnd.h"
#include "albums/ThumbnailTile.h"
#include "image/WorkBitmap.h"
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/MainWndServices.h"
#include "page/Template.h"
#include "page/UndoNormal.h"
#include "platform/base/AppServices.h"
#include "platform/ui/WaitCursor.h"

#include <algorithm>

namespace {

// Undo kinds of the normal-mode page.
constexpr int kUndoPicture = 0;
constexpr int kUndoTemplate = 1;
constexpr int kUndoMat = 2;
constexpr int kUndoStencil = 3;

CDSObj* EntryOf(CCategoryTile* tile) {
    return static_cast<CThumbnailTile*>(tile)->GetEntry();
}

CString FilePathOf(const CDSObj* entry) {
    CDSObjMgr* manager = GetDSObjMgr();
    return entry && manager ? manager->GetObjectFilePath(entry) : CString();
}

// A loaded copy of the entry, or null when it does not load.
CDSObj* LoadedClone(CDSObj* entry) {
    if (!entry)
        return nullptr;
    if (!entry->IsLoaded())
        entry->LoadData();
    return entry->IsLoaded() ? entry->Clone() : nullptr;
}

} // namespace

void CCategWnd::SelectTile(CCategoryTile* tile) {
    const int code = GetCategoryCode();
    if (code < kPhotos || code > kCliparts)
        return;
    const std::vector<CCategoryTile*>& tiles = GetTiles(code);
    const int count = static_cast<int>(tiles.size());
    for (int position = 1; position <= count; ++position) {
        CCategoryTile* each = tiles[static_cast<size_t>(position - 1)];
        if (each == tile) {
            if (!each->IsSelected()) {
                each->SetSelected(TRUE);
                each->Invalidate(TRUE);
            }
            if (code != kCliparts)
                SetCounter(position, count);
            if (code == kPhotos)
                m_currentPhoto = position - 1;
        } else if (each->IsSelected()) {
            each->SetSelected(FALSE);
            each->Invalidate(TRUE);
        }
    }
    if (tile && !AppServices().IsEditMode() && std::find(tiles.begin(), tiles.end(), tile) != tiles.end())
        ApplyToPage(code, tile);
}

void CCategWnd::ApplyToPage(int code, CCategoryTile* tile) {
    IMainWndServices& page = MainWndServices();
    ICategoryPanelHost& host = CategoryPanelHost();
    switch (code) {
    case kPhotos: {
        CDSObj* photo = EntryOf(tile);
        if (!photo)
            return;
        host.SetAlbumPicture(1);
        page.AddUndo(new CUndoNormal(kUndoPicture, page.GetWorkBitmap()));
        {
            CWaitCursor wait;
            host.AddPicturesToPage(FilePathOf(photo));
        }
        break;
    }
    case kTemplates: {
        CTemplate* source = static_cast<CTemplateWnd*>(tile)->GetTemplate();
        if (!source)
            return;
        CTemplate* copy = source->Clone();
        const CTemplate* current = page.GetNormalModeSource();
        page.AddUndo(new CUndoNormal(kUndoTemplate, current ? current->GetName() : CString()));
        page.SetTemplate(copy);
        break;
    }
    case kMats: {
        CDSObj* entry = EntryOf(tile);
        if (!entry)
            return;
        auto* copy = static_cast<CMat*>(entry->Clone());
        page.AddUndo(new CUndoNormal(kUndoMat, FilePathOf(page.GetMat())));
        page.SetMat(copy);
        break;
    }
    case kStencils: {
        // A copy: the main window deletes the stencil it is handed.
        CDSObj* entry = EntryOf(tile);
        if (!entry)
            return;
        auto* copy = static_cast<CStencil*>(entry->Clone());
        page.AddUndo(new CUndoNormal(kUndoStencil, FilePathOf(page.GetNormalStencil())));
        page.SetNormalStencil(copy);
        break;
    }
    default:
        return;
    }
    page.SetModified(TRUE);
    host.RedrawPreview();
    if (code == kPhotos)
        host.SetAlbumPicture(1);
}

CCategoryTile* CCategWnd::FirstSelectedTile(int code) const {
    for (CCategoryTile* tile : GetTiles(code)) {
        if (tile->IsSelected())
            return tile;
    }
    return nullptr;
}

CDSObj* CCategWnd::GetSelectedPhoto() {
    if (GetCurrentCategory() != kPhotos - 1)
        return nullptr;
    CCategoryTile* tile = FirstSelectedTile(kPhotos);
    CDSObj* photo = tile ? EntryOf(tile) : nullptr;
    return photo ? photo->Clone() : nullptr;
}

CTemplate* CCategWnd::GetSelectedTemplate() {
    if (GetCurrentCategory() != kTemplates - 1)
        return nullptr;
    CCategoryTile* tile = FirstSelectedTile(kTemplates);
    CTemplate* page = tile ? static_cast<CTemplateWnd*>(tile)->GetTemplate() : nullptr;
    return page ? page->Clone() : nullptr;
}

CMat* CCategWnd::GetSelectedMat() {
    if (GetCurrentCategory() != kMats - 1)
        return nullptr;
    CCategoryTile* tile = FirstSelectedTile(kMats);
    return tile ? static_cast<CMat*>(LoadedClone(EntryOf(tile))) : nullptr;
}

CStencil* CCategWnd::GetSelectedDSObj() {
    if (GetCurrentCategory() != kStencils - 1)
        return nullptr;
    CCategoryTile* tile = FirstSelectedTile(kStencils);
    return tile ? static_cast<CStencil*>(LoadedClone(EntryOf(tile))) : nullptr;
}
