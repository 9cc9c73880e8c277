#pragma once
// CSharedFile: a memory file in a movable global block, for data that changes hands as a block (the
// clipboard). It grows in steps of 4096 bytes.

#include "platform/base/GlobalMemory.h"
#include "platform/base/MemFile.h"

class CSharedFile : public CMemFile {
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // The block holding the file's bytes (it may be longer than the file), unlocked; the caller owns a
    // block the file made, and gets its own block back after SetHandle. The file is empty afterwards.
    HGLOBAL Detach();
    // Reads and writes the caller's block, which stays the caller's: with bAllowGrow a write past its end
    // moves the bytes into a block of the file's own, else it throws CMemoryException.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

    void Close() override;
    void Abort() override;

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

private:
    void Release();

    UINT m_nAllocFlags;
    UINT m_nDefaultGrowBytes;
    HGLOBAL m_hGlobalMemory = nullptr; // the file's own block
    HGLOBAL m_hAttached = nullptr;     // the caller's block, locked while attached
};
