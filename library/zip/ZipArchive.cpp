#include "library/zip/ZipArchive.h"

#include "library/zip/ZipException.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/GlobalMemory.h"

#include <algorithm>
#include <cstring>

namespace {

// Raw deflate streams: negative window bits tell zlib that there is no zlib header.
constexpr int kRawWindowBits = -MAX_WBITS;
constexpr DWORD kMinBufferSize = 1024;
constexpr ULONGLONG kMaxStoredSize = 0xFFFFFFFF;

} // namespace

CZipArchive::CZipArchive() : m_directory(m_store), m_clock([] { return std::time(nullptr); }) {}

CZipArchive::~CZipArchive() {
    ReleaseAll();
}

bool CZipArchive::Open(LPCTSTR path, int mode, int volumeSize) {
    if (!IsClosed() || mode == zipCreateSpan || volumeSize < 0)
        return false;
    m_state = EntryState::None;
    if (!m_store.Open(path, mode))
        return false;
    m_directory.Clear();
    if (mode == zipCreate)
        return true;
    try {
        m_directory.Read();
    } catch (...) {
        ReleaseAll();
        throw;
    }
    return true;
}

void CZipArchive::Close(bool afterException) {
    if (IsClosed())
        return;
    if (!afterException) {
        try {
            if (m_state == EntryState::Reading)
                CloseEntry();
            else if (m_state == EntryState::Writing)
                FinishNewEntry();
            if (!m_directory.m_onDiskIsCurrent)
                m_directory.Write();
            m_store.Commit();
        } catch (...) {
            ReleaseAll();
            throw;
        }
    }
    ReleaseAll();
}

int CZipArchive::FindFile(LPCTSTR name, bool caseSensitive) const {
    if (IsClosed() || !name)
        return -1;
    return m_directory.FindFile(name, caseSensitive);
}

int CZipArchive::GetEntryCount() const {
    return m_directory.GetCount();
}

bool CZipArchive::GetEntryInfo(WORD index, CZipEntryHeader& info) const {
    if (IsClosed() || index >= m_directory.GetCount())
        return false;
    info = m_directory.GetHeader(index);
    return true;
}

bool CZipArchive::IsFileDirectory(WORD index) const {
    return !IsClosed() && index < m_directory.GetCount() && m_directory.GetHeader(index).IsDirectory();
}

HGLOBAL CZipArchive::ExtractToMemory(WORD index, DWORD& size, DWORD /*bufferSize*/) {
    size = 0;
    if (IsClosed() || index >= m_directory.GetCount() || m_state != EntryState::None)
        return nullptr;
    const DWORD entrySize = m_directory.GetHeader(index).m_uncompressedSize;
    if (entrySize > kMaxExtractSize)
        ThrowCorrupt();
    if (!OpenEntry(index))
        return nullptr;
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, entrySize));
    if (!block) {
        AbandonEntry();
        AfxThrowMemoryException();
    }
    {
        const CGlobalLock lock(block.get());
        ReadEntry(lock.Bytes(), entrySize);
    }
    CloseEntry();
    size = entrySize;
    return block.release();
}

bool CZipArchive::OpenEntry(WORD index) {
    if (IsClosed() || index >= m_directory.GetCount() || m_state != EntryState::None)
        return false;
    m_buffer.Allocate(m_generalBufferSize);
    try {
        m_dataPosition = m_directory.OpenLocal(index);
        const CZipEntryHeader& header = m_directory.GetHeader(index);
        const bool stored = header.m_method == CZipEntryHeader::kMethodStored;
        if (!stored && header.m_method != CZipEntryHeader::kMethodDeflated)
            ThrowCorrupt();
        // A stored entry's data is its content: sizes that differ mean a damaged header.
        if (stored && header.m_compressedSize != header.m_uncompressedSize)
            ThrowCorrupt();
        m_stream = z_stream{};
        if (!stored) {
            CheckZlibResult(inflateInit2(&m_stream, kRawWindowBits), ArchivePath());
            m_streamKind = StreamKind::Inflate;
        }
        m_dataEnd = m_dataPosition + header.m_compressedSize;
        m_compressedLeft = header.m_compressedSize;
        m_uncompressedLeft = header.m_uncompressedSize;
        m_crc = 0;
        m_streamEnded = false;
        m_currentIndex = index;
        m_state = EntryState::Reading;
    } catch (...) {
        AbandonEntry();
        throw;
    }
    return true;
}

void CZipArchive::FillInput() {
    if (m_stream.avail_in != 0 || m_compressedLeft == 0)
        return;
    const DWORD piece = std::min(m_buffer.GetSize(), m_compressedLeft);
    m_store.Read(m_dataPosition, m_buffer.GetBuffer(), piece);
    m_dataPosition += piece;
    m_compressedLeft -= piece;
    m_stream.next_in = m_buffer.GetBuffer();
    m_stream.avail_in = piece;
}

DWORD CZipArchive::ReadEntry(void* buffer, DWORD count) {
    if (m_state != EntryState::Reading || !buffer || count == 0)
        return 0;
    auto* out = static_cast<BYTE*>(buffer);
    const DWORD room = std::min(m_uncompressedLeft, count);
    DWORD produced = 0;
    try {
        while (produced < room) {
            FillInput();
            DWORD got = 0;
            if (m_streamKind == StreamKind::Inflate) {
                m_stream.next_out = out + produced;
                m_stream.avail_out = room - produced;
                const int result = inflate(&m_stream, Z_SYNC_FLUSH);
                got = room - produced - m_stream.avail_out;
                if (result == Z_STREAM_END)
                    m_streamEnded = true;
                // The stream ends, or its data runs out, before the size that the header declares.
                if ((result == Z_STREAM_END && produced + got < room) ||
                    (result == Z_BUF_ERROR && m_stream.avail_in == 0 && m_compressedLeft == 0))
                    ThrowCorrupt();
                if (result != Z_STREAM_END)
                    CheckZlibResult(result, ArchivePath());
            } else {
                if (m_stream.avail_in == 0)
                    ThrowCorrupt();
                got = std::min(room - produced, m_stream.avail_in);
                std::memcpy(out + produced, m_stream.next_in, got);
                m_stream.next_in += got;
                m_stream.avail_in -= got;
            }
            m_crc = static_cast<DWORD>(crc32(m_crc, out + produced, got));
            produced += got;
            m_uncompressedLeft -= got;
        }
    } catch (...) {
        AbandonEntry();
        throw;
    }
    return produced;
}

// After the declared size the deflate stream must end: more output means the header understates it.
void CZipArchive::CheckStreamEnd() {
    while (!m_streamEnded) {
        FillInput();
        BYTE probe;
        m_stream.next_out = &probe;
        m_stream.avail_out = 1;
        const int result = inflate(&m_stream, Z_SYNC_FLUSH);
        if (m_stream.avail_out == 0 ||
            (result == Z_BUF_ERROR && m_stream.avail_in == 0 && m_compressedLeft == 0))
            ThrowCorrupt();
        if (result == Z_STREAM_END)
            m_streamEnded = true;
        else
            CheckZlibResult(result, ArchivePath());
    }
}

bool CZipArchive::CloseEntry() {
    if (m_state != EntryState::Reading)
        return false;
    try {
        // A partly read entry is not checked.
        if (m_uncompressedLeft == 0) {
            if (m_streamKind == StreamKind::Inflate)
                CheckStreamEnd();
            if (m_crc != m_directory.GetHeader(m_currentIndex).m_crc32)
                AfxThrowZipException(CZipException::kErrorChecksumMismatch, ArchivePath());
        }
        if (m_directory.HasDataDescriptor())
            m_directory.CheckDataDescriptor(m_dataEnd);
    } catch (...) {
        AbandonEntry();
        throw;
    }
    AbandonEntry();
    return true;
}

bool CZipArchive::GetLocalExtraField(CZipByteBuffer& extra) const {
    if (m_state != EntryState::Reading)
        return false;
    extra = m_directory.GetLocalExtra();
    return true;
}

CString CZipArchive::GetGlobalComment() const {
    return CString(m_directory.m_comment);
}

bool CZipArchive::SetBufferSizes(DWORD writeBuffer, DWORD generalBuffer, DWORD searchBuffer) {
    if (!IsClosed() || writeBuffer < kMinBufferSize || generalBuffer < kMinBufferSize ||
        searchBuffer < kMinBufferSize)
        return false;
    m_store.SetWriteBufferSize(writeBuffer);
    m_generalBufferSize = generalBuffer;
    m_directory.m_searchBufferSize = searchBuffer;
    return true;
}

bool CZipArchive::FinishNewEntry() {
    if (m_state != EntryState::Writing)
        return false;
    try {
        CZipEntryHeader& header = m_directory.GetHeader(m_currentIndex);
        if (m_streamKind == StreamKind::Deflate) {
            m_stream.next_in = nullptr;
            m_stream.avail_in = 0;
            for (;;) {
                if (m_stream.avail_out == 0)
                    WriteOutput();
                const int result = deflate(&m_stream, Z_FINISH);
                if (result == Z_STREAM_END)
                    break;
                CheckZlibResult(result, ArchivePath());
            }
        }
        WriteOutput();
        if (m_stream.total_in > kMaxStoredSize || m_stream.total_out > kMaxStoredSize)
            throw new CZipException(CZipException::CauseGeneric, ArchivePath());
        header.m_compressedSize = static_cast<DWORD>(m_stream.total_out);
        header.m_uncompressedSize = static_cast<DWORD>(m_stream.total_in);
        header.m_crc32 = m_crc;
        EndStream();
        // CRC-32 and sizes go over the zeros that the local header was written with.
        std::string fields;
        AppendLe32(fields, header.m_crc32);
        AppendLe32(fields, header.m_compressedSize);
        AppendLe32(fields, header.m_uncompressedSize);
        m_store.Patch(m_localHeaderPosition + 14, fields.data(), static_cast<DWORD>(fields.size()));
    } catch (...) {
        DropNewEntry();
        throw;
    }
    AbandonEntry();
    return true;
}

// Hands the bytes that zlib (or the stored copy) put into the general buffer to the file.
void CZipArchive::WriteOutput() {
    const DWORD pending = m_buffer.GetSize() - m_stream.avail_out;
    if (pending != 0)
        m_store.Write(m_buffer.GetBuffer(), pending);
    m_stream.next_out = m_buffer.GetBuffer();
    m_stream.avail_out = m_buffer.GetSize();
}

// The entry being written leaves the directory; its bytes stay in the copy, where nothing refers to them.
void CZipArchive::DropNewEntry() noexcept {
    if (m_state == EntryState::Writing)
        m_directory.RemoveHeaders({m_currentIndex});
    AbandonEntry();
}

void CZipArchive::EndStream() noexcept {
    if (m_streamKind == StreamKind::Inflate)
        inflateEnd(&m_stream);
    else if (m_streamKind == StreamKind::Deflate)
        deflateEnd(&m_stream);
    m_streamKind = StreamKind::None;
}

void CZipArchive::AbandonEntry() noexcept {
    EndStream();
    m_state = EntryState::None;
    m_buffer.Release();
    m_directory.CloseLocal();
}

void CZipArchive::ReleaseAll() noexcept {
    AbandonEntry();
    m_directory.Clear();
    m_store.Close();
}

void CZipArchive::ThrowCorrupt() const {
    AfxThrowZipException(CZipException::kErrorCorruptArchive, ArchivePath());
}
