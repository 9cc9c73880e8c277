#include "library/zip/ZipEntryHeader.h"

#include "library/zip/ZipEntryName.h"
#include "library/zip/ZipExtraField.h"
#include "platform/base/ByteOrder.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

constexpr WORD kMaxField = 0xFFFF;
constexpr DWORD kZip64Escape32 = 0xFFFFFFFF;
constexpr WORD kZip64Escape16 = 0xFFFF;
constexpr WORD kHostUnix = 3; // upper byte of "version made by" (APPNOTE.TXT 4.4.2)
// DOS dates count years from 1980 in seven bits.
constexpr int kDosEpochYear = 1980;
constexpr int kDosLastYear = kDosEpochYear + 127;

std::string_view Bytes(const BYTE* p, size_t size) {
    return {reinterpret_cast<const char*>(p), size};
}

WORD FieldLength(size_t size) {
    return static_cast<WORD>(std::min<size_t>(size, kMaxField));
}

} // namespace

bool CZipEntryHeader::ReadCentral(const BYTE* bytes, size_t available, size_t& used) {
    if (available < kCentralSize || ReadLe32(bytes) != kCentralSignature)
        return false;
    m_versionMadeBy = ReadLe16(bytes + 4);
    m_versionNeeded = ReadLe16(bytes + 6);
    m_flags = ReadLe16(bytes + 8);
    m_method = ReadLe16(bytes + 10);
    m_modTime = ReadLe16(bytes + 12);
    m_modDate = ReadLe16(bytes + 14);
    m_crc32 = ReadLe32(bytes + 16);
    m_compressedSize = ReadLe32(bytes + 20);
    m_uncompressedSize = ReadLe32(bytes + 24);
    const WORD nameLength = ReadLe16(bytes + 28);
    const WORD extraLength = ReadLe16(bytes + 30);
    const WORD commentLength = ReadLe16(bytes + 32);
    m_diskStart = ReadLe16(bytes + 34);
    m_internalAttributes = ReadLe16(bytes + 36);
    m_externalAttributes = ReadLe32(bytes + 38);
    m_localHeaderOffset = ReadLe32(bytes + 42);
    used = size_t{kCentralSize} + nameLength + extraLength + commentLength;
    if (used > available)
        return false;
    const BYTE* name = bytes + kCentralSize;
    m_storedName.assign(Bytes(name, nameLength));
    m_extraField.Assign(name + nameLength, extraLength);
    m_comment.assign(Bytes(name + nameLength + extraLength, commentLength));
    m_fileName = DecodeZipEntryName(m_storedName, m_flags, Bytes(m_extraField.GetBuffer(), extraLength));
    return true;
}

void CZipEntryHeader::WriteCentral(std::string& out) const {
    const WORD nameLength = FieldLength(m_storedName.size());
    const WORD extraLength = FieldLength(m_extraField.GetSize());
    const WORD commentLength = FieldLength(m_comment.size());
    AppendLe32(out, kCentralSignature);
    AppendLe16(out, m_versionMadeBy);
    AppendLe16(out, m_versionNeeded);
    AppendLe16(out, m_flags);
    AppendLe16(out, m_method);
    AppendLe16(out, m_modTime);
    AppendLe16(out, m_modDate);
    AppendLe32(out, m_crc32);
    AppendLe32(out, m_compressedSize);
    AppendLe32(out, m_uncompressedSize);
    AppendLe16(out, nameLength);
    AppendLe16(out, extraLength);
    AppendLe16(out, commentLength);
    AppendLe16(out, m_diskStart);
    AppendLe16(out, m_internalAttributes);
    AppendLe32(out, m_externalAttributes);
    AppendLe32(out, m_localHeaderOffset);
    out.append(m_storedName, 0, nameLength);
    out.append(Bytes(m_extraField.GetBuffer(), extraLength));
    out.append(m_comment, 0, commentLength);
}

void CZipEntryHeader::WriteLocal(std::string& out, const CZipByteBuffer& localExtra) const {
    const WORD nameLength = FieldLength(m_storedName.size());
    const WORD extraLength = FieldLength(localExtra.GetSize());
    AppendLe32(out, kLocalSignature);
    AppendLe16(out, m_versionNeeded);
    AppendLe16(out, m_flags);
    AppendLe16(out, m_method);
    AppendLe16(out, m_modTime);
    AppendLe16(out, m_modDate);
    AppendLe32(out, m_crc32);
    AppendLe32(out, m_compressedSize);
    AppendLe32(out, m_uncompressedSize);
    AppendLe16(out, nameLength);
    AppendLe16(out, extraLength);
    out.append(m_storedName, 0, nameLength);
    out.append(Bytes(localExtra.GetBuffer(), extraLength));
}

bool CZipEntryHeader::MatchesLocal(const BYTE* local, WORD& extraLength, WORD& localFlags) const {
    localFlags = ReadLe16(local + 6);
    extraLength = ReadLe16(local + 28);
    return ReadLe32(local) == kLocalSignature && ReadLe16(local + 8) == m_method &&
           ReadLe16(local + 26) == m_storedName.size();
}

bool CZipEntryHeader::MatchesLocalSizes(const BYTE* local, std::string_view localExtra) const {
    if (ReadLe16(local + 6) & kFlagDataDescriptor)
        return true;
    ULONGLONG compressed = ReadLe32(local + 18);
    ULONGLONG uncompressed = ReadLe32(local + 22);
    if (compressed == kZip64Escape32 || uncompressed == kZip64Escape32) {
        const auto sizes = LocalZip64Sizes(localExtra);
        if (!sizes)
            return false;
        compressed = sizes->compressed;
        uncompressed = sizes->uncompressed;
    }
    return ReadLe32(local + 14) == m_crc32 && compressed == m_compressedSize &&
           uncompressed == m_uncompressedSize;
}

DWORD CZipEntryHeader::GetCentralSize() const {
    return kCentralSize + FieldLength(m_storedName.size()) + FieldLength(m_extraField.GetSize()) +
           FieldLength(m_comment.size());
}

bool CZipEntryHeader::UsesZip64() const {
    return m_compressedSize == kZip64Escape32 || m_uncompressedSize == kZip64Escape32 ||
           m_localHeaderOffset == kZip64Escape32 || m_diskStart == kZip64Escape16;
}

void CZipEntryHeader::SetFileName(const CString& name) {
    ZipStoredName stored = EncodeZipEntryName(name.view());
    m_storedName = std::move(stored.bytes);
    m_flags = static_cast<WORD>((m_flags & ~kZipFlagUtf8) | stored.flags);
    m_fileName = DecodeZipEntryName(m_storedName, m_flags, {});
}

bool CZipEntryHeader::IsDirectory() const {
    if ((m_externalAttributes & kAttributeDirectory) != 0 || m_fileName.Right(1) == "/")
        return true;
    const DWORD unixMode = m_externalAttributes >> 16;
    return (m_versionMadeBy >> 8) == kHostUnix && (unixMode & S_IFMT) == S_IFDIR;
}

void CZipEntryHeader::SetTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    const int year = std::clamp(local.tm_year + 1900, kDosEpochYear, kDosLastYear);
    m_modDate = static_cast<WORD>(((year - kDosEpochYear) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    m_modTime = static_cast<WORD>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
}

std::time_t CZipEntryHeader::GetTime() const {
    std::tm local{};
    local.tm_year = (m_modDate >> 9) + kDosEpochYear - 1900;
    local.tm_mon = ((m_modDate >> 5) & 0x0F) - 1;
    local.tm_mday = m_modDate & 0x1F;
    local.tm_hour = m_modTime >> 11;
    local.tm_min = (m_modTime >> 5) & 0x3F;
    local.tm_sec = (m_modTime & 0x1F) * 2;
    local.tm_isdst = -1; // the system decides on daylight saving
    return std::mktime(&local);
}
