#include "library/ResType.h"

#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/KindClasses.h"
#include "library/xml/XmlHelpers.h"
#include "platform/base/AppServices.h"
#include "platform/base/FileApi.h"
#include "platform/base/Path.h"

#include <cctype>

IMPLEMENT_DYNAMIC(CResType, CObject)

namespace {

// The kind without a list file.
constexpr int kKindWithoutAlbumList = 9;

void DeleteAlbums(CTypedPtrList<CObList, CDSAlbum*>& albums) {
    while (!albums.IsEmpty())
        delete albums.RemoveHead();
}

CDSAlbum* FindTitle(const CTypedPtrList<CObList, CDSAlbum*>& albums, const CString& title) {
    for (POSITION pos = albums.GetHeadPosition(); pos != nullptr;) {
        CDSAlbum* album = albums.GetNext(pos);
        if (album->GetTitle().CompareNoCase(title) == 0)
            return album;
    }
    return nullptr;
}

bool IsExisting(const CString& path) {
    return GetFileAttributes(ResolvePathCase(path)) != INVALID_FILE_ATTRIBUTES;
}

CString DataDir() {
    CDSObjMgr* manager = GetDSObjMgr();
    return manager != nullptr ? manager->GetDataDir() : CString();
}

} // namespace

CResType::CResType(int typeId, const CString& name, int installType)
    : m_strName(name), m_nTypeId(typeId), m_nInstallType(installType) {}

CResType::~CResType() {
    DeleteAlbums(m_userAlbums);
    DeleteAlbums(m_builtInAlbums);
}

void CResType::SetSubDirectory(const CString& subDirectory) {
    m_strSubDirectory = BackslashesToSlashes(subDirectory);
}

CResType* CResType::AddRef() {
    ++m_nRefCount;
    return this;
}

void CResType::Release() {
    if (m_nRefCount > 0)
        --m_nRefCount;
    else if (!m_bOwnedByManager)
        delete this;
}

bool CResType::AddAlbum(CDSAlbum* album, bool builtIn) {
    GetAlbumList(builtIn).AddTail(album);
    return true;
}

bool CResType::IsSecondaryAlbum(const CDSAlbum* album) const {
    return m_builtInAlbums.Find(const_cast<CDSAlbum*>(album)) != nullptr;
}

bool CResType::HasAlbum(const CDSAlbum* album) const {
    return m_userAlbums.Find(const_cast<CDSAlbum*>(album)) != nullptr || IsSecondaryAlbum(album);
}

CDSAlbum* CResType::NewAlbum() const {
    return CreateKindAlbum(m_nTypeId);
}

CDSAlbum* CResType::FindAlbumByTitle(const CString& title) const {
    return FindTitle(m_userAlbums, title);
}

bool CResType::IsValidAlbumName(const CString& name) const {
    return FindTitle(m_userAlbums, name) == nullptr && FindTitle(m_builtInAlbums, name) == nullptr;
}

bool CResType::IsTitleUnused(const CString& name) const {
    return FindTitle(m_builtInAlbums, name) == nullptr && FindTitle(m_userAlbums, name) == nullptr;
}

CString CResType::MakeUniqueAlbumName(const CString& name) const {
    CString unique = name;
    for (int counter = 2; !IsValidAlbumName(unique); ++counter)
        unique.Format("%s (%d)", name, counter);
    return unique;
}

bool CResType::RenameAlbum(const CString& oldTitle, const CString& newTitle) {
    CDSAlbum* album = FindAlbumByTitle(oldTitle);
    return album != nullptr && RenameAlbumObject(album, newTitle);
}

bool CResType::RenameAlbumObject(CDSAlbum* album, const CString& newTitle) {
    if (album == nullptr || !IsValidAlbumName(newTitle) || m_userAlbums.Find(album) == nullptr)
        return false;
    CDSObjMgr* manager = GetDSObjMgr();
    if (!album->IsIndexOpen() && manager != nullptr)
        manager->LoadAlbum(album);
    // The title lives in the album's own index: without writing it there, the next start would show the
    // old one.
    const CString oldTitle = album->GetTitle();
    album->SetTitle(newTitle);
    album->ExchangeProperty(FALSE);
    if (album->IsIndexOpen() && album->SaveIndex())
        return true;
    album->SetTitle(oldTitle);
    album->ExchangeProperty(FALSE);
    return false;
}

CString CResType::MakeAlbumFileName(const CString& baseDirectory) const {
    CString name;
    for (int number = 0;; ++number) {
        name.Format("/album%d.%s", number, m_strAlbumExtension);
        if (!IsExisting(baseDirectory + m_strSubDirectory + name))
            return name;
    }
}

CString CResType::GetAlbumPath(const CDSAlbum* album, const CString& dataDirectory) const {
    return album != nullptr ? ResolvePathCase(dataDirectory + m_strSubDirectory + album->GetPath())
                            : CString();
}

CString CResType::GetAlbumFullPath(const CDSAlbum* album) const {
    return GetAlbumPath(album, DataDir());
}

CString CResType::GetAlbumFolder() const {
    return ResolvePathCase(DataDir() + m_strSubDirectory);
}

CString CResType::GetListFilePath() const {
    return GetAlbumFolder() + "/albums.dat";
}

CDSAlbum* CResType::CreateAlbum(const CString& name, const CString& dataDirectory, bool builtIn) {
    if (!IsValidAlbumName(name))
        return nullptr;
    CDSAlbum* album = NewAlbum();
    if (album == nullptr)
        return nullptr;
    album->SetTitle(name);
    album->SetProducer("DS");
    album->SetPath(MakeAlbumFileName(dataDirectory));
    if (builtIn) {
        AddAlbum(album, true);
        return album;
    }
    album->CreateIndex();
    MakeFolderPath(dataDirectory + m_strSubDirectory);
    if (!album->CreateArchive(GetAlbumPath(album, dataDirectory))) {
        delete album;
        return nullptr;
    }
    AddAlbum(album, false);
    if (SaveAlbums())
        return album;
    // An archive that the list does not name would be lost at the next start: take it back.
    DeleteFile(GetAlbumPath(album, dataDirectory));
    m_userAlbums.RemoveTail();
    delete album;
    return nullptr;
}

bool CResType::DeleteAlbum(CDSAlbum* album) {
    if (album == nullptr)
        return true;
    if (!album->IsDeletable()) {
        AppServices().MessageBoxText("Album contains objects in use and cannot be deleted", MB_OK, 0);
        return false;
    }
    const POSITION pos = m_userAlbums.Find(album);
    if (pos == nullptr)
        return false;
    const CString path = GetAlbumFullPath(album);
    if (IsExisting(path) && !DeleteFile(path))
        return false;
    m_userAlbums.RemoveAt(pos);
    delete album;
    return SaveAlbums();
}

bool CResType::DeleteAlbumByTitle(const CString& title) {
    CDSAlbum* album = FindAlbumByTitle(title);
    return album != nullptr && DeleteAlbum(album);
}

CDSAlbum* CResType::DuplicateAlbumFile(CDSAlbum* album) {
    CDSObjMgr* manager = GetDSObjMgr();
    if (album == nullptr || manager == nullptr)
        return nullptr;
    const CString name = MakeAlbumFileName(manager->GetDataDir());
    const CString copy = GetAlbumFolder() + name;
    if (!CopyFile(GetAlbumFullPath(album), copy, TRUE))
        return nullptr;
    CDSAlbum* duplicate = NewAlbum();
    duplicate->SetPath(name);
    manager->LoadAlbum(duplicate);
    AddAlbum(duplicate, false);
    if (SaveAlbums())
        return duplicate;
    m_userAlbums.RemoveTail();
    delete duplicate;
    DeleteFile(copy);
    return nullptr;
}

bool CResType::LoadAlbums() {
    if (m_nTypeId == kKindWithoutAlbumList)
        return true;
    std::vector<CString> paths;
    if (!ReadAlbumList(GetListFilePath(), m_strAlbumExtension, paths))
        return false;
    for (const CString& path : paths) {
        CDSAlbum* album = NewAlbum();
        if (album == nullptr)
            return false;
        album->SetPath(path);
        int entries = 0;
        if (album->LoadProperties(entries))
            AddAlbum(album, false);
        else
            delete album;
    }
    return true;
}

bool CResType::SaveAlbums() const {
    CXmlDocument* created = nullptr;
    if (!XmlCreateDocument(&created))
        return false;
    CXmlPtr<CXmlDocument> document(created);
    XmlCreateDocumentWithRoot(document.Get(), "ALBUMS");
    CXmlPtr<CXmlElement> root(XmlGetRoot(document.Get()));
    long index = 0;
    for (POSITION pos = m_userAlbums.GetHeadPosition(); pos != nullptr;) {
        CXmlPtr<CXmlElement> item(XmlCreateElement(document.Get(), kXmlElementType, "ALBUM"));
        XmlSetAttribute(item.Get(), "path", m_userAlbums.GetNext(pos)->GetPath());
        if (!XmlAddChild(root.Get(), item.Get(), index++))
            return false;
    }
    MakeFolderPath(GetAlbumFolder());
    return XmlSaveToFile(document.Get(), GetListFilePath());
}

bool CResType::SortAlbums(int key, bool ascending) {
    const auto field = [key](const CDSAlbum* album) -> const CString& {
        return key == 1 ? album->GetProducer() : album->GetTitle();
    };
    if (key == 1 || key == 2) {
        for (POSITION i = m_userAlbums.GetHeadPosition(); i != nullptr; m_userAlbums.GetNext(i)) {
            POSITION j = i;
            for (m_userAlbums.GetNext(j); j != nullptr; m_userAlbums.GetNext(j)) {
                CDSAlbum* first = m_userAlbums.GetAt(i);
                CDSAlbum* second = m_userAlbums.GetAt(j);
                const int order = field(first).CompareNoCase(field(second));
                if (ascending ? order > 0 : order < 0) {
                    m_userAlbums.SetAt(i, second);
                    m_userAlbums.SetAt(j, first);
                }
            }
        }
    }
    return SaveAlbums();
}

bool CResType::MoveAlbum(CDSAlbum* album, bool towardsFront, bool oneStep) {
    const POSITION pos = m_userAlbums.Find(album);
    if (pos == nullptr ||
        pos == (towardsFront ? m_userAlbums.GetHeadPosition() : m_userAlbums.GetTailPosition()))
        return false;
    POSITION neighbour = pos;
    if (towardsFront)
        m_userAlbums.GetPrev(neighbour);
    else
        m_userAlbums.GetNext(neighbour);
    m_userAlbums.RemoveAt(pos);
    if (!oneStep)
        towardsFront ? m_userAlbums.AddHead(album) : m_userAlbums.AddTail(album);
    else
        towardsFront ? m_userAlbums.InsertBefore(neighbour, album)
                     : m_userAlbums.InsertAfter(neighbour, album);
    return SaveAlbums();
}

bool CResType::MoveAlbumToFront(CDSAlbum* album) {
    return MoveAlbum(album, true, false);
}

bool CResType::MoveAlbumUp(CDSAlbum* album) {
    return MoveAlbum(album, true, true);
}

bool CResType::MoveAlbumDown(CDSAlbum* album) {
    return MoveAlbum(album, false, true);
}

bool CResType::MoveAlbumToBack(CDSAlbum* album) {
    return MoveAlbum(album, false, false);
}

int CResType::CompareAlbumOrder(const CDSAlbum* a, const CDSAlbum* b) const {
    auto* first = const_cast<CDSAlbum*>(a);
    auto* second = const_cast<CDSAlbum*>(b);
    if (const POSITION userA = m_userAlbums.Find(first)) {
        if (m_userAlbums.Find(second, userA) != nullptr || IsSecondaryAlbum(b))
            return -1;
        return 1;
    }
    if (const POSITION builtInA = m_builtInAlbums.Find(first))
        return m_builtInAlbums.Find(second, builtInA) != nullptr ? -1 : 1;
    return 1;
}

bool IsAlbumFileName(const CString& path, const CString& extension) {
    if (path.GetLength() < 2 || (path[0] != '/' && path[0] != '\\'))
        return false;
    const CString name = path.Mid(1);
    const CString prefix = "album";
    const CString suffix = "." + extension;
    if (name.GetLength() <= prefix.GetLength() + suffix.GetLength() ||
        name.Left(prefix.GetLength()) != prefix || name.Right(suffix.GetLength()).CompareNoCase(suffix) != 0)
        return false;
    const CString number =
        name.Mid(prefix.GetLength(), name.GetLength() - prefix.GetLength() - suffix.GetLength());
    for (const char ch : number.view()) {
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return false;
    }
    return true;
}

bool ReadAlbumList(const CString& listPath, const CString& extension, std::vector<CString>& paths) {
    CXmlPtr<CXmlDocument> document(XmlLoadFromFile(listPath));
    if (!document)
        return false;
    CXmlPtr<CXmlElement> root(XmlGetRoot(document.Get()));
    CXmlPtr<CXmlElementCollection> items(XmlGetChildren(root.Get()));
    const long count = XmlGetLength(items.Get());
    for (long i = 0; i < count; ++i) {
        CXmlPtr<CXmlElement> item(XmlGetItemByIndex(items.Get(), i));
        CString path;
        XmlGetAttribute(item.Get(), "path", path);
        if (IsAlbumFileName(path, extension))
            paths.push_back(BackslashesToSlashes(path));
    }
    return true;
}
