#include "library/DSObj.h"

#include "image/ExtMgr.h"
#include "image/FileHelpers.h"
#include "image/PictureInfo.h"
#include "library/DSObjMgr.h"
#include "library/xml/XmlHelpers.h"
#include "library/zip/ZipArchive.h"
#include "platform/base/Archive.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Lists.h"
#include "platform/base/Path.h"

#include <cstdlib>

IMPLEMENT_SERIAL(CDSObj, CObject, 0)

namespace {

// Replaces every occurrence of from in path, letter case ignored, by to; the count of replacements.
int ReplaceIgnoringCase(CString& path, const CString& from, const CString& to) {
    if (from.IsEmpty())
        return 0;
    int replaced = 0;
    CString result;
    int at = 0;
    while (at + from.GetLength() <= path.GetLength()) {
        if (path.Mid(at, from.GetLength()).CompareNoCase(from) == 0) {
            result += to;
            at += from.GetLength();
            ++replaced;
        } else {
            result += path[at++];
        }
    }
    if (replaced > 0)
        path = result + path.Mid(at);
    return replaced;
}

// The crc32 attribute: written with "%u"; a missing or non-numeric value reads as 0.
DWORD ParseCrc(const CString& text) {
    return static_cast<DWORD>(std::strtoull(text, nullptr, 10));
}

} // namespace

CDSObj::CDSObj() = default;

CDSObj::~CDSObj() {
    SetThumbnail(nullptr);
}

void CDSObj::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strTitle << (m_bRelative ? 1 : 0) << m_strFilePath;
        return;
    }
    int relative = 0;
    ar >> m_strTitle >> relative >> m_strFilePath;
    m_bRelative = relative == 1;
    m_strFilePath = BackslashesToSlashes(m_strFilePath);
}

bool CDSObj::ReplacePaths(CStringList& from, CStringList& to) {
    if (from.GetCount() != to.GetCount())
        return false;
    int replaced = 0;
    POSITION toPos = to.GetHeadPosition();
    for (POSITION fromPos = from.GetHeadPosition(); fromPos != nullptr;)
        replaced += ReplaceIgnoringCase(m_strFilePath, from.GetNext(fromPos), to.GetNext(toPos));
    return replaced > 0;
}

CPictureInfo* CDSObj::LoadPicture() const {
    return nullptr;
}

CPictureInfo* CDSObj::LoadEntryFile(int bitsPerPixel) const {
    CExtMgr* manager = GetExtMgr();
    const CString path = GetFullPath();
    if (manager == nullptr || path.IsEmpty())
        return nullptr;
    CPictureInfo* mask = nullptr;
    CPictureInfo* picture = manager->LoadFile(path, mask, bitsPerPixel);
    delete mask;
    return picture;
}

bool CDSObj::IsLoaded() const {
    return true;
}

void CDSObj::SerializeTitle(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring())
        ar << m_strTitle;
    else
        ar >> m_strTitle;
}

void CDSObj::CopyFrom(const CDSObj& source) {
    m_strFilePath = source.m_strFilePath;
    m_bRelative = source.m_bRelative;
    m_bAlbumOwned = source.m_bAlbumOwned;
    m_strHref = source.m_strHref;
    m_strThumbnailName = source.m_strThumbnailName;
    m_nBitsPerPixel = source.m_nBitsPerPixel;
    m_dwCrc = source.m_dwCrc;
    m_nFileSize = source.m_nFileSize;
    m_strTitle = source.m_strTitle;
    SetThumbnail(source.m_pThumbnail != nullptr ? source.m_pThumbnail->Clone() : nullptr);
}

CDSObj* CDSObj::Clone() const {
    return nullptr;
}

CXmlElement* CDSObj::GetPropertiesElement() const {
    CXmlPtr<CXmlElementCollection> children(XmlGetChildren(m_pXmlRoot.Get()));
    return XmlGetItemByName(children.Get(), "PROPERTIES");
}

void CDSObj::ExchangeNames(CXmlElement* properties, BOOL load) {
    if (load) {
        CString url;
        XmlGetAttribute(properties, "url", url);
        m_strFilePath = BackslashesToSlashes(url);
        m_strThumbnailName.Empty();
        XmlGetAttribute(properties, "thumbnail", m_strThumbnailName);
        m_strTitle.Empty();
        XmlGetAttribute(properties, "title", m_strTitle);
        return;
    }
    XmlSetAttribute(properties, "url", m_strFilePath);
    XmlSetAttribute(properties, "thumbnail", m_strThumbnailName);
    XmlSetAttribute(properties, "title", m_strTitle);
}

void CDSObj::ExchangeFlags(CXmlElement* properties, BOOL load) {
    if (load) {
        XmlGetAttributeBool(properties, "relativepath", m_bRelative);
        CString crc;
        XmlGetAttribute(properties, "crc32", crc);
        m_dwCrc = ParseCrc(crc);
        return;
    }
    XmlSetAttributeBool(properties, "relativepath", m_bRelative);
    CString crc;
    crc.Format("%u", m_dwCrc);
    XmlSetAttribute(properties, "crc32", crc);
}

bool CDSObj::ExchangeXml(BOOL load) {
    CXmlPtr<CXmlElement> properties(GetPropertiesElement());
    if (!properties)
        return true;
    ExchangeNames(properties.Get(), load);
    ExchangeFlags(properties.Get(), load);
    return true;
}

bool CDSObj::LoadThumbnail(CZipArchive& archive) {
    if (HasThumbnail())
        return true;
    const int index = archive.FindFile(m_strThumbnailName);
    if (index < 0)
        return false;
    DWORD size = 0;
    const UniqueGlobal block(archive.ExtractToMemory(static_cast<WORD>(index), size));
    if (!block)
        return false;
    auto* thumbnail = new CPictureInfo;
    thumbnail->FromBmpHGlobal(block.get(), size);
    SetThumbnail(thumbnail);
    return true;
}

bool CDSObj::ReadXml(HGLOBAL block, DWORD size) {
    CXmlPtr<CXmlDocument> document(XmlLoadFromMemory(block, size));
    if (!document)
        return false;
    CXmlPtr<CXmlElement> root(XmlGetRoot(document.Get()));
    if (!root)
        return false;
    m_pXmlDocument = std::move(document);
    m_pXmlRoot = std::move(root);
    return ExchangeXml(TRUE);
}

bool CDSObj::LoadData() {
    return true;
}

bool CDSObj::WriteXml() {
    if (m_pXmlDocument)
        return true;
    CXmlDocument* created = nullptr;
    if (!XmlCreateDocument(&created))
        return false;
    CXmlPtr<CXmlDocument> document(created);
    XmlCreateDocumentWithRoot(document.Get(), "OBJECT");
    document->SetCharset("ISO-8859-2");
    CXmlPtr<CXmlElement> root(XmlGetRoot(document.Get()));
    CXmlPtr<CXmlElement> properties(XmlCreateElement(document.Get(), kXmlElementType, "PROPERTIES"));
    if (!root || !properties)
        return false;
    ExchangeNames(properties.Get(), FALSE);
    // Never read back: the file's own information is what counts.
    XmlSetAttribute(properties.Get(), "width", "0");
    XmlSetAttribute(properties.Get(), "height", "0");
    ExchangeFlags(properties.Get(), FALSE);
    if (!XmlAddChild(root.Get(), properties.Get(), -1))
        return false;
    m_pXmlDocument = std::move(document);
    m_pXmlRoot = std::move(root);
    // The kinds add their own attributes after the common ones.
    return ExchangeXml(FALSE);
}

HGLOBAL CDSObj::GetThumbnailBmp(DWORD& size) const {
    size = 0;
    return m_pThumbnail != nullptr ? m_pThumbnail->ToBmpHGlobal(size) : nullptr;
}

void CDSObj::SetThumbnail(CPictureInfo* thumbnail) {
    if (m_pThumbnail != nullptr)
        m_pThumbnail->Release();
    m_pThumbnail = thumbnail;
}

bool CDSObj::HasThumbnail() const {
    return m_pThumbnail != nullptr && m_pThumbnail->IsValid();
}

void CDSObj::SetImageInfo(int fileSize, const CSize& size, int bitsPerPixel) {
    m_nFileSize = fileSize;
    m_size = size;
    m_nBitsPerPixel = bitsPerPixel;
}

CString CDSObj::GetFileName() const {
    return GetFileNamePart(m_strFilePath);
}

CString CDSObj::GetFullPath() const {
    CDSObjMgr* manager = GetDSObjMgr();
    return manager != nullptr ? manager->GetObjectFilePath(this) : CString();
}
