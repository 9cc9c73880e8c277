#pragma once
// CZipArchive: the zip archives in which albums are stored (PKWARE APPNOTE.TXT). Entries are stored or
// deflated as raw zlib streams. Structural faults throw CZipException (heap pointer); misuse returns
// false, -1 or null.
//
// The reading half (opening, finding, extracting, closing) is the library vc_zipread, which the codec
// plug-ins carry; adding and deleting entries is vc_zip. Changes go to a copy that Close puts in place
// (see CZipVolumeStore), so that a failure never damages the archive.

#include "library/zip/ZipDirectory.h"
#include "library/zip/ZipVolumeStore.h"
#include "platform/base/Arrays.h"
#include "platform/base/String.h"

#include <ctime>
#include <functional>
#include <vector>
#include <zlib.h>

class CZipArchive {
public:
    enum OpenMode {
        zipOpen = CZipVolumeStore::kOpenExisting,
        zipOpenReadOnly = CZipVolumeStore::kOpenReadOnly,
        zipCreate = CZipVolumeStore::kCreate,
        zipCreateSpan = 3, // archives spread over volumes are not made here: Open refuses it
    };
    static constexpr DWORD kDefaultBufferSize = 16384;
    // Largest entry that extraction to memory takes on: album entries are XML texts and thumbnails, so a
    // larger size comes from a damaged or hostile header and must not decide an allocation.
    static constexpr DWORD kMaxExtractSize = 256u << 20;
    static constexpr WORD kMaxEntries = 0xFFFF;
    static constexpr DWORD kMaxNameLength = 0xFFFF;
    // The local time that new entries from memory carry.
    using Clock = std::function<std::time_t()>;

    CZipArchive();
    // Writes nothing: changes that Close did not put in place are dropped.
    virtual ~CZipArchive();
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    // False when the archive is open already or the file cannot be opened (or made, for zipCreate).
    bool Open(LPCTSTR path, int mode = zipOpen, int volumeSize = 0);
    // Finishes an open entry, writes the central directory when anything changed and puts the changed
    // archive in place. With afterException only the files are released and changes are dropped. When
    // Close fails it drops the changes too before the exception leaves.
    void Close(bool afterException = false);
    bool IsClosed() const { return !m_store.IsOpen(); }

    // The index of the first entry of that name ("\" and "/" alike), or -1.
    int FindFile(LPCTSTR name, bool caseSensitive = false) const;
    int GetEntryCount() const;
    // False when the archive is closed or the index is out of range.
    bool GetEntryInfo(WORD index, CZipEntryHeader& info) const;
    bool IsFileDirectory(WORD index) const;

    // A new movable global block with the entry's bytes, owned by the caller; size gets its length. Null
    // when the entry cannot be opened. The bytes are read straight into the block, so bufferSize (kept
    // for callers) does not matter.
    HGLOBAL ExtractToMemory(WORD index, DWORD& size, DWORD bufferSize = 65535);
    // Writes the entry below the folder, refusing names that would leave it.
    bool ExtractFile(WORD index, LPCTSTR folder, DWORD bufferSize = 65535);

    bool OpenEntry(WORD index);
    // The number of uncompressed bytes produced, at most count.
    DWORD ReadEntry(void* buffer, DWORD count);
    // Checks the CRC-32 of a fully read entry and its data descriptor.
    bool CloseEntry();
    // The local extra field of the open entry; false when none is open.
    bool GetLocalExtraField(CZipByteBuffer& extra) const;

    CString GetGlobalComment() const;
    void SetGlobalComment(const CString& comment);
    bool SetFileComment(WORD index, const CString& comment);
    // Each at least 1024 bytes, and only while the archive is closed.
    bool SetBufferSizes(DWORD writeBuffer = 65535, DWORD generalBuffer = kDefaultBufferSize,
                        DWORD searchBuffer = CZipDirectory::kDefaultSearchBufferSize);
    void SetClock(Clock clock) { m_clock = std::move(clock); }

    // Writing (vc_zip).
    // Adds an entry with the first size bytes of the block, which stays the caller's. False when nothing
    // was added: archive closed or read-only, an entry open, 65535 entries, an empty name.
    bool AddNewFileFromMemory(LPCTSTR name, HGLOBAL block, DWORD size, int level = -1,
                              DWORD bufferSize = 65535);
    // Adds a file from disk under its path without drive and leading "/"; false when it cannot be read.
    bool AddNewFile(LPCTSTR path, int level = -1, DWORD bufferSize = 65535);
    // Deletes every entry whose name equals one of the names, ignoring case.
    void DeleteFiles(const CStringArray& names);
    // Deletes the entries at these indexes (in any order; repeats and indexes out of range are ignored).
    void DeleteEntries(const CWordArray& indexes);
    bool DeleteFile(WORD index);
    // The extra field that the central header of the entry being written carries.
    void SetExtraField(const BYTE* extra, int size);

    // Starts a new entry; false when it cannot be started, or (with an entry still started) when the
    // source file's status could not be read.
    bool BeginNewEntry(CZipEntryHeader& header, int level = Z_DEFAULT_COMPRESSION,
                       LPCTSTR sourcePath = nullptr);
    bool WriteNewEntry(const void* buffer, DWORD count);
    bool FinishNewEntry();

private:
    enum class EntryState { None, Writing, Reading };
    enum class StreamKind { None, Inflate, Deflate };

    bool CanChange() const;
    void StartChange();
    void DeleteSorted(const std::vector<WORD>& indexes);
    void FillInput();
    void CheckStreamEnd();
    void DropNewEntry() noexcept;
    void EndStream() noexcept;
    void AbandonEntry() noexcept;
    void ReleaseAll() noexcept;
    void WriteOutput();
    [[noreturn]] void ThrowCorrupt() const;
    LPCSTR ArchivePath() const { return m_store.GetArchivePath(); }

    DWORD m_generalBufferSize = kDefaultBufferSize;
    z_stream m_stream{};
    StreamKind m_streamKind = StreamKind::None;
    DWORD m_uncompressedLeft = 0;
    DWORD m_compressedLeft = 0;
    DWORD m_crc = 0;
    bool m_streamEnded = false;
    ULONGLONG m_dataPosition = 0;        // where the open entry's data is read next
    ULONGLONG m_dataEnd = 0;             // where the open entry's data ends
    ULONGLONG m_localHeaderPosition = 0; // of the entry being written
    WORD m_currentIndex = 0;             // of the entry open for reading or writing
    CZipByteBuffer m_buffer;
    CZipVolumeStore m_store;
    EntryState m_state = EntryState::None;
    CZipDirectory m_directory;
    Clock m_clock;
};
