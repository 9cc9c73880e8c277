#pragma once
// CStdioFile: a buffered file for text lines. Lines end in LF or CR LF when read; WriteString writes
// the text as given.

#include "platform/base/File.h"

#include <cstdio>

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    // Works on an open stream, which the CStdioFile does not close on destruction.
    explicit CStdioFile(FILE* pOpenStream);
    // Opens or throws CFileException.
    CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    // The next line without its line end; FALSE at the end of the file. A line that is not valid UTF-8
    // was written on Windows and is read as Windows-1252.
    virtual BOOL ReadString(CString& rString);
    virtual void WriteString(LPCSTR lpsz);

    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    // Hands buffered data to the system, as the framework's stdio file does; it does not sync the disk.
    void Flush() override;
    void Close() override;
    void Abort() override;

    FILE* m_pStream = nullptr;
};
