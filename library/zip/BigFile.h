#pragma once
// CBigFile: the file under a zip archive. Besides the framework's 64-bit seek it reads and writes at a
// given position without moving the file pointer, which saves the archive a seek per record.

#include "platform/base/File.h"

class CBigFile : public CFile {
    DECLARE_DYNAMIC(CBigFile)
public:
    CBigFile() = default;
    // Works on an open handle, which it does not close.
    explicit CBigFile(HANDLE file) : CFile(file) {}

    // Reads up to count bytes at the position; fewer only at the end of the file.
    UINT ReadAt(ULONGLONG position, void* buffer, UINT count);
    void WriteAt(ULONGLONG position, const void* buffer, UINT count);
    // Copies count bytes from a position of another file (or of this one, to an earlier position) to a
    // position of this file; false when the source ends before.
    bool CopyFrom(CBigFile& source, ULONGLONG from, ULONGLONG to, ULONGLONG count);
};
