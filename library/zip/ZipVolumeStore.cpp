#include "library/zip/ZipVolumeStore.h"

#include "library/zip/ZipException.h"
#include "platform/base/FileApi.h"
#include "platform/base/Path.h"

#include <algorithm>
#include <cstring>

CZipVolumeStore::CZipVolumeStore() = default;

CZipVolumeStore::~CZipVolumeStore() {
    Close();
}

bool CZipVolumeStore::Open(LPCTSTR path, int mode) {
    Close();
    if (!path || !*path || mode < kOpenExisting || mode > kCreate)
        return false;
    m_path = path;
    m_mode = mode;
    // Copies that changes killed on the way left behind go before this change makes its own.
    if (mode != kOpenReadOnly)
        RemoveStaleReplacements(m_path);
    if (mode == kCreate) {
        try {
            Rewrite({});
        } catch (CException* e) {
            e->Delete();
            Close();
            return false;
        }
        return true;
    }
    m_original = std::make_unique<CBigFile>();
    if (!m_original->Open(ResolvePathCase(m_path), CFile::modeRead | CFile::shareDenyWrite)) {
        Close();
        return false;
    }
    m_file = m_original.get();
    return true;
}

void CZipVolumeStore::SetVolumeMode(WORD thisDisk) {
    if (thisDisk != 0)
        AfxThrowZipException(CZipException::kErrorNoVolumeCallback, m_path);
}

ULONGLONG CZipVolumeStore::GetLength() {
    return std::max(m_file->GetLength(), Position());
}

void CZipVolumeStore::Read(ULONGLONG position, void* buffer, DWORD count) {
    if (m_buffered != 0 && position + count > m_bufferStart)
        Flush();
    if (m_file->ReadAt(position, buffer, count) != count)
        ThrowCorrupt();
}

void CZipVolumeStore::Write(const void* buffer, DWORD count) {
    if (!IsChanged())
        AfxThrowFileException(CFileException::accessDenied, EBADF, m_path);
    if (m_writeBuffer.GetSize() != m_writeBufferSize) {
        Flush();
        m_writeBuffer.Allocate(m_writeBufferSize);
    }
    const auto* bytes = static_cast<const BYTE*>(buffer);
    while (count > 0) {
        if (m_buffered == 0 && count >= m_writeBufferSize) {
            m_file->WriteAt(m_bufferStart, bytes, count);
            m_bufferStart += count;
            return;
        }
        const DWORD piece = std::min(count, m_writeBufferSize - m_buffered);
        std::memcpy(m_writeBuffer.GetBuffer() + m_buffered, bytes, piece);
        m_buffered += piece;
        bytes += piece;
        count -= piece;
        if (m_buffered == m_writeBufferSize)
            Flush();
    }
}

void CZipVolumeStore::Patch(ULONGLONG position, const void* buffer, DWORD count) {
    if (position >= m_bufferStart && position + count <= Position()) {
        std::memcpy(m_writeBuffer.GetBuffer() + (position - m_bufferStart), buffer, count);
        return;
    }
    if (position + count > m_bufferStart)
        Flush();
    m_file->WriteAt(position, buffer, count);
}

void CZipVolumeStore::Flush() {
    if (m_buffered == 0)
        return;
    m_file->WriteAt(m_bufferStart, m_writeBuffer.GetBuffer(), m_buffered);
    m_bufferStart += m_buffered;
    m_buffered = 0;
}

void CZipVolumeStore::Rewrite(const std::vector<Segment>& keep) {
    if (IsReadOnly())
        AfxThrowFileException(CFileException::accessDenied, EBADF, m_path);
    Flush();
    const bool firstChange = !IsChanged();
    try {
        ULONGLONG end = 0;
        if (firstChange)
            StartCopy();
        for (const Segment& segment : keep) {
            CBigFile& source = firstChange ? *m_original : *m_copy;
            if ((!firstChange && segment.start == end) ||
                m_copy->CopyFrom(source, segment.start, end, segment.length)) {
                end += segment.length;
                continue;
            }
            ThrowCorrupt();
        }
        if (!firstChange)
            m_copy->SetLength(end);
        m_bufferStart = end;
    } catch (...) {
        // A failed first copy leaves the store as it was; a copy that failed halfway through moving its
        // entries no longer matches any directory and must never be put in place.
        if (firstChange)
            DropCopy();
        else
            m_broken = true;
        throw;
    }
}

void CZipVolumeStore::StartCopy() {
    auto writer = std::make_unique<CAtomicFileWriter>();
    if (!writer->Open(m_path))
        AfxThrowFileException(CFileException::OsErrorToException(writer->GetError()), writer->GetError(),
                              m_path);
    m_copy = std::make_unique<CBigFile>(HandleFromDescriptor(writer->GetDescriptor()));
    m_copy->SetFilePath(writer->GetTempFilePath());
    m_writer = std::move(writer);
    m_file = m_copy.get();
}

void CZipVolumeStore::Commit() {
    if (!IsChanged())
        return;
    if (m_broken)
        throw new CZipException(CZipException::CauseGeneric, m_path);
    Flush();
    m_copy.reset();
    m_file = m_original.get();
    if (!m_writer->Commit())
        AfxThrowFileException(CFileException::OsErrorToException(m_writer->GetError()), m_writer->GetError(),
                              m_path);
    m_writer.reset();
}

void CZipVolumeStore::DropCopy() noexcept {
    m_copy.reset();
    m_writer.reset();
    m_file = m_original.get();
    m_bufferStart = 0;
    m_buffered = 0;
    m_broken = false;
}

void CZipVolumeStore::Close() noexcept {
    DropCopy();
    m_file = nullptr;
    m_original.reset();
    m_writeBuffer.Release();
    m_path.Empty();
}

void CZipVolumeStore::ThrowCorrupt() const {
    AfxThrowZipException(CZipException::kErrorCorruptArchive, m_path);
}
