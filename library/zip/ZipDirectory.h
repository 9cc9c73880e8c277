#pragma once
// CZipDirectory: the central directory of an open archive (APPNOTE.TXT 4.3.12 to 4.3.16): the end record,
// the entry headers in archive order, an index of their names, and the local header of the entry that is
// open.

#include "library/zip/ZipEntryHeader.h"
#include "library/zip/ZipVolumeStore.h"
#include "platform/base/Arrays.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CZipDirectory {
public:
    static constexpr DWORD kEndSignature = 0x06054B50;          // "PK\5\6"
    static constexpr DWORD kEndRecordSize = 22;                 // before the archive comment
    static constexpr DWORD kZip64LocatorSignature = 0x07064B50; // "PK\6\7", just before the end record
    static constexpr DWORD kZip64LocatorSize = 20;
    static constexpr DWORD kDataDescriptorSignature = 0x08074B50; // "PK\7\8", optional
    static constexpr DWORD kMaxComment = 0xFFFF;
    static constexpr DWORD kDefaultSearchBufferSize = 32768;

    explicit CZipDirectory(CZipVolumeStore& store) : m_store(store) {}

    // Forgets everything: no entries, no comment, all positions 0.
    void Clear();
    // Reads the end record and every central header of the store's archive.
    void Read();
    // Writes the central headers and the end record at the store's write position.
    void Write();

    WORD GetCount() const { return static_cast<WORD>(m_headers.size()); }
    CZipEntryHeader& GetHeader(WORD index) { return *m_headers[index]; }
    const CZipEntryHeader& GetHeader(WORD index) const { return *m_headers[index]; }
    // The index of the first entry of that name ("\" and "/" alike), or -1.
    int FindFile(LPCTSTR name, bool caseSensitive) const;
    // The indexes of all entries whose names equal one of these, ignoring case.
    std::vector<WORD> FindAll(const CStringArray& names) const;
    void AddHeader(std::unique_ptr<CZipEntryHeader> header);
    // Removes the entries at these indexes (ascending, distinct).
    void RemoveHeaders(const std::vector<WORD>& indexes);

    // Reads and checks the local header of an entry and makes it the current entry; gives the position of
    // its data.
    ULONGLONG OpenLocal(WORD index);
    // Checks the data descriptor of the current entry, which starts at the position.
    void CheckDataDescriptor(ULONGLONG position) const;
    bool HasDataDescriptor() const { return m_hasDataDescriptor; }
    const CZipByteBuffer& GetLocalExtra() const { return m_localExtra; }
    void CloseLocal();

    // End record.
    WORD m_thisDisk = 0;
    WORD m_diskWithDirectory = 0;
    WORD m_entriesOnDisk = 0;
    WORD m_totalEntries = 0;
    DWORD m_directorySize = 0;
    DWORD m_directoryOffset = 0; // relative to the start of the archive proper
    std::string m_comment;

    ULONGLONG m_endRecordPosition = 0;
    // Data before the archive proper (a self-extractor stub, say); every stored offset is relative to it.
    ULONGLONG m_bytesBefore = 0;
    DWORD m_searchBufferSize = kDefaultSearchBufferSize;
    // False from the first change until the new directory is written.
    bool m_onDiskIsCurrent = false;

private:
    ULONGLONG FindEndRecord(ULONGLONG length) const;
    bool EndsTheFile(ULONGLONG position, ULONGLONG length) const;
    void ReadHeaders();
    void IndexHeader(WORD index);
    std::string_view LocalExtraBytes() const;
    void RebuildIndex();
    [[noreturn]] void ThrowCorrupt() const;

    CZipVolumeStore& m_store;
    std::vector<std::unique_ptr<CZipEntryHeader>> m_headers;
    // First index of each name, as stored and case-folded, so that a lookup does not walk the directory.
    std::unordered_map<std::string, WORD> m_exactIndex;
    std::unordered_map<std::string, WORD> m_foldedIndex;
    std::vector<std::string> m_foldedNames; // per entry
    CZipEntryHeader* m_current = nullptr;
    CZipByteBuffer m_localExtra;
    bool m_hasDataDescriptor = false;
};
