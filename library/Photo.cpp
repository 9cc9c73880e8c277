#include "library/Photo.h"

#include "image/FileHelpers.h"
#include "image/PictureInfo.h"
#include "library/Base64.h"
#include "library/xml/XmlHelpers.h"
#include "platform/base/FileFind.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Path.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CPhoto, CDSObj)

namespace {

constexpr int kBase64LineLength = 76;

UniqueGlobal BlockOf(const CString& text) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(text.GetLength())));
    const CGlobalLock lock(block.get());
    if (lock.Bytes() == nullptr)
        return UniqueGlobal();
    std::memcpy(lock.Bytes(), text.GetString(), static_cast<size_t>(text.GetLength()));
    return block;
}

// The bytes of a Base64 text, NULs included; empty when memory is short.
CString DecodeBase64(const CString& text) {
    const UniqueGlobal source = BlockOf(text);
    DWORD length = 0;
    const UniqueGlobal decoded(Base64DecodeBuffer(source.get(), text.GetLength(), length));
    const CGlobalLock lock(decoded.get());
    if (lock.Bytes() == nullptr)
        return CString();
    return CString(reinterpret_cast<const char*>(lock.Bytes()), static_cast<int>(length));
}

// The text in lines of 76 characters; false when memory is short.
bool EncodeBase64(const CString& bytes, CString& text) {
    const UniqueGlobal source = BlockOf(bytes);
    DWORD length = 0;
    const UniqueGlobal encoded(
        Base64EncodeBuffer(source.get(), bytes.GetLength(), length, kBase64LineLength));
    const CGlobalLock lock(encoded.get());
    if (lock.Bytes() == nullptr)
        return false;
    text = CString(reinterpret_cast<const char*>(lock.Bytes()), static_cast<int>(length));
    return true;
}

} // namespace

bool CPhoto::NeedsEncoding(const CString& text) {
    if (NeedsBase64Encoding(text))
        return true;
    for (const char ch : text.view()) {
        const auto byte = static_cast<unsigned char>(ch);
        // A NUL or another control character would make the document invalid or be dropped from it.
        if (byte < 0x20 && ch != '\t' && ch != '\n' && ch != '\r')
            return true;
    }
    return false;
}

bool CPhoto::InitFromFile(const CString& path, const char* description, const char* title) {
    CFileFind find;
    if (!find.FindFile(ResolvePathCase(BackslashesToSlashes(path))))
        return false;
    find.FindNextFile();
    SetFilePath(path);
    m_strDescription = description;
    SetTitle(title != nullptr ? CString(title) : find.GetFileName());
    CTime created;
    return find.GetCreationTime(created);
}

CPictureInfo* CPhoto::LoadPicture() const {
    return LoadEntryFile(0);
}

CDSObj* CPhoto::Clone() const {
    auto* photo = new CPhoto;
    photo->CopyFrom(*this);
    return photo;
}

bool CPhoto::ExchangeXml(BOOL load) {
    CXmlPtr<CXmlElement> properties(GetPropertiesElement());
    if (!properties)
        return true;
    ExchangeNames(properties.Get(), load);
    if (load) {
        CString encoding;
        XmlGetAttribute(properties.Get(), "description_encoding", encoding);
        CString description;
        XmlGetAttribute(properties.Get(), "description", description);
        m_strDescription = encoding.CompareNoCase("base64") == 0 ? DecodeBase64(description) : description;
    } else {
        CString encoded;
        if (NeedsEncoding(m_strDescription) && EncodeBase64(m_strDescription, encoded)) {
            XmlSetAttribute(properties.Get(), "description", encoded);
            XmlSetAttribute(properties.Get(), "description_encoding", "base64");
        } else {
            XmlSetAttribute(properties.Get(), "description", m_strDescription);
            XmlSetAttribute(properties.Get(), "description_encoding", "");
        }
    }
    ExchangeFlags(properties.Get(), load);
    return true;
}
