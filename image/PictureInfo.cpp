#include "image/PictureInfo.h"

#include "image/DibGeometry.h"
#include "image/DibValidation.h"
#include "image/PictureBlock.h"
#include "platform/base/AppServices.h"
#include "platform/base/Archive.h"
#include "platform/base/AtomicFileWriter.h"
#include "platform/base/File.h"
#include "platform/base/FileApi.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Resource.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr DWORD kFileHeaderSize = sizeof(BITMAPFILEHEADER);

// Reads the rest of the file from the current position into a new block; null when it is cut short.
std::unique_ptr<BYTE[]> ReadRest(CFile& file, ULONGLONG bytes) {
    if (bytes > UINT32_MAX)
        return nullptr;
    auto block = std::make_unique_for_overwrite<BYTE[]>(static_cast<std::size_t>(bytes));
    if (file.Read(block.get(), static_cast<UINT>(bytes)) != bytes)
        return nullptr;
    return block;
}

// Reads length bytes of an archive into a new block that grows with what really arrives, so that a forged
// length cannot claim memory the archive does not back with data. A short archive throws.
std::unique_ptr<BYTE[]> ReadArchiveBlock(CArchive& ar, DWORD length) {
    constexpr std::size_t kFirstChunk = std::size_t{1} << 20;
    std::size_t capacity = std::min<std::size_t>(length, kFirstChunk);
    auto block = std::make_unique_for_overwrite<BYTE[]>(capacity);
    std::size_t filled = 0;
    while (filled < length) {
        if (filled == capacity) {
            capacity = std::min<std::size_t>(length, 2 * capacity);
            auto larger = std::make_unique_for_overwrite<BYTE[]>(capacity);
            std::memcpy(larger.get(), block.get(), filled);
            block = std::move(larger);
        }
        const UINT got = ar.Read(block.get() + filled, static_cast<UINT>(capacity - filled));
        if (got == 0)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        filled += got;
    }
    return block;
}

void ShowFileError(int osError, const CString& path) {
    const CFileException error(CFileException::OsErrorToException(osError), osError, path);
    char message[512];
    error.GetErrorMessage(message, sizeof message);
    AppServices().MessageBoxText(message, MB_OK | MB_ICONEXCLAMATION, 0);
}

BOOL WriteAll(HANDLE file, const void* data, DWORD bytes) {
    DWORD written = 0;
    return WriteFile(file, data, bytes, &written, nullptr) && written == bytes;
}

} // namespace

void CPictureInfo::Free() {
    delete[] m_dib;
    m_dib = nullptr;
    m_length = 0;
}

LONG CPictureInfo::Release() {
    const LONG count = --m_refCount;
    if (count == 0)
        delete this;
    return count;
}

void CPictureInfo::Destroy() {
    Free();
    delete this;
}

BYTE* CPictureInfo::GetBits() const {
    return m_dib ? DibBitsPtr(GetHeader()) : nullptr;
}

DWORD CPictureInfo::GetBitsSize() const {
    return m_dib ? GetLength() - DibBitsOffset(GetHeader()) : 0;
}

CPictureInfo* CPictureInfo::Clone() const {
    auto* copy = new CPictureInfo;
    if (IsValid()) {
        std::unique_ptr<BYTE[]> block = NewPictureBlock(GetLength());
        std::memcpy(block.get(), m_dib, GetLength());
        copy->Attach(block.release(), GetLength());
    }
    return copy;
}

BYTE* CPictureInfo::LoadFile(const CString& path) {
    if (!m_dib && !path.IsEmpty())
        ReadBmpFile(path);
    return m_dib;
}

void CPictureInfo::Attach(BYTE* block, DWORD length) {
    Free();
    m_dib = block;
    m_length = block ? static_cast<LONG>(length) : 0;
}

BYTE* CPictureInfo::Detach() {
    BYTE* block = m_dib;
    m_dib = nullptr;
    m_length = 0;
    return block;
}

BYTE* CPictureInfo::Allocate(DWORD length) {
    Attach(new BYTE[length](), length);
    return m_dib;
}

BOOL CPictureInfo::SetExternalDib(const void* dib, std::size_t size) {
    Free();
    if (!dib)
        return FALSE;
    return TakeNormalized(NormalizeExternalDib(std::span(static_cast<const BYTE*>(dib), size)));
}

BOOL CPictureInfo::TakeExternalDib(std::unique_ptr<BYTE[]> dib, std::size_t size) {
    Free();
    return TakeNormalized(NormalizeExternalDib(std::move(dib), size));
}

BOOL CPictureInfo::TakeNormalized(NormalizedDib normalized) {
    Free();
    if (!normalized)
        return FALSE;
    Attach(normalized.block.release(), normalized.length);
    return TRUE;
}

BITMAPFILEHEADER CPictureInfo::MakeFileHeader() const {
    return BITMAPFILEHEADER{kBitmapFileType, GetLength() + kFileHeaderSize, 0, 0,
                            static_cast<DWORD>(kFileHeaderSize + DibBitsOffset(GetHeader()))};
}

BOOL CPictureInfo::ReadBmp(CFile& file) {
    file.SeekToBegin();
    const ULONGLONG fileSize = file.GetLength();
    BITMAPFILEHEADER header;
    if (fileSize < kFileHeaderSize || file.Read(&header, kFileHeaderSize) != kFileHeaderSize)
        return FALSE;
    if (header.bfType != kBitmapFileType || header.bfSize != fileSize)
        return FALSE;
    const ULONGLONG length = fileSize - kFileHeaderSize;
    std::unique_ptr<BYTE[]> block = ReadRest(file, length);
    if (!block)
        return FALSE;
    return TakeNormalized(NormalizeExternalDib(std::move(block), length, BmpFileBitsOffset(header)));
}

BOOL CPictureInfo::ReadBmpFile(const CString& path) {
    Free();
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareExclusive))
        return FALSE;
    try {
        return ReadBmp(file);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL CPictureInfo::ReadFromHandle(HANDLE handle) {
    Free();
    if (!handle || handle == INVALID_HANDLE_VALUE)
        return FALSE;
    CFile file(handle);
    try {
        return ReadBmp(file);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL CPictureInfo::ReadRawFromHandle(HANDLE handle) {
    Free();
    if (!handle || handle == INVALID_HANDLE_VALUE)
        return FALSE;
    CFile file(handle);
    try {
        file.SeekToBegin();
        const ULONGLONG length = file.GetLength();
        std::unique_ptr<BYTE[]> block = ReadRest(file, length);
        if (!block)
            return FALSE;
        return TakeNormalized(NormalizeExternalDib(std::move(block), length));
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL CPictureInfo::FromBmpHGlobal(HGLOBAL data, DWORD size) {
    Free();
    // A size beyond the block would read past it.
    if (!data || size < kFileHeaderSize || size > GlobalSize(data))
        return FALSE;
    const CGlobalLock lock(data);
    if (!lock.Bytes())
        return FALSE;
    return TakeNormalized(NormalizeBmpFileImage(std::span<const BYTE>(lock.Bytes(), size)));
}

BOOL CPictureInfo::LoadResource(const CString& name, HINSTANCE module) {
    const HRSRC resource = FindResource(module, name, RT_BITMAP);
    if (!resource)
        return FALSE;
    const HGLOBAL data = ::LoadResource(module, resource);
    // A bitmap resource is a packed DIB already: no file header to strip. A damaged one is refused like
    // a missing one, and the picture keeps what it held.
    NormalizedDib normalized = NormalizeExternalDib(
        std::span(static_cast<const BYTE*>(LockResource(data)), SizeofResource(module, resource)));
    FreeResource(data);
    if (!normalized)
        return FALSE;
    return TakeNormalized(std::move(normalized));
}

BOOL CPictureInfo::SaveFile(const CString& path) {
    if (!IsValid())
        return FALSE;
    int error = 0;
    if (WriteBmpFile(path, &error))
        return TRUE;
    ShowFileError(error, path);
    return FALSE;
}

BOOL CPictureInfo::WriteBmpFile(const CString& path, int* osError) const {
    if (!IsValid())
        return FALSE;
    // Replaced as a whole, so that a failed save leaves the old file as it was.
    const BITMAPFILEHEADER header = MakeFileHeader();
    CAtomicFileWriter file;
    if (file.Open(path) && file.Write(&header, kFileHeaderSize) && file.Write(m_dib, GetLength()) &&
        file.Commit())
        return TRUE;
    if (osError)
        *osError = file.GetError();
    return FALSE;
}

BOOL CPictureInfo::SaveToHandle(HANDLE file) {
    if (!file || file == INVALID_HANDLE_VALUE || !IsValid())
        return FALSE;
    const BITMAPFILEHEADER header = MakeFileHeader();
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    if (!WriteAll(file, &header, kFileHeaderSize) || !WriteAll(file, m_dib, GetLength()))
        return FALSE;
    return SetEndOfFile(file);
}

HGLOBAL CPictureInfo::ToBmpHGlobal(DWORD& size) {
    if (!IsValid())
        return nullptr;
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, SIZE_T{GetLength()} + kFileHeaderSize);
    if (!data)
        return nullptr;
    {
        const CGlobalLock lock(data);
        const BITMAPFILEHEADER header = MakeFileHeader();
        std::memcpy(lock.Bytes(), &header, kFileHeaderSize);
        std::memcpy(lock.Bytes() + kFileHeaderSize, m_dib, GetLength());
    }
    size = GetLength() + kFileHeaderSize;
    return data;
}

void CPictureInfo::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        // A placeholder with a length but no block stores as empty, never as a length without bytes.
        const DWORD length = IsValid() ? GetLength() : 0;
        ar << length;
        if (length > 0)
            ar.Write(m_dib, length);
        return;
    }
    DWORD length = 0;
    ar >> length;
    Free();
    if (length == 0)
        return;
    std::unique_ptr<BYTE[]> block = ReadArchiveBlock(ar, length);
    TakeNormalized(NormalizeExternalDib(std::move(block), length));
}
