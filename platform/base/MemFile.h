#pragma once
// CMemFile: a file in a memory block that grows in steps of the grow size.

#include "platform/base/File.h"

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Works on the caller's block, as Attach does.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // Takes a block the caller keeps owning. With nGrowBytes 0 the file is the whole block and cannot
    // grow; otherwise the file starts empty with the block as room to write, and a write that needs
    // more moves the data into a block of the file's own (the caller's block is never reallocated).
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Returns the current block and leaves the file empty. A block the file allocated itself comes from
    // malloc and is the caller's to free().
    BYTE* Detach();

    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override {}
    void Close() override;
    void Abort() override;
    BOOL GetStatus(CFileStatus& rStatus) const override;

protected:
    // Where the file's own blocks come from: malloc here, global memory for a shared file. A derived
    // class that overrides them frees its block in its own destructor.
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    void FreeOwnBlock();

    UINT m_nGrowBytes;
    ULONGLONG m_nPosition = 0;
    ULONGLONG m_nBufferSize = 0;
    ULONGLONG m_nFileSize = 0;
    BYTE* m_lpBuffer = nullptr;
    BOOL m_bAutoDelete = TRUE; // the block is the file's own

private:
    void GrowFile(ULONGLONG dwNewLen);
};
