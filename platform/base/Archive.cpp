#include "platform/base/Archive.h"

#include "platform/base/TextEncoding.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <new>
#include <optional>
#include <string>

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000;
// Indices must stay clear of the class bit of the big form.
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
// Class names are short identifiers; a longer stored name is damage.
constexpr WORD kMaxClassNameLength = 64;

constexpr BYTE kStringWordLength = 0xFF;
constexpr WORD kStringDwordLength = 0xFFFF;
// Before the length, marks a string stored as UTF-16LE; never a length of its own.
constexpr WORD kStringUnicodeMark = 0xFFFE;
constexpr WORD kCountDwordLength = 0xFFFF;

constexpr size_t kMinBufferSize = 128;

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile), m_nMode(nMode),
      m_buffer(std::max(kMinBufferSize, static_cast<size_t>(std::max(nBufSize, 0)))) {
    if (pFile) {
        m_strFileName = pFile->GetFilePath();
    }
    m_loadArray.emplace_back(); // index 0 is the null object
}

CArchive::~CArchive() {
    if (!m_pFile || (m_nMode & bNoFlushOnDelete)) {
        return;
    }
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
    }
    m_pFile = nullptr;
}

UINT CArchive::GetObjectSchema() {
    const UINT schema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return schema;
}

void CArchive::CheckStoring() const {
    if (!m_pFile) {
        AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
    }
    if (!IsStoring()) {
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    }
}

void CArchive::CheckLoading() const {
    if (!m_pFile) {
        AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
    }
    if (!IsLoading()) {
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    }
}

void CArchive::FillBuffer() {
    m_nBufCur = 0;
    m_nBufMax = 0;
    m_nBufMax = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    CheckLoading();
    auto* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_nBufCur == m_nBufMax) {
            // Large reads go straight to the file.
            if (nMax - done >= m_buffer.size()) {
                done += m_pFile->Read(out + done, nMax - done);
                break;
            }
            FillBuffer();
            if (m_nBufMax == 0) {
                break;
            }
        }
        const size_t chunk = std::min<size_t>(nMax - done, m_nBufMax - m_nBufCur);
        std::memcpy(out + done, m_buffer.data() + m_nBufCur, chunk);
        m_nBufCur += chunk;
        done += static_cast<UINT>(chunk);
    }
    return done;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    CheckStoring();
    if (nMax == 0)
        return; // an empty string may have no buffer at all
    const auto* in = static_cast<const BYTE*>(lpBuf);
    if (nMax >= m_buffer.size() - m_nBufCur) {
        Flush();
        if (nMax >= m_buffer.size()) {
            m_pFile->Write(in, nMax);
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_nBufCur, in, nMax);
    m_nBufCur += nMax;
}

void CArchive::Flush() {
    if (!m_pFile) {
        return;
    }
    if (IsLoading()) {
        if (m_nBufMax > m_nBufCur) {
            m_pFile->Seek(-static_cast<LONGLONG>(m_nBufMax - m_nBufCur), CFile::current);
        }
        m_nBufCur = m_nBufMax = 0;
        return;
    }
    if (m_nBufCur > 0) {
        const size_t pending = m_nBufCur;
        m_nBufCur = 0;
        m_pFile->Write(m_buffer.data(), static_cast<UINT>(pending));
    }
}

void CArchive::Close() {
    try {
        Flush();
    } catch (...) {
        m_pFile = nullptr;
        throw;
    }
    m_pFile = nullptr;
}

void CArchive::Abort() {
    m_pFile = nullptr;
    m_nBufCur = m_nBufMax = 0;
}

void CArchive::EnsureRemaining(ULONGLONG nBytes) {
    CheckLoading();
    const ULONGLONG buffered = m_nBufMax - m_nBufCur;
    if (nBytes <= buffered) {
        return;
    }
    ULONGLONG length = 0;
    ULONGLONG position = 0;
    try {
        length = m_pFile->GetLength();
        position = m_pFile->GetPosition();
    } catch (CFileException* e) {
        // A pipe or device cannot tell its length; such data is read as it comes.
        e->Delete();
        return;
    }
    const ULONGLONG inFile = length > position ? length - position : 0;
    if (nBytes - buffered > inFile) {
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    }
}

CArchive& CArchive::WriteLittle(ULONGLONG value, int nBytes) {
    BYTE bytes[8];
    for (int i = 0; i < nBytes; ++i) {
        bytes[i] = static_cast<BYTE>(value >> (8 * i));
    }
    CheckStoring();
    if (m_buffer.size() - m_nBufCur >= static_cast<size_t>(nBytes)) {
        std::memcpy(m_buffer.data() + m_nBufCur, bytes, static_cast<size_t>(nBytes));
        m_nBufCur += static_cast<size_t>(nBytes);
    } else {
        Write(bytes, static_cast<UINT>(nBytes));
    }
    return *this;
}

ULONGLONG CArchive::ReadLittle(int nBytes) {
    BYTE bytes[8] = {};
    if (IsLoading() && m_nBufMax - m_nBufCur >= static_cast<size_t>(nBytes)) {
        std::memcpy(bytes, m_buffer.data() + m_nBufCur, static_cast<size_t>(nBytes));
        m_nBufCur += static_cast<size_t>(nBytes);
    } else if (Read(bytes, static_cast<UINT>(nBytes)) != static_cast<UINT>(nBytes)) {
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    }
    ULONGLONG value = 0;
    for (int i = nBytes - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

CArchive& CArchive::operator<<(float f) {
    return WriteLittle(std::bit_cast<DWORD>(f), 4);
}
CArchive& CArchive::operator<<(double d) {
    return WriteLittle(std::bit_cast<ULONGLONG>(d), 8);
}

CArchive& CArchive::operator>>(float& f) {
    f = std::bit_cast<float>(static_cast<DWORD>(ReadLittle(4)));
    return *this;
}

CArchive& CArchive::operator>>(double& d) {
    d = std::bit_cast<double>(ReadLittle(8));
    return *this;
}

void CArchive::WriteString(LPCSTR lpsz) {
    if (lpsz) {
        Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
    }
}

BOOL CArchive::ReadString(CString& rString) {
    std::string line;
    bool readAny = false;
    char ch = 0;
    while (Read(&ch, 1) == 1) {
        readAny = true;
        if (ch == '\n') {
            break;
        }
        line += ch;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    rString = CString(std::move(line));
    return readAny ? TRUE : FALSE;
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
    if (dwCount < kCountDwordLength) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    if (dwCount > 0xFFFFFFFFu) {
        AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
    }
    *this << kCountDwordLength << static_cast<DWORD>(dwCount);
}

DWORD_PTR CArchive::ReadCount() {
    WORD count = 0;
    *this >> count;
    if (count != kCountDwordLength) {
        return count;
    }
    DWORD bigCount = 0;
    *this >> bigCount;
    return bigCount;
}

DWORD CArchive::NextMapIndex() {
    if (m_nMapCount > kMaxMapCount) {
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    }
    return m_nMapCount++;
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
    CheckStoring();
    if (!pClassRef || !pClassRef->IsSerializable()) {
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    }
    if (const auto known = m_storeMap.find(pClassRef); known != m_storeMap.end()) {
        const DWORD index = known->second;
        if (index < kBigObjectTag) {
            *this << static_cast<WORD>(kClassTag | index);
        } else {
            *this << kBigObjectTag << (kBigClassTag | index);
        }
        return;
    }
    const size_t nameLength = std::strlen(pClassRef->m_lpszClassName);
    if (nameLength >= kMaxClassNameLength) {
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    }
    *this << kNewClassTag << static_cast<WORD>(pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA)
          << static_cast<WORD>(nameLength);
    Write(pClassRef->m_lpszClassName, static_cast<UINT>(nameLength));
    m_storeMap.emplace(pClassRef, NextMapIndex());
}

void CArchive::WriteObject(const CObject* pOb) {
    CheckStoring();
    if (!pOb) {
        *this << kNullTag;
        return;
    }
    if (const auto known = m_storeMap.find(pOb); known != m_storeMap.end()) {
        const DWORD index = known->second;
        if (index < kBigObjectTag) {
            *this << static_cast<WORD>(index);
        } else {
            *this << kBigObjectTag << index;
        }
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    m_storeMap.emplace(pOb, NextMapIndex());
    // Serialize changes nothing in the object when storing; the framework's signature is not const.
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag) {
    CheckLoading();
    WORD tag = 0;
    *this >> tag;
    DWORD objectTag = 0;
    if (tag == kBigObjectTag) {
        *this >> objectTag;
    } else {
        objectTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);
    }
    if (!(objectTag & kBigClassTag)) {
        // An object: null or one loaded before.
        if (pObTag) {
            *pObTag = objectTag;
        }
        return nullptr;
    }

    CRuntimeClass* pClassRef = nullptr;
    UINT schema = 0;
    if (tag == kNewClassTag) {
        WORD storedSchema = 0;
        WORD nameLength = 0;
        *this >> storedSchema >> nameLength;
        char name[kMaxClassNameLength + 1] = {};
        if (nameLength >= kMaxClassNameLength || Read(name, nameLength) != nameLength) {
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        }
        pClassRef = CRuntimeClass::FromName(name);
        // A class asked for by the caller is known even when its registration was not linked in.
        if (!pClassRef && pClassRefRequested && std::strcmp(pClassRefRequested->m_lpszClassName, name) == 0) {
            pClassRef = const_cast<CRuntimeClass*>(pClassRefRequested);
        }
        if (!pClassRef || !pClassRef->IsSerializable()) {
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        }
        schema = storedSchema;
        const bool versionable = pClassRef->m_wSchema & VERSIONABLE_SCHEMA;
        if (!versionable && schema != pClassRef->m_wSchema) {
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        }
        m_loadArray.push_back({pClassRef, nullptr, schema});
        NextMapIndex();
    } else {
        const DWORD index = objectTag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].pClass) {
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        }
        pClassRef = m_loadArray[index].pClass;
        schema = m_loadArray[index].nSchema;
    }

    if (pClassRefRequested && !pClassRef->IsDerivedFrom(pClassRefRequested)) {
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    }
    if (pSchema) {
        *pSchema = schema;
    }
    if (pObTag) {
        *pObTag = objectTag;
    }
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
    UINT schema = 0;
    DWORD objectTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &schema, &objectTag);
    if (!pClassRef) {
        if (objectTag >= m_loadArray.size() || m_loadArray[objectTag].pClass) {
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        }
        CObject* pOb = m_loadArray[objectTag].pObject;
        if (pOb && pClassRefRequested && !pOb->IsKindOf(pClassRefRequested)) {
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        }
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (!pOb) {
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    }
    const size_t slot = m_loadArray.size();
    try {
        m_loadArray.push_back({nullptr, pOb, 0});
        NextMapIndex();
        const UINT outerSchema = m_nObjectSchema;
        m_nObjectSchema = schema;
        pOb->Serialize(*this);
        m_nObjectSchema = outerSchema;
    } catch (...) {
        // The half-read object is nobody's: free it and leave no pointer to it behind.
        if (slot < m_loadArray.size()) {
            m_loadArray[slot].pObject = nullptr;
        }
        delete pOb;
        throw;
    }
    return pOb;
}

std::vector<CObject*> CArchive::GetLoadedObjects() const {
    std::vector<CObject*> objects;
    for (const LoadedEntry& entry : m_loadArray) {
        if (entry.pObject) {
            objects.push_back(entry.pObject);
        }
    }
    return objects;
}

namespace {

// The length prefix of a string: a byte, or 0xFF and a WORD, or 0xFF, 0xFFFF and a DWORD.
void WriteStringLength(CArchive& ar, size_t length) {
    if (length < kStringWordLength) {
        ar << static_cast<BYTE>(length);
    } else if (length < kStringUnicodeMark) {
        ar << kStringWordLength << static_cast<WORD>(length);
    } else {
        ar << kStringWordLength << kStringDwordLength << static_cast<DWORD>(length);
    }
}

// The length that follows; wide is set when the Unicode mark comes first, the length then counting
// UTF-16 units.
DWORD ReadStringLength(CArchive& ar, bool& wide) {
    BYTE byteLength = 0;
    ar >> byteLength;
    if (byteLength < kStringWordLength)
        return byteLength;
    WORD wordLength = 0;
    ar >> wordLength;
    if (wordLength == kStringUnicodeMark) {
        wide = true;
        ar >> byteLength;
        if (byteLength < kStringWordLength)
            return byteLength;
        ar >> wordLength;
    }
    if (wordLength < kStringDwordLength)
        return wordLength;
    DWORD length = 0;
    ar >> length;
    return length;
}

// Windows-1252 bytes of the text, when they read back as the same text.
std::optional<std::string> AsWindows1252(const std::string& text) {
    std::optional<std::string> bytes = Utf8ToWindows1252(text);
    if (bytes && *bytes != text && IsValidUtf8(*bytes))
        return std::nullopt;
    return bytes;
}

std::string ReadStringBytes(CArchive& ar, ULONGLONG count) {
    // Only a UTF-16 length can ask for more than a read can give; no file holds such a string.
    if (count > UINT_MAX)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    ar.EnsureRemaining(count);
    std::string bytes;
    try {
        bytes.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
    if (ar.Read(bytes.data(), static_cast<UINT>(count)) != count) {
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
    return bytes;
}

} // namespace

CArchive& operator<<(CArchive& ar, const CString& string) {
    // Stray bytes that are not UTF-8 are taken as Windows-1252, as they would be read back.
    const std::string text = Utf8WithWindows1252Fallback(string.view());
    if (const std::optional<std::string> windows = AsWindows1252(text)) {
        WriteStringLength(ar, windows->size());
        ar.Write(windows->data(), static_cast<UINT>(windows->size()));
        return ar;
    }
    const std::u16string units = Utf8ToUtf16(text);
    ar << kStringWordLength << kStringUnicodeMark;
    WriteStringLength(ar, units.size());
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    ar.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& string) {
    bool wide = false;
    const DWORD length = ReadStringLength(ar, wide);
    if (!wide) {
        string = CString(StoredTextToUtf8(ReadStringBytes(ar, length)));
        return ar;
    }
    const std::string bytes = ReadStringBytes(ar, ULONGLONG{length} * 2);
    std::u16string units(length, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] =
            static_cast<char16_t>(static_cast<BYTE>(bytes[2 * i]) | static_cast<BYTE>(bytes[2 * i + 1]) << 8);
    string = CString(Utf16ToUtf8(units));
    return ar;
}

CArchive& operator<<(CArchive& ar, const POINT& point) {
    return ar << point.x << point.y;
}
CArchive& operator>>(CArchive& ar, POINT& point) {
    return ar >> point.x >> point.y;
}
CArchive& operator<<(CArchive& ar, const SIZE& size) {
    return ar << size.cx << size.cy;
}
CArchive& operator>>(CArchive& ar, SIZE& size) {
    return ar >> size.cx >> size.cy;
}
CArchive& operator<<(CArchive& ar, const RECT& rect) {
    return ar << rect.left << rect.top << rect.right << rect.bottom;
}
CArchive& operator>>(CArchive& ar, RECT& rect) {
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}
