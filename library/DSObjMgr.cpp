#include "library/DSObjMgr.h"

#include "library/KindClasses.h"
#include "library/ResType.h"
#include "library/zip/Crc32Static.h"
#include "platform/base/AppServices.h"
#include "platform/base/FileApi.h"
#include "platform/base/Module.h"
#include "platform/base/Path.h"
#include "platform/base/Profile.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDSObjMgr, CObjMgr)

namespace {

CDSObjMgr* g_manager = nullptr;

constexpr char kSettings[] = "Settings";
constexpr UINT kBuiltInTitleIds[] = {31548, 31447, 31448, 31549};
constexpr UINT kIdsKindNamePictures = 31443;
constexpr UINT kIdsKindNameClipart = 278;
constexpr UINT kIdsKindNameFrames = 31441;
constexpr UINT kIdsKindNameStencils = 31444;
constexpr UINT kIdsKindSortChoices = 65400;  // 65400 .. 65402: own order, by producer, by title
constexpr UINT kIdsAlbumSortChoices = 65512; // 65512, 65513: own order, by title

// A stored path as the program holds it: '/' as separator.
CString StoredPath(LPCTSTR section, LPCTSTR entry) {
    return BackslashesToSlashes(GetProfileString(section, entry, ""));
}

bool IsExistingFile(const CString& path) {
    const DWORD attributes = GetFileAttributes(ResolvePathCase(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Joins a folder and a name with exactly one separator.
CString JoinPath(const CString& folder, const CString& name) {
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == '/')
        return !name.IsEmpty() && name[0] == '/' ? folder + name.Mid(1) : folder + name;
    return !name.IsEmpty() && name[0] == '/' ? folder + name : folder + "/" + name;
}

} // namespace

CDSObjMgr* GetDSObjMgr() {
    return g_manager;
}

CDSObjMgr::CDSObjMgr() {
    g_manager = this;
    for (int i = 0; i < 4; ++i)
        m_strBuiltInTitles[i] = AppServices().LoadString(kBuiltInTitleIds[i], 255);
    const CString dataPath = GetProfileString(kSettings, "DataPath", "");
    // Told apart before the separators are converted: "\Data" from Windows is relative to the program.
    m_bAbsoluteDataPath = !dataPath.IsEmpty() && dataPath[0] == '/';
    m_strDataPath = BackslashesToSlashes(dataPath);
    m_strAppDir = GetProgramFolder();
}

CDSObjMgr::~CDSObjMgr() {
    while (!m_resTypes.IsEmpty())
        delete m_resTypes.RemoveHead();
    m_loadedAlbums.RemoveAll();
    m_loadedObjects.RemoveAll();
    if (g_manager == this)
        g_manager = nullptr;
}

bool CDSObjMgr::LoadInstallSettings() {
    m_strInstallPath = StoredPath(kSettings, "InstallPath");
    LoadKind(kResTypePictures, "PictureInstallType", "PhotoName", kIdsKindNamePictures, "PictureDataPath");
    LoadKind(kResTypeClipart, "ClipartInstallType", "ClipartName", kIdsKindNameClipart, "ClipartDataPath");
    LoadKind(kResTypeFrames, "FrameInstallType", "FrameName", kIdsKindNameFrames, "FrameDataPath");
    LoadKind(kResTypeStencils, "StencilInstallType", "StencilName", kIdsKindNameStencils, "StencilDataPath");

    const int printInstallType = static_cast<int>(GetProfileInt(kSettings, "PrnTplInstallType", -1));
    if (printInstallType != -1) {
        auto* kind = new CResType(kResTypePrintTemplates, GetProfileString(kSettings, "Vorlagen", ""),
                                  printInstallType);
        kind->SetSubDirectory(StoredPath(kSettings, "PrnTplDataPath"));
        AddKind(kind);
    }
    m_nWebTplInstallType = static_cast<int>(GetProfileInt(kSettings, "WebTplInstallType", -1));
    m_strWebTplArchive = GetProfileString(kSettings, "archive", "");
    return true;
}

void CDSObjMgr::LoadKind(int typeId, LPCTSTR installTypeValue, LPCTSTR nameValue, UINT nameStringId,
                         LPCTSTR folderValue) {
    const int installType = static_cast<int>(GetProfileInt(kSettings, installTypeValue, -1));
    if (installType == -1)
        return;
    CString name = GetProfileString(kSettings, nameValue, "");
    if (name.IsEmpty())
        name = AppServices().LoadString(nameStringId, 255);
    auto* kind = new CResType(typeId, name, installType);
    kind->SetSubDirectory(StoredPath(kSettings, folderValue));
    kind->SetAlbumExtension("zip");
    AddKind(kind);
    BuildAlbums(kind, false);
    BuildAlbums(kind, true);
}

void CDSObjMgr::AddKind(CResType* kind) {
    kind->SetOwnedByManager();
    m_resTypes.AddTail(kind);
}

bool CDSObjMgr::BuildAlbums(CResType* kind, bool builtIn) {
    if (kind == nullptr)
        return false;
    if (!builtIn)
        return kind->LoadAlbums();
    // Indexes into the built-in titles: hard disk, scanner, camera, recently used.
    std::vector<int> titles;
    switch (kind->GetTypeId()) {
    case kResTypePictures:
        titles = {0, 1, 2, 3};
        break;
    case kResTypeClipart:
        titles = {0, 3};
        break;
    case kResTypeFrames:
    case kResTypeStencils:
        titles = {3};
        break;
    default:
        break;
    }
    for (const int title : titles) {
        CDSAlbum* album = kind->NewAlbum();
        if (album == nullptr)
            return false;
        album->SetTitle(m_strBuiltInTitles[title]);
        kind->AddAlbum(album, true);
    }
    return true;
}

CResType* CDSObjMgr::GetResType(int typeId) const {
    for (POSITION pos = m_resTypes.GetHeadPosition(); pos != nullptr;) {
        CResType* kind = m_resTypes.GetNext(pos);
        if (kind->GetTypeId() == typeId)
            return kind;
    }
    return nullptr;
}

CResType* CDSObjMgr::GetResTypeOfAlbum(const CDSAlbum* album) const {
    const int typeId = GetKindOfAlbum(album);
    return typeId >= 0 ? GetResType(typeId) : nullptr;
}

CResType* CDSObjMgr::GetResTypeOfObject(const CDSObj* entry) const {
    const int typeId = GetKindOfEntry(entry);
    return typeId >= 0 ? GetResType(typeId) : nullptr;
}

CTypedPtrList<CObList, CDSAlbum*>* CDSObjMgr::GetAlbumList(CResType* kind, bool builtIn) const {
    return kind != nullptr ? &kind->GetAlbumList(builtIn) : nullptr;
}

bool CDSObjMgr::UsesInstallDirectory() const {
    for (POSITION pos = m_resTypes.GetHeadPosition(); pos != nullptr;) {
        const int installType = m_resTypes.GetNext(pos)->GetInstallType();
        if (installType == kInstallProgramData || installType == kInstallEither)
            return true;
    }
    return false;
}

CString CDSObjMgr::GetDataDir() const {
    return m_bAbsoluteDataPath ? m_strDataPath : m_strAppDir + m_strDataPath;
}

CString CDSObjMgr::GetInstallDataDir() const {
    return m_bAbsoluteDataPath ? m_strInstallPath : m_strInstallPath + m_strDataPath;
}

CString CDSObjMgr::ComposeKindPath(const CResType* kind, const CString& storedName) const {
    const CString sub = kind->GetSubDirectory();
    const CString name = BackslashesToSlashes(storedName);
    switch (kind->GetInstallType()) {
    case kInstallData:
        return ResolvePathCase(GetDataDir() + sub + name);
    case kInstallProgramData:
        return ResolvePathCase(GetInstallDataDir() + sub + name);
    case kInstallEither: {
        const CString inData = GetDataDir() + sub + name;
        return ResolvePathCase(IsExistingFile(inData) ? inData : GetInstallDataDir() + sub + name);
    }
    default:
        return CString();
    }
}

CString CDSObjMgr::GetObjectFilePath(const CDSObj* entry) const {
    if (entry == nullptr)
        return CString();
    if (!entry->IsRelative())
        return ResolvePathCase(entry->GetFilePath());
    const CResType* kind = GetResTypeOfObject(entry);
    return kind != nullptr ? ComposeKindPath(kind, entry->GetFilePath()) : CString();
}

CString CDSObjMgr::GetResourceFilePath(const CResType* kind, const CString& name, bool resolve) const {
    if (!resolve)
        return name;
    return kind != nullptr ? ComposeKindPath(kind, name) : CString();
}

CString CDSObjMgr::FindResourceFile(const CResType* kind, const CString& name) const {
    const CString stored = BackslashesToSlashes(name);
    if (IsExistingFile(stored))
        return name;
    if (kind == nullptr)
        return CString();
    const CString sub = kind->GetSubDirectory();
    CString path;
    switch (kind->GetInstallType()) {
    case kInstallData:
        path = JoinPath(GetDataDir() + sub, stored);
        break;
    case kInstallProgramData:
        path = JoinPath(GetInstallDataDir() + sub, stored);
        break;
    case kInstallEither:
        path = JoinPath(GetDataDir() + sub, stored);
        if (!IsExistingFile(path))
            path = JoinPath(GetInstallDataDir() + sub, stored);
        break;
    default:
        return CString();
    }
    return IsExistingFile(path) ? ResolvePathCase(path) : CString();
}

CString CDSObjMgr::MakeNumberedBitmapPath() const {
    const CResType* pictures = GetResType(kResTypePictures);
    if (pictures == nullptr)
        return CString();
    const CString folder = ResolvePathCase(GetDataDir() + pictures->GetSubDirectory());
    MakeFolderPath(folder);
    for (int number = 0; number >= 0; ++number) {
        CString path;
        path.Format("%s/%d.bmp", folder, number);
        // Made exclusively, so that two pictures acquired at once never share a file.
        const HANDLE file =
            CreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return path;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return CString();
    }
    return CString();
}

CString CDSObjMgr::GetObjectPath(const CDSObj* entry) const {
    return entry != nullptr ? entry->GetFilePath() : CString();
}

CString CDSObjMgr::GetAlbumPath(const CDSAlbum* album) const {
    const CResType* kind = GetResTypeOfAlbum(album);
    return kind != nullptr ? kind->GetAlbumPath(album, GetDataDir()) : CString();
}

CDSAlbum* CDSObjMgr::CreateAlbum(CResType* kind, const CString& name) {
    return kind != nullptr ? kind->CreateAlbum(name, GetDataDir(), false) : nullptr;
}

bool CDSObjMgr::DeleteAlbum(CDSAlbum* album) {
    CResType* kind = GetResTypeOfAlbum(album);
    if (kind != nullptr)
        return kind->DeleteAlbum(album);
    delete album;
    return true;
}

bool CDSObjMgr::RenameAlbum(CResType* kind, const CString& oldTitle, const CString& newTitle) {
    if (oldTitle.CompareNoCase(newTitle) == 0)
        return true;
    return kind != nullptr && kind->RenameAlbum(oldTitle, newTitle);
}

CDSAlbum* CDSObjMgr::DuplicateAlbumFile(CDSAlbum* album) {
    CResType* kind = GetResTypeOfAlbum(album);
    return kind != nullptr ? kind->DuplicateAlbumFile(album) : nullptr;
}

bool CDSObjMgr::IsTitleUnused(CResType* kind, const CString& name) const {
    return kind != nullptr && kind->IsTitleUnused(name);
}

CString CDSObjMgr::MakeAlbumFileName(CResType* kind) const {
    return kind != nullptr ? kind->MakeAlbumFileName(GetDataDir()) : CString();
}

bool CDSObjMgr::LoadAlbum(CDSAlbum* album, AlbumProgressCallback callback, void* context) {
    if (album == nullptr)
        return true;
    // Loading an album twice would list every entry twice.
    if (album->IsIndexOpen())
        return true;
    if (!album->Load(callback, context))
        return false;
    if (m_loadedAlbums.Find(album) != nullptr)
        return true;
    m_loadedAlbums.AddTail(album);
    if (m_loadedAlbums.GetCount() <= kAlbumCacheLimit)
        return true;
    // The oldest album goes, unless the program still works with it: the current photo album, the shown
    // one, one with an entry in use, the one just loaded.
    for (POSITION pos = m_loadedAlbums.GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        CDSAlbum* oldest = m_loadedAlbums.GetNext(pos);
        if (oldest != album && oldest != m_pCurrentPhotoAlbum && !IsShown(oldest) && oldest->IsDeletable()) {
            m_loadedAlbums.RemoveAt(at);
            oldest->Unload();
            break;
        }
    }
    return true;
}

bool CDSObjMgr::SaveCurrentPhotoAlbum() {
    const CString path = m_pCurrentPhotoAlbum != nullptr ? m_pCurrentPhotoAlbum->GetPath() : CString();
    WriteProfileString(kSettings, "PhotoAlbum", path);
    return true;
}

void CDSObjMgr::ForgetAlbum(const CDSAlbum* album) {
    if (const POSITION pos = m_loadedAlbums.Find(const_cast<CDSAlbum*>(album)))
        m_loadedAlbums.RemoveAt(pos);
    if (m_pCurrentPhotoAlbum == album)
        m_pCurrentPhotoAlbum = nullptr;
    std::erase_if(m_shownAlbums, [album](const auto& shown) { return shown.second == album; });
}

void CDSObjMgr::SetShownAlbum(const void* window, const CDSAlbum* album) {
    if (album)
        m_shownAlbums[window] = album;
    else
        m_shownAlbums.erase(window);
}

bool CDSObjMgr::IsShown(const CDSAlbum* album) const {
    return std::any_of(m_shownAlbums.begin(), m_shownAlbums.end(),
                       [album](const auto& shown) { return shown.second == album; });
}

void CDSObjMgr::ForgetObject(const CDSObj* entry) {
    if (const POSITION pos = m_loadedObjects.Find(const_cast<CDSObj*>(entry)))
        m_loadedObjects.RemoveAt(pos);
}

CDSObj* CDSObjMgr::NewEntryOfKind(CResType* kind) const {
    if (kind == nullptr)
        return nullptr;
    switch (kind->GetTypeId()) {
    case kResTypeStencils:
    case kResTypeFrames:
    case kResTypeClipart:
        return CreateKindEntry(kind->GetTypeId());
    default:
        return nullptr;
    }
}

CDSObj* CDSObjMgr::CloneObject(const CDSObj* entry) const {
    return entry != nullptr ? entry->Clone() : nullptr;
}

bool CDSObjMgr::DeleteObject(CDSObj* entry) {
    if (entry == nullptr)
        return false;
    if (!entry->IsAlbumOwned()) {
        ForgetObject(entry);
        delete entry;
    }
    return true;
}

bool CDSObjMgr::VerifyObjectCrc(const CDSObj* entry) const {
    if (entry == nullptr)
        return false;
    DWORD crc = 0;
    return CCrc32Static::FileCrcByReadFile(GetObjectFilePath(entry), crc) == 0 && crc == entry->GetCrc();
}

bool CDSObjMgr::UpdateObjectCrc(CDSObj* entry) const {
    if (entry == nullptr)
        return false;
    DWORD crc = 0;
    if (CCrc32Static::FileCrcByReadFile(GetObjectFilePath(entry), crc) != 0)
        return false;
    entry->SetCrc(crc);
    return true;
}

bool CDSObjMgr::LoadObject(CDSObj* entry) {
    if (entry == nullptr)
        return true;
    if (!entry->LoadData())
        return false;
    if (entry->IsAlbumOwned() && m_loadedObjects.Find(entry) == nullptr) {
        m_loadedObjects.AddTail(entry);
        if (m_loadedObjects.GetCount() > kObjectCacheLimit)
            m_loadedObjects.RemoveHead();
    }
    return true;
}

void CDSObjMgr::GetItemChoices(const CObject* item, std::vector<ItemChoice>& choices) const {
    if (DYNAMIC_DOWNCAST(CResType, item) != nullptr) {
        for (int id = 2; id >= 0; --id)
            choices.push_back(
                {id, AppServices().LoadString(kIdsKindSortChoices + static_cast<UINT>(id), 255)});
    } else if (DYNAMIC_DOWNCAST(CDSAlbum, item) != nullptr) {
        for (int id = 1; id >= 0; --id)
            choices.push_back(
                {id, AppServices().LoadString(kIdsAlbumSortChoices + static_cast<UINT>(id), 255)});
    }
}

CDSObj* CDSObjMgr::GetDefaultObject(const CResType* /*kind*/) const {
    return nullptr;
}
