// The category panel's two combos: the categories with the edit-mode entry, the albums (or template
// groups) of the chosen category, and the tiles the chosen album gets.

#include "albums/CategWnd.h"
#include "albums/CategoryPanelHost.h"
#include "albums/ClipartWnd.h"
#include "albums/DSObjWnd.h"
#include "albums/PhotoWnd.h"
#include "albums/TemplateWnd.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "page/Template.h"
#include "page/TemplateList.h"
#include "platform/base/AppServices.h"
#include "platform/base/Profile.h"
#include "platform/base/StdioFile.h"
#include "platform/ui/WaitCursor.h"
#include "skin/MainComboBox.h"
#include "skin/TransparentStatic.h"

#include <memory>
#include <sys/stat.h>

namespace {

// The generic category's caption ("Seitenobjekte"); the clip-art kind's name is another string.
constexpr UINT kGenericCategoryId = 277;

int KindOfCode(int code) {
    switch (code) {
    case CCategWnd::kPhotos:
        return kResTypePictures;
    case CCategWnd::kMats:
        return kResTypeFrames;
    case CCategWnd::kStencils:
        return kResTypeStencils;
    case CCategWnd::kCliparts:
        return kResTypeClipart;
    default:
        return kResTypePrintTemplates;
    }
}

CResType* KindOf(int kindId) {
    CDSObjMgr* manager = GetDSObjMgr();
    return manager ? manager->GetResType(kindId) : nullptr;
}

} // namespace

int* CCategWnd::RememberedIndex(int code) {
    switch (code) {
    case kPhotos:
        return &m_photoIndex;
    case kTemplates:
        return &m_templateIndex;
    case kMats:
        return &m_matIndex;
    case kStencils:
        return &m_stencilIndex;
    case kCliparts:
        return &m_clipartIndex;
    default:
        return nullptr;
    }
}

void CCategWnd::SetCategoryMode(BYTE editMode) {
    if (editMode == m_editMode)
        return;
    m_editMode = editMode;
    const CString caption = AppServices().LoadString(kGenericCategoryId);
    if (editMode) {
        const int index = m_categoryCombo->AddString(caption);
        m_categoryCombo->SetItemData(index, static_cast<DWORD_PTR>(index + 1));
        return;
    }
    // The entry is found by its code: its caption may equal a category's name.
    int index = -1;
    for (int i = 1; i < m_categoryCombo->GetCount(); ++i) {
        if (m_categoryCombo->GetItemData(i) == static_cast<DWORD_PTR>(kGeneric))
            index = i;
    }
    if (index < 0)
        return;
    if (m_categoryCombo->GetCurSel() == index) {
        m_categoryCombo->SetCurSel(0);
        OnSelChangeCategory();
    }
    m_categoryCombo->DeleteString(static_cast<UINT>(index));
}

void CCategWnd::SelectCategory(int position) {
    m_categoryCombo->SetCurSel(position);
    ClearOtherTiles(GetCategoryCode());
}

void CCategWnd::ClearOtherTiles(int code) {
    for (int other = kPhotos; other <= kCliparts; ++other) {
        if (other != code)
            ClearTiles(other);
    }
}

void CCategWnd::FillAlbumCombo(CResType* kind, bool everyFill, int& rememberedIndex) {
    m_albumCombo->ResetContent();
    CDSObjMgr* manager = GetDSObjMgr();
    auto* albums = manager && kind ? manager->GetAlbumList(kind, false) : nullptr;
    if (!albums)
        return;
    for (POSITION pos = albums->GetHeadPosition(); pos;) {
        CDSAlbum* album = albums->GetNext(pos);
        const int index = m_albumCombo->AddString(album->GetTitle());
        m_albumCombo->SetItemData(index, reinterpret_cast<DWORD_PTR>(album));
        if (everyFill && album->GetTitle() == m_photoAlbumTitle) {
            rememberedIndex = index;
            m_defaultAlbumFound = 1;
        }
    }
}

void CCategWnd::FillPhotoAlbums() {
    m_counter->SetText("");
    const bool firstFill = m_photoAlbumTitle.IsEmpty();
    if (firstFill)
        m_photoAlbumTitle = GetProfileString("Settings", "Album", "");
    FillAlbumCombo(KindOf(kResTypePictures), firstFill, m_photoIndex);
    m_albumCombo->SetCurSel(m_photoIndex);
    ClearOtherTiles(kPhotos);
    OnSelChangeAlbum();
}

void CCategWnd::FillTemplateGroups() {
    m_albumCombo->ShowWindow(SW_SHOW);
    m_albumCombo->ResetContent();
    const CString path = GetTemplateListPath();
    CStdioFile list;
    if (path.IsEmpty() || !list.Open(path, CFile::modeRead))
        return;
    CString line;
    while (list.ReadString(line)) {
        if (line.IsEmpty())
            continue;
        const CString group = TemplateListField(SplitTemplateListLine(line), 7);
        if (m_albumCombo->FindStringExact(-1, group) < 0)
            m_albumCombo->AddString(group);
    }
    list.Close();
    if (!m_presetTemplateGroup.IsEmpty()) {
        const int index = m_albumCombo->FindStringExact(-1, m_presetTemplateGroup);
        m_templateIndex = index < 0 ? 0 : index;
        m_presetTemplateGroup.Empty();
    }
    m_albumCombo->SetCurSel(m_templateIndex);
    ClearOtherTiles(kTemplates);
    OnSelChangeAlbum();
}

void CCategWnd::OnSelChangeCategory() {
    RedrawCombos();
    const int code = GetCategoryCode();
    switch (code) {
    case kPhotos:
        FillPhotoAlbums();
        return;
    case kTemplates:
        FillTemplateGroups();
        return;
    case kMats:
    case kStencils:
    case kCliparts: {
        int& remembered = *RememberedIndex(code);
        m_albumCombo->ShowWindow(SW_SHOW);
        FillAlbumCombo(KindOf(KindOfCode(code)), true, remembered);
        m_albumCombo->SetCurSel(remembered);
        ClearOtherTiles(code);
        OnSelChangeAlbum();
        return;
    }
    case kGeneric:
        m_albumCombo->ResetContent();
        m_albumCombo->AddString("Generic");
        m_albumCombo->SetCurSel(0);
        OnSelChangeAlbum();
        return;
    default:
        return;
    }
}

BOOL CCategWnd::ReloadAlbums() {
    int unused = 0;
    FillAlbumCombo(KindOf(kResTypePictures), false, unused);
    return TRUE;
}

void CCategWnd::SelectItem(CDSAlbum* album, BOOL firstPage) {
    if (!album)
        return;
    const int index = m_albumCombo->FindStringExact(-1, album->GetTitle());
    if (index < 0)
        return;
    m_albumCombo->SetCurSel(index);
    m_photoIndex = index;
    BuildPhotoTiles(firstPage);
    SetCounter(0, static_cast<int>(GetTiles(kPhotos).size()));
}

CDSAlbum* CCategWnd::AlbumOfEntry(int index, int kindId) const {
    auto* album = reinterpret_cast<CDSAlbum*>(m_albumCombo->GetItemData(index));
    CDSObjMgr* manager = GetDSObjMgr();
    CResType* kind = KindOf(kindId);
    auto* albums = manager && kind ? manager->GetAlbumList(kind, false) : nullptr;
    if (!album || !albums)
        return nullptr;
    for (POSITION pos = albums->GetHeadPosition(); pos;) {
        if (albums->GetNext(pos) == album)
            return album;
    }
    return nullptr;
}

void CCategWnd::OnSelChangeAlbum() {
    RedrawCombos();
    const int code = GetCategoryCode();
    const int index = m_albumCombo->GetCurSel();
    if (code == 0 || index < 0)
        return;
    CString text;
    m_albumCombo->GetLBText(index, text);
    switch (code) {
    case kPhotos:
    case kMats:
    case kStencils:
    case kCliparts:
        ShowResourceAlbum(code, index);
        return;
    case kTemplates:
        ListTemplates(text, index);
        return;
    default:
        return;
    }
}

void CCategWnd::ShowResourceAlbum(int code, int index) {
    CWaitCursor wait;
    CDSAlbum* album = AlbumOfEntry(index, KindOfCode(code));
    if (!album) {
        // Deleted since the combo was filled.
        OnSelChangeCategory();
        return;
    }
    CDSObjMgr* manager = GetDSObjMgr();
    if (!album->IsIndexOpen())
        manager->LoadAlbum(album);
    album->LoadThumbnails();
    if (code == kPhotos) {
        CategoryPanelHost().SetCurrentAlbum(album);
        BuildPhotoTiles(TRUE);
        m_currentPhoto = 0;
        m_albumCombo->GetLBText(index, m_photoAlbumTitle);
    } else {
        BuildEntryTiles(code, album, TRUE);
        OnFirst();
    }
    SetCounter(0, static_cast<int>(GetTiles(code).size()));
    *RememberedIndex(code) = index;
}

void CCategWnd::ClearTiles(int code) {
    std::vector<CCategoryTile*>& tiles = m_tiles[code - 1];
    for (CCategoryTile* tile : tiles) {
        // A tile with a window deletes itself with it; one that never came onto a page has none.
        if (tile->GetSafeHwnd())
            tile->DestroyWindow();
        else
            delete tile;
    }
    tiles.clear();
}

// The tiles hold the album's entries: it must not be unloaded while they are shown.
void CCategWnd::KeepShownAlbumLoaded(const CDSAlbum* album) {
    if (CDSObjMgr* manager = GetDSObjMgr())
        manager->SetShownAlbum(this, album);
}

void CCategWnd::BuildPhotoTiles(BOOL firstPage) {
    CWaitCursor wait;
    ClearTiles(kPhotos);
    CDSAlbum* album = CategoryPanelHost().GetCurrentAlbum();
    if (!album)
        return;
    KeepShownAlbumLoaded(album);
    const int count = album->GetObjectCount();
    for (int i = 0; i < count; ++i) {
        if (CDSObj* entry = album->GetObjectAt(i))
            m_tiles[kPhotos - 1].push_back(new CPhotoWnd(entry));
    }
    if (firstPage)
        OnFirst();
}

void CCategWnd::BuildEntryTiles(int code, CDSAlbum* album, BOOL firstPage) {
    CWaitCursor wait;
    ClearTiles(code);
    KeepShownAlbumLoaded(album);
    for (POSITION pos = album->GetObjectList().GetHeadPosition(); pos;) {
        CDSObj* entry = album->GetObjectList().GetNext(pos);
        m_tiles[code - 1].push_back(code == kCliparts ? static_cast<CThumbnailTile*>(new CClipartWnd(entry))
                                                      : new CDSObjWnd(entry));
    }
    if (firstPage)
        OnFirst();
}

// Lines of the group, in list order; a page file that is missing is skipped, a stream that is refused
// ends the listing with the tiles made so far left off the page.
void CCategWnd::ListTemplates(const CString& group, int index) {
    CWaitCursor wait;
    ClearTiles(kTemplates);
    CDSObjMgr* manager = GetDSObjMgr();
    const CString path = GetTemplateListPath();
    CStdioFile list;
    if (!manager || path.IsEmpty() || !list.Open(path, CFile::modeRead))
        return;
    CString line;
    while (list.ReadString(line)) {
        if (line.Find(group) < 0)
            continue;
        const std::vector<CString> fields = SplitTemplateListLine(line);
        if (TemplateListField(fields, 7) != group)
            continue;
        std::unique_ptr<CTemplate> page = TemplateFromListFields(fields);
        const CString file =
            manager->FindResourceFile(KindOf(kResTypePrintTemplates), "\\" + page->GetName());
        struct stat status {};
        if (!file.IsEmpty() && ::stat(file.GetString(), &status) == 0)
            page->SetFileTime(status.st_mtime);
        const TemplateFileRead read = ReadTemplateFile(file, *page);
        if (read == TemplateFileRead::kRefused)
            return;
        if (read == TemplateFileRead::kNotOpened)
            continue;
        auto* tile = new CTemplateWnd(page.release());
        if (!tile->Create(nullptr, TileWindowName(kTemplates), CCategoryTile::kStyle, SlotRect(kSlots), this,
                          kTileId)) {
            delete tile;
            continue;
        }
        m_tiles[kTemplates - 1].push_back(tile);
    }
    list.Close();
    OnFirst();
    SetCounter(0, static_cast<int>(GetTiles(kTemplates).size()));
    m_templateIndex = index;
}
