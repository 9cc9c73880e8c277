#pragma once
// Replaces a stored file as a whole or not at all: the new content goes into a temporary file in the
// same folder, which is flushed to disk and then renamed over the old file. Any failure leaves the old
// file exactly as it was and removes the temporary file.
//
// The temporary file is named ".<name>.<8 letters or digits>.vcpart" and holds an exclusive flock until
// it is renamed or removed, so that the copy of a writer that was killed is told from one being written.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CAtomicFileWriter {
public:
    CAtomicFileWriter() = default;
    // Abandons an uncommitted replacement.
    ~CAtomicFileWriter();
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    // Starts replacing the file at path (looked up ignoring case; a symbolic link is followed, so the
    // file it points to is replaced). FALSE when the temporary file cannot be made.
    BOOL Open(const CString& path);
    // Appends bytes to the new content. After a failure every later call and Commit fail.
    BOOL Write(const void* data, SIZE_T size);
    // Puts the new content in place, with the old file's permissions (a new file gets the usual ones).
    BOOL Commit();
    // Removes the temporary file; the old file stays.
    void Abort();

    // The open temporary file, for writers that produce their bytes through a descriptor.
    int GetDescriptor() const { return m_descriptor; }
    const CString& GetTempFilePath() const { return m_tempPath; }
    const CString& GetTargetPath() const { return m_targetPath; }
    // The errno of the first failure, 0 while all went well.
    int GetError() const { return m_error; }

private:
    BOOL Fail(int error);

    CString m_targetPath;
    CString m_tempPath;
    int m_descriptor = -1;
    int m_error = 0;
};

// Removes the temporary files that killed writers left beside the file at path: those of its name whose
// lock is free. One that a writer holds stays.
void RemoveStaleReplacements(const CString& path);

// Replaces the file at path with the bytes through CAtomicFileWriter. FALSE with errno set on failure.
BOOL WriteFileAtomically(const CString& path, const void* data, SIZE_T size);
