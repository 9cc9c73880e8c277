#include "library/zip/ZipDirectory.h"

#include "library/zip/ZipException.h"
#include "library/zip/ZipExtraField.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/Path.h"

#include <algorithm>
#include <optional>

namespace {

// The end record lies within the last 22 bytes plus the longest comment.
constexpr ULONGLONG kEndSearchSpan = CZipDirectory::kEndRecordSize + CZipDirectory::kMaxComment;
// A signature that straddles two search blocks is found because the blocks overlap by this much.
constexpr DWORD kSignatureOverlap = 3;
constexpr DWORD kZip64Escape32 = 0xFFFFFFFF;
constexpr DWORD kMaxDataDescriptorFields = 20; // CRC-32 and two 8-byte sizes
// Offsets beyond 4 GiB need Zip64 records, which this component does not write.
constexpr ULONGLONG kMaxOffset = 0xFFFFFFFF;

} // namespace

void CZipDirectory::Clear() {
    m_thisDisk = m_diskWithDirectory = m_entriesOnDisk = m_totalEntries = 0;
    m_directorySize = m_directoryOffset = 0;
    m_comment.clear();
    m_endRecordPosition = m_bytesBefore = 0;
    m_onDiskIsCurrent = false;
    m_headers.clear();
    RebuildIndex();
    CloseLocal();
}

void CZipDirectory::Read() {
    const ULONGLONG length = m_store.GetLength();
    m_endRecordPosition = FindEndRecord(length);
    BYTE record[kEndRecordSize];
    m_store.Read(m_endRecordPosition, record, kEndRecordSize);
    m_thisDisk = ReadLe16(record + 4);
    m_diskWithDirectory = ReadLe16(record + 6);
    m_entriesOnDisk = ReadLe16(record + 8);
    m_totalEntries = ReadLe16(record + 10);
    m_directorySize = ReadLe32(record + 12);
    m_directoryOffset = ReadLe32(record + 16);
    const WORD commentLength = ReadLe16(record + 20);
    m_store.SetVolumeMode(m_thisDisk);

    // Zip64 archives announce themselves by a locator before the end record or by escape values.
    if (m_endRecordPosition >= kZip64LocatorSize) {
        BYTE locator[4];
        m_store.Read(m_endRecordPosition - kZip64LocatorSize, locator, sizeof locator);
        if (ReadLe32(locator) == kZip64LocatorSignature)
            ThrowCorrupt();
    }
    if (m_directoryOffset == kZip64Escape32 || m_directorySize == kZip64Escape32)
        ThrowCorrupt();
    if (m_endRecordPosition < ULONGLONG{m_directoryOffset} + m_directorySize)
        ThrowCorrupt();

    m_comment.resize(commentLength);
    m_store.Read(m_endRecordPosition + kEndRecordSize, m_comment.data(), commentLength);
    m_bytesBefore = m_endRecordPosition - m_directoryOffset - m_directorySize;
    if ((m_directorySize == 0) != (m_totalEntries == 0))
        ThrowCorrupt();
    m_onDiskIsCurrent = true;
    ReadHeaders();
}

ULONGLONG CZipDirectory::FindEndRecord(ULONGLONG length) const {
    const ULONGLONG limit = length > kEndSearchSpan ? length - kEndSearchSpan : 0;
    const DWORD blockSize = std::max<DWORD>(m_searchBufferSize, kEndRecordSize);
    CZipByteBuffer block;
    block.Allocate(blockSize + kSignatureOverlap);
    // Backwards from the end. The last signature is the end record unless a comment holds the bytes of
    // one: a record whose comment ends exactly at the end of the file is taken first.
    std::optional<ULONGLONG> lastSignature;
    for (ULONGLONG blockEnd = length; blockEnd > limit;) {
        const ULONGLONG start = blockEnd - limit > blockSize ? blockEnd - blockSize : limit;
        const auto count = static_cast<DWORD>(std::min(length, blockEnd + kSignatureOverlap) - start);
        m_store.Read(start, block.GetBuffer(), count);
        for (DWORD i = count >= 4 ? count - 4 + 1 : 0; i-- > 0;) {
            if (ReadLe32(block.GetBuffer() + i) != kEndSignature)
                continue;
            const ULONGLONG position = start + i;
            if (EndsTheFile(position, length))
                return position;
            if (!lastSignature)
                lastSignature = position;
        }
        blockEnd = start;
    }
    if (!lastSignature)
        ThrowCorrupt();
    return *lastSignature;
}

bool CZipDirectory::EndsTheFile(ULONGLONG position, ULONGLONG length) const {
    if (position + kEndRecordSize > length)
        return false;
    BYTE commentLength[2];
    m_store.Read(position + kEndRecordSize - 2, commentLength, 2);
    return position + kEndRecordSize + ReadLe16(commentLength) == length;
}

void CZipDirectory::ReadHeaders() {
    if (ULONGLONG{m_totalEntries} * CZipEntryHeader::kCentralSize > m_directorySize)
        ThrowCorrupt();
    CZipByteBuffer directory;
    directory.Allocate(m_directorySize);
    m_store.Read(m_bytesBefore + m_directoryOffset, directory.GetBuffer(), m_directorySize);
    m_headers.clear();
    m_headers.reserve(m_totalEntries);
    size_t position = 0;
    for (WORD i = 0; i < m_totalEntries; ++i) {
        auto header = std::make_unique<CZipEntryHeader>();
        size_t used = 0;
        if (!header->ReadCentral(directory.GetBuffer() + position, m_directorySize - position, used) ||
            header->UsesZip64())
            ThrowCorrupt();
        position += used;
        m_headers.push_back(std::move(header));
    }
    RebuildIndex();
}

void CZipDirectory::Write() {
    const ULONGLONG start = m_store.Position();
    if (start < m_bytesBefore || start - m_bytesBefore > kMaxOffset)
        throw new CZipException(CZipException::CauseGeneric, m_store.GetArchivePath());
    if (m_comment.size() > kMaxComment)
        m_comment.resize(kMaxComment);
    m_thisDisk = m_diskWithDirectory = 0;
    m_entriesOnDisk = m_totalEntries = GetCount();
    m_directoryOffset = static_cast<DWORD>(start - m_bytesBefore);
    ULONGLONG size = 0;
    std::string record;
    for (const auto& header : m_headers) {
        record.clear();
        header->WriteCentral(record);
        m_store.Write(record.data(), static_cast<DWORD>(record.size()));
        size += record.size();
    }
    if (size > kMaxOffset - m_directoryOffset)
        throw new CZipException(CZipException::CauseGeneric, m_store.GetArchivePath());
    m_directorySize = static_cast<DWORD>(size);
    record.clear();
    AppendLe32(record, kEndSignature);
    AppendLe16(record, m_thisDisk);
    AppendLe16(record, m_diskWithDirectory);
    AppendLe16(record, m_entriesOnDisk);
    AppendLe16(record, m_totalEntries);
    AppendLe32(record, m_directorySize);
    AppendLe32(record, m_directoryOffset);
    AppendLe16(record, static_cast<WORD>(m_comment.size()));
    record += m_comment;
    m_endRecordPosition = m_store.Position();
    m_store.Write(record.data(), static_cast<DWORD>(record.size()));
    m_onDiskIsCurrent = true;
}

int CZipDirectory::FindFile(LPCTSTR name, bool caseSensitive) const {
    const CString key = BackslashesToSlashes(name);
    const auto& index = caseSensitive ? m_exactIndex : m_foldedIndex;
    const auto found = index.find(caseSensitive ? key.str() : key.GetCaseFolded().str());
    return found == index.end() ? -1 : found->second;
}

std::vector<WORD> CZipDirectory::FindAll(const CStringArray& names) const {
    std::unordered_set<std::string> wanted;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        wanted.insert(BackslashesToSlashes(names[i]).GetCaseFolded().str());
    std::vector<WORD> found;
    for (WORD i = 0; i < GetCount(); ++i) {
        if (wanted.contains(m_foldedNames[i]))
            found.push_back(i);
    }
    return found;
}

void CZipDirectory::AddHeader(std::unique_ptr<CZipEntryHeader> header) {
    m_headers.push_back(std::move(header));
    IndexHeader(static_cast<WORD>(m_headers.size() - 1));
}

void CZipDirectory::RemoveHeaders(const std::vector<WORD>& indexes) {
    for (auto index = indexes.rbegin(); index != indexes.rend(); ++index)
        m_headers.erase(m_headers.begin() + *index);
    RebuildIndex();
}

ULONGLONG CZipDirectory::OpenLocal(WORD index) {
    CZipEntryHeader& header = *m_headers[index];
    const ULONGLONG position = m_bytesBefore + header.m_localHeaderOffset;
    BYTE local[CZipEntryHeader::kLocalSize];
    m_store.Read(position, local, sizeof local);
    WORD extraLength = 0;
    WORD localFlags = 0;
    if (!header.MatchesLocal(local, extraLength, localFlags))
        ThrowCorrupt();
    const ULONGLONG extraPosition = position + CZipEntryHeader::kLocalSize + header.GetStoredName().size();
    m_localExtra.Allocate(extraLength);
    m_store.Read(extraPosition, m_localExtra.GetBuffer(), extraLength);
    if (!header.MatchesLocalSizes(local, LocalExtraBytes()))
        ThrowCorrupt();
    const ULONGLONG dataPosition = extraPosition + extraLength;
    if (dataPosition + header.m_compressedSize > m_store.GetLength())
        ThrowCorrupt();
    m_current = &header;
    m_hasDataDescriptor = (localFlags & CZipEntryHeader::kFlagDataDescriptor) != 0;
    return dataPosition;
}

void CZipDirectory::CheckDataDescriptor(ULONGLONG position) const {
    // Streaming tools that mark the local header with a Zip64 block write 8-byte sizes (APPNOTE.TXT 4.3.9.2).
    const bool zip64 = FindZipExtraBlock(LocalExtraBytes(), kZip64ExtraTag).has_value();
    const DWORD sizeWidth = zip64 ? 8 : 4;
    const DWORD fieldsSize = 4 + 2 * sizeWidth; // CRC-32, compressed size, uncompressed size
    BYTE descriptor[4 + kMaxDataDescriptorFields];
    m_store.Read(position, descriptor, 4);
    const bool hasSignature = ReadLe32(descriptor) == kDataDescriptorSignature;
    const BYTE* fields = hasSignature ? descriptor + 4 : descriptor;
    m_store.Read(position + 4, descriptor + 4, hasSignature ? fieldsSize : fieldsSize - 4);
    const auto size = [&](const BYTE* field) { return zip64 ? ReadLe64(field) : ULONGLONG{ReadLe32(field)}; };
    if (ReadLe32(fields) != m_current->m_crc32 || size(fields + 4) != m_current->m_compressedSize ||
        size(fields + 4 + sizeWidth) != m_current->m_uncompressedSize)
        ThrowCorrupt();
}

std::string_view CZipDirectory::LocalExtraBytes() const {
    return {reinterpret_cast<const char*>(m_localExtra.GetBuffer()), m_localExtra.GetSize()};
}

void CZipDirectory::CloseLocal() {
    m_current = nullptr;
    m_localExtra.Release();
    m_hasDataDescriptor = false;
}

void CZipDirectory::IndexHeader(WORD index) {
    const CString& name = m_headers[index]->GetFileName();
    m_foldedNames.push_back(name.GetCaseFolded().str());
    m_exactIndex.try_emplace(name.str(), index);
    m_foldedIndex.try_emplace(m_foldedNames.back(), index);
}

void CZipDirectory::RebuildIndex() {
    m_exactIndex.clear();
    m_foldedIndex.clear();
    m_foldedNames.clear();
    m_exactIndex.reserve(GetCount());
    m_foldedIndex.reserve(GetCount());
    m_foldedNames.reserve(GetCount());
    for (WORD i = 0; i < GetCount(); ++i)
        IndexHeader(i);
}

void CZipDirectory::ThrowCorrupt() const {
    AfxThrowZipException(CZipException::kErrorCorruptArchive, m_store.GetArchivePath());
}
