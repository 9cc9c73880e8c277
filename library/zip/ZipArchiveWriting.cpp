// Adding and deleting entries of a CZipArchive: the writing half, library vc_zip.
#include "library/zip/ZipArchive.h"
#include "library/zip/ZipEntryName.h"
#include "library/zip/ZipException.h"
#include "library/zip/ZipExtraField.h"
#include "platform/base/FileApi.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Path.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <sys/stat.h>

namespace {

constexpr int kRawWindowBits = -MAX_WBITS;
constexpr int kMemoryLevel = 8;
constexpr ULONGLONG kMaxOffset = 0xFFFFFFFF;
constexpr WORD kMadeByNtfs = (10 << 8) | CZipEntryHeader::kVersion; // host system 10, version 2.0

// Flag bits 1 and 2 tell readers which deflate option made the data (APPNOTE.TXT 4.4.4).
WORD DeflateOptionFlags(int level) {
    switch (level) {
    case 1:
        return 6; // super fast
    case 2:
        return 4; // fast
    case 8:
    case 9:
        return 2; // maximum
    default:
        return 0; // normal
    }
}

// A path as an entry name: without a drive and without leading separators.
CString EntryNameOf(LPCTSTR path) {
    CString name = BackslashesToSlashes(path);
    if (name.GetLength() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0])))
        name = name.Mid(2);
    return name.TrimLeft('/');
}

// An extra field of a new entry: the given blocks, then the Unicode path block when the name needs one
// and it fits.
CZipByteBuffer WithUnicodePath(const CZipEntryHeader& header, std::string_view given) {
    std::string extra(given.substr(0, CZipDirectory::kMaxComment));
    if (const std::string unicode = UnicodePathData(header.GetStoredName(), header.GetFileName().view());
        !unicode.empty())
        AppendZipExtraBlock(extra, kUnicodePathTag, unicode);
    CZipByteBuffer buffer;
    buffer.Assign(extra.data(), static_cast<DWORD>(extra.size()));
    return buffer;
}

std::string_view BytesOf(const CZipByteBuffer& buffer) {
    return {reinterpret_cast<const char*>(buffer.GetBuffer()), buffer.GetSize()};
}

} // namespace

bool CZipArchive::CanChange() const {
    return !IsClosed() && !m_store.IsReadOnly() && m_state == EntryState::None;
}

// The first change copies the archive up to its old central directory; new data goes where the old
// directory was, and Close writes a new one.
void CZipArchive::StartChange() {
    if (!m_directory.m_onDiskIsCurrent)
        return;
    m_store.Rewrite({{0, m_directory.m_bytesBefore + m_directory.m_directoryOffset}});
    m_directory.m_onDiskIsCurrent = false;
}

bool CZipArchive::BeginNewEntry(CZipEntryHeader& header, int level, LPCTSTR sourcePath) {
    if (!CanChange() || m_directory.GetCount() >= kMaxEntries)
        return false;
    bool result = true;
    if (sourcePath) {
        struct stat status;
        if (stat(ResolvePathCase(BackslashesToSlashes(sourcePath)), &status) == 0) {
            header.SetTime(status.st_mtime);
            header.m_externalAttributes = AttributesFromStatus(status, sourcePath);
        } else {
            header.m_externalAttributes = CZipEntryHeader::kAttributeArchive;
            result = false;
        }
    }
    auto entry = std::make_unique<CZipEntryHeader>(header);
    if (entry->GetFileName().IsEmpty()) {
        CString name;
        name.Format("file%d", m_directory.GetCount() + 1);
        entry->SetFileName(name);
    }
    if (entry->GetStoredName().size() > kMaxNameLength)
        AfxThrowZipException(CZipException::kErrorNameTooLong, ArchivePath());
    const bool directory = entry->IsDirectory();
    entry->m_versionNeeded = CZipEntryHeader::kVersion;
    // Info-ZIP unzip turns the names of entries made on FAT hosts into Latin-1 as if they were code
    // page 850, even when flag bit 11 marks them UTF-8. NTFS reads the attributes the same way and
    // leaves the names alone.
    entry->m_versionMadeBy = (entry->m_flags & kZipFlagUtf8) ? kMadeByNtfs : CZipEntryHeader::kVersion;
    entry->m_method = directory || entry->m_method == CZipEntryHeader::kMethodStored
                          ? CZipEntryHeader::kMethodStored
                          : CZipEntryHeader::kMethodDeflated;
    entry->m_flags &= kZipFlagUtf8;
    if (entry->m_method == CZipEntryHeader::kMethodDeflated)
        entry->m_flags |= DeflateOptionFlags(level);
    entry->m_crc32 = entry->m_compressedSize = entry->m_uncompressedSize = 0;
    entry->m_diskStart = 0;
    entry->m_internalAttributes = 0;
    // The extra field given with the header belongs to the local header; SetExtraField sets the central one.
    // Both carry the name in UTF-8 for tools that do not read code page 850.
    const CZipByteBuffer localExtra = WithUnicodePath(*entry, BytesOf(entry->m_extraField));
    entry->m_extraField = WithUnicodePath(*entry, {});

    StartChange();
    m_localHeaderPosition = m_store.Position();
    if (m_localHeaderPosition - m_directory.m_bytesBefore > kMaxOffset)
        throw new CZipException(CZipException::CauseGeneric, ArchivePath());
    entry->m_localHeaderOffset = static_cast<DWORD>(m_localHeaderPosition - m_directory.m_bytesBefore);

    m_buffer.Allocate(m_generalBufferSize);
    m_stream = z_stream{};
    if (entry->m_method == CZipEntryHeader::kMethodDeflated) {
        const int init =
            deflateInit2(&m_stream, level, Z_DEFLATED, kRawWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY);
        if (init != Z_OK) {
            m_buffer.Release();
            CheckZlibResult(init, ArchivePath());
        }
        m_streamKind = StreamKind::Deflate;
    }
    m_stream.next_out = m_buffer.GetBuffer();
    m_stream.avail_out = m_buffer.GetSize();
    m_crc = 0;

    std::string local;
    entry->WriteLocal(local, localExtra);
    try {
        m_store.Write(local.data(), static_cast<DWORD>(local.size()));
    } catch (...) {
        AbandonEntry();
        throw;
    }
    m_directory.AddHeader(std::move(entry));
    m_currentIndex = static_cast<WORD>(m_directory.GetCount() - 1);
    m_state = EntryState::Writing;
    return result;
}

bool CZipArchive::WriteNewEntry(const void* buffer, DWORD count) {
    if (m_state != EntryState::Writing)
        return false;
    if (count == 0)
        return true;
    if (!buffer)
        return false;
    const auto* in = static_cast<const BYTE*>(buffer);
    m_crc = static_cast<DWORD>(crc32(m_crc, in, count));
    try {
        if (m_streamKind == StreamKind::Deflate) {
            m_stream.next_in = const_cast<Bytef*>(in);
            m_stream.avail_in = count;
            while (m_stream.avail_in > 0) {
                if (m_stream.avail_out == 0)
                    WriteOutput();
                CheckZlibResult(deflate(&m_stream, Z_NO_FLUSH), ArchivePath());
            }
            return true;
        }
        while (count > 0) {
            if (m_stream.avail_out == 0)
                WriteOutput();
            const DWORD piece = std::min(count, static_cast<DWORD>(m_stream.avail_out));
            std::memcpy(m_stream.next_out, in, piece);
            m_stream.next_out += piece;
            m_stream.avail_out -= piece;
            m_stream.total_in += piece;
            m_stream.total_out += piece;
            in += piece;
            count -= piece;
        }
    } catch (...) {
        DropNewEntry();
        throw;
    }
    return true;
}

bool CZipArchive::AddNewFileFromMemory(LPCTSTR name, HGLOBAL block, DWORD size, int level, DWORD bufferSize) {
    if (bufferSize == 0 || !name || !CanChange() || m_directory.GetCount() >= kMaxEntries)
        return false;
    const CString entryName = EntryNameOf(name);
    if (entryName.IsEmpty() || (size != 0 && GlobalSize(block) < size))
        return false;
    const CGlobalLock lock(block);
    if (size != 0 && !lock.Bytes())
        return false;
    CZipEntryHeader header;
    header.SetFileName(entryName);
    header.SetTime(m_clock());
    header.m_externalAttributes = CZipEntryHeader::kAttributeArchive;
    BeginNewEntry(header, level, nullptr);
    WriteNewEntry(lock.Bytes(), size);
    return FinishNewEntry();
}

bool CZipArchive::AddNewFile(LPCTSTR path, int level, DWORD bufferSize) {
    if (bufferSize == 0 || !path || !CanChange() || m_directory.GetCount() >= kMaxEntries)
        return false;
    const CString entryName = EntryNameOf(path);
    const CString resolved = ResolvePathCase(BackslashesToSlashes(path));
    struct stat status;
    if (entryName.IsEmpty() || stat(resolved, &status) != 0)
        return false;
    CZipEntryHeader header;
    header.SetFileName(entryName);
    if (S_ISDIR(status.st_mode))
        return BeginNewEntry(header, level, resolved) && FinishNewEntry();
    CFile source;
    if (!source.Open(resolved, CFile::modeRead | CFile::shareDenyWrite))
        return false;
    if (!BeginNewEntry(header, level, resolved)) {
        DropNewEntry();
        return false;
    }
    CZipByteBuffer piece;
    piece.Allocate(bufferSize);
    try {
        for (UINT got; (got = source.Read(piece.GetBuffer(), bufferSize)) > 0;)
            WriteNewEntry(piece.GetBuffer(), got);
    } catch (...) {
        DropNewEntry();
        throw;
    }
    return FinishNewEntry();
}

void CZipArchive::DeleteFiles(const CStringArray& names) {
    if (CanChange())
        DeleteSorted(m_directory.FindAll(names));
}

bool CZipArchive::DeleteFile(WORD index) {
    if (!CanChange() || index >= m_directory.GetCount())
        return false;
    DeleteSorted({index});
    return true;
}

void CZipArchive::DeleteEntries(const CWordArray& indexes) {
    if (!CanChange())
        return;
    std::vector<WORD> sorted;
    for (INT_PTR i = 0; i < indexes.GetSize(); ++i) {
        if (indexes[i] < m_directory.GetCount())
            sorted.push_back(indexes[i]);
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    DeleteSorted(sorted);
}

// Deletes the entries at these indexes (ascending, distinct, in range).
void CZipArchive::DeleteSorted(const std::vector<WORD>& indexes) {
    if (indexes.empty())
        return;

    // An entry reaches from its local header to the next one in the file (or to the end of the entries).
    // Entries that share a local header share its bytes, which stay while one of them stays.
    const ULONGLONG base = m_directory.m_bytesBefore;
    const ULONGLONG entriesEnd =
        m_directory.m_onDiskIsCurrent ? base + m_directory.m_directoryOffset : m_store.Position();
    std::map<ULONGLONG, bool> startsKept; // local header position -> kept
    for (WORD i = 0; i < m_directory.GetCount(); ++i) {
        const ULONGLONG start = base + m_directory.GetHeader(i).m_localHeaderOffset;
        if (start > entriesEnd)
            ThrowCorrupt();
        startsKept[start] |= !std::binary_search(indexes.begin(), indexes.end(), i);
    }
    std::vector<CZipVolumeStore::Segment> keep;
    std::map<ULONGLONG, ULONGLONG> moved; // old position -> new position
    ULONGLONG newEnd = startsKept.empty() ? entriesEnd : startsKept.begin()->first;
    keep.push_back({0, newEnd});
    for (auto it = startsKept.begin(); it != startsKept.end(); ++it) {
        const ULONGLONG end = std::next(it) == startsKept.end() ? entriesEnd : std::next(it)->first;
        if (!it->second)
            continue;
        moved[it->first] = newEnd;
        keep.push_back({it->first, end - it->first});
        newEnd += end - it->first;
    }

    m_store.Rewrite(keep);
    m_directory.m_onDiskIsCurrent = false;
    m_directory.RemoveHeaders(indexes);
    for (WORD i = 0; i < m_directory.GetCount(); ++i) {
        CZipEntryHeader& header = m_directory.GetHeader(i);
        header.m_localHeaderOffset = static_cast<DWORD>(moved.at(base + header.m_localHeaderOffset) - base);
    }
}

void CZipArchive::SetGlobalComment(const CString& comment) {
    if (!CanChange())
        return;
    StartChange();
    m_directory.m_comment = comment.str().substr(0, CZipDirectory::kMaxComment);
}

bool CZipArchive::SetFileComment(WORD index, const CString& comment) {
    if (!CanChange() || index >= m_directory.GetCount())
        return false;
    StartChange();
    m_directory.GetHeader(index).m_comment = comment.str().substr(0, CZipDirectory::kMaxComment);
    return true;
}

void CZipArchive::SetExtraField(const BYTE* extra, int size) {
    if (m_state != EntryState::Writing || size < 0 || (size > 0 && !extra))
        return;
    CZipEntryHeader& header = m_directory.GetHeader(m_currentIndex);
    header.m_extraField =
        WithUnicodePath(header, {reinterpret_cast<const char*>(extra), static_cast<size_t>(size)});
}
