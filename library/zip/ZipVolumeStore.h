#pragma once
// CZipVolumeStore: the file of an open archive, with a write buffer. Archives are single files here; one
// whose end record names another volume is refused.
//
// An existing archive is never written in place. The first change makes a copy of the part that stays in
// a temporary file in the same folder, all later writes go there, and Commit flushes it and renames it
// over the archive. Anything else (an exception, a crash, Close after an exception) leaves the archive as
// it was and removes the copy. A killed process leaves its copy, which the next opening for a change
// removes.

#include "library/zip/BigFile.h"
#include "library/zip/ZipByteBuffer.h"
#include "platform/base/AtomicFileWriter.h"
#include "platform/base/String.h"

#include <memory>
#include <vector>

class CZipVolumeStore {
public:
    enum OpenMode { kOpenExisting = 0, kOpenReadOnly = 1, kCreate = 2 };
    static constexpr DWORD kDefaultWriteBufferSize = 65535;

    // A range of the archive that a rewrite keeps.
    struct Segment {
        ULONGLONG start;
        ULONGLONG length;
    };

    CZipVolumeStore();
    ~CZipVolumeStore();
    CZipVolumeStore(const CZipVolumeStore&) = delete;
    CZipVolumeStore& operator=(const CZipVolumeStore&) = delete;

    // False when the file cannot be opened (or, for kCreate, when no file can be made in its folder).
    bool Open(LPCTSTR path, int mode);
    bool IsOpen() const { return m_file != nullptr; }
    bool IsReadOnly() const { return m_mode == kOpenReadOnly; }
    // True once the working file is the copy that Commit puts in place.
    bool IsChanged() const { return m_writer != nullptr; }
    // The archive's path, for messages; empty when closed.
    const CString& GetArchivePath() const { return m_path; }

    // The number of this disk from the end record: 0 is a single file; other volumes are refused.
    void SetVolumeMode(WORD thisDisk);

    ULONGLONG GetLength();
    // Reads exactly count bytes at the position; an archive that ends before is damaged.
    void Read(ULONGLONG position, void* buffer, DWORD count);
    // Appends through the write buffer at the write position.
    void Write(const void* buffer, DWORD count);
    // Overwrites bytes that were written before, in the buffer when they are still there.
    void Patch(ULONGLONG position, const void* buffer, DWORD count);
    void Flush();
    // Where the next Write lands.
    ULONGLONG Position() const { return m_bufferStart + m_buffered; }
    // The working file becomes these ranges of the archive, one after the other; writes go to its end.
    void Rewrite(const std::vector<Segment>& keep);
    // Puts the changed copy in place of the archive.
    void Commit();
    // Closes the files; an uncommitted copy is removed.
    void Close() noexcept;

    void SetWriteBufferSize(DWORD size) { m_writeBufferSize = size; }

private:
    [[noreturn]] void ThrowCorrupt() const;
    void StartCopy();
    void DropCopy() noexcept;

    CString m_path;
    int m_mode = kOpenReadOnly;
    std::unique_ptr<CBigFile> m_original;        // the archive as opened
    std::unique_ptr<CAtomicFileWriter> m_writer; // the copy that replaces it, once there is one
    std::unique_ptr<CBigFile> m_copy;            // the copy's descriptor
    CBigFile* m_file = nullptr;                  // the working file: the archive or its copy
    DWORD m_writeBufferSize = kDefaultWriteBufferSize;
    CZipByteBuffer m_writeBuffer;
    ULONGLONG m_bufferStart = 0; // file position of the first buffered byte
    DWORD m_buffered = 0;
    bool m_broken = false; // a rewrite of the copy failed halfway
};
