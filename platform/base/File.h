#pragma once
// CFile: an unbuffered binary file over a POSIX descriptor. Failures throw CFileException, except
// Open, which reports through its return value and the optional exception object.

#include "platform/base/FileException.h"
#include "platform/base/Object.h"
#include "platform/base/String.h"
#include "platform/base/Time.h"

struct CFileStatus {
    CTime m_ctime; // creation time where the file system keeps one, else the last change
    CTime m_mtime;
    CTime m_atime;
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0; // CFile::Attribute bits
    CString m_szFullName; // absolute path
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        // Sharing modes are accepted and not enforced: Linux has no mandatory sharing of open files.
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        // Files are always binary here; text handling belongs to CStdioFile.
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum Attribute : BYTE {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    static HANDLE const hFileNull;

    CFile();
    // Works on an open handle, which the CFile does not close on destruction.
    explicit CFile(HANDLE hFile);
    // Opens or throws CFileException.
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    // On failure returns FALSE and fills *pError when given. The stored path is made absolute.
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);

    // Reads up to nCount bytes; fewer only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    // Commits written data to the disk.
    virtual void Flush();
    virtual void Close();
    // Closes without reporting errors; for cleanup after a failure.
    virtual void Abort();

    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual void SetFilePath(LPCSTR lpszNewName) { m_strFileName = lpszNewName; }

    virtual BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);
    static void Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void Remove(LPCSTR lpszFileName);

    HANDLE m_hFile;

protected:
    int Descriptor() const;
    [[noreturn]] void ThrowErrno(int errorNumber) const;

    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};
