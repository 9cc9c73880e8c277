#include "platform/base/SharedFile.h"

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags | GMEM_MOVEABLE), m_nDefaultGrowBytes(nGrowBytes) {}

CSharedFile::~CSharedFile() {
    Release();
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes) {
    HGLOBAL block = GlobalAlloc(m_nAllocFlags, nBytes);
    if (!block)
        return nullptr;
    m_hGlobalMemory = block;
    return static_cast<BYTE*>(GlobalLock(block));
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes) {
    GlobalUnlock(m_hGlobalMemory);
    HGLOBAL block = GlobalReAlloc(m_hGlobalMemory, nBytes, GMEM_MOVEABLE);
    if (!block) {
        GlobalLock(m_hGlobalMemory);
        return nullptr;
    }
    m_hGlobalMemory = block;
    return static_cast<BYTE*>(GlobalLock(block));
}

void CSharedFile::Free(BYTE*) {
    GlobalUnlock(m_hGlobalMemory);
    GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = nullptr;
}

HGLOBAL CSharedFile::Detach() {
    HGLOBAL block;
    if (m_hGlobalMemory) {
        block = m_hGlobalMemory;
        GlobalUnlock(block);
        m_hGlobalMemory = nullptr;
    } else {
        block = m_hAttached;
    }
    if (m_hAttached)
        GlobalUnlock(m_hAttached);
    m_hAttached = nullptr;
    CMemFile::Detach();
    return block;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow) {
    Release();
    auto* data = static_cast<BYTE*>(GlobalLock(hGlobalMemory));
    if (!data)
        return;
    m_hAttached = hGlobalMemory;
    const auto size = static_cast<UINT>(GlobalSize(hGlobalMemory));
    // Attached without growth the file is the whole block; the grow size then allows writing past it.
    CMemFile::Attach(data, size, 0);
    m_nGrowBytes = bAllowGrow ? m_nDefaultGrowBytes : 0;
}

void CSharedFile::Close() {
    Release();
}

void CSharedFile::Abort() {
    Release();
}

void CSharedFile::Release() {
    FreeOwnBlock();
    if (m_hAttached)
        GlobalUnlock(m_hAttached);
    m_hAttached = nullptr;
}
