#include "platform/base/MemFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

namespace {

// A memory file's length stays within what a UINT read or write and a 32-bit archive count can reach.
constexpr ULONGLONG kMaxMemFileSize = 0xFFFFFFFFull;

} // namespace

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() {
    FreeOwnBlock();
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
    FreeOwnBlock();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = lpBuffer ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_nPosition = 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
    BYTE* block = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return block;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes) {
    return static_cast<BYTE*>(std::malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) {
    return static_cast<BYTE*>(std::realloc(lpMem, nBytes));
}

void CMemFile::Free(BYTE* lpMem) {
    std::free(lpMem);
}

void CMemFile::FreeOwnBlock() {
    if (m_bAutoDelete && m_lpBuffer) {
        Free(m_lpBuffer);
    }
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
}

void CMemFile::GrowFile(ULONGLONG dwNewLen) {
    if (dwNewLen <= m_nBufferSize) {
        return;
    }
    if (m_nGrowBytes == 0 || dwNewLen > kMaxMemFileSize) {
        AfxThrowMemoryException();
    }
    const ULONGLONG steps = (dwNewLen - m_nBufferSize + m_nGrowBytes - 1) / m_nGrowBytes;
    const ULONGLONG newSize = std::min(m_nBufferSize + steps * m_nGrowBytes, kMaxMemFileSize);
    BYTE* block = nullptr;
    if (m_bAutoDelete) {
        block = m_lpBuffer ? Realloc(m_lpBuffer, newSize) : Alloc(newSize);
    } else {
        block = Alloc(newSize);
        if (block && m_nFileSize > 0) {
            std::memcpy(block, m_lpBuffer, m_nFileSize);
        }
    }
    if (!block) {
        AfxThrowMemoryException();
    }
    m_lpBuffer = block;
    m_nBufferSize = newSize;
    m_bAutoDelete = TRUE;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
    LONGLONG base = 0;
    switch (nFrom) {
    case begin:
        break;
    case current:
        base = static_cast<LONGLONG>(m_nPosition);
        break;
    case end:
        base = static_cast<LONGLONG>(m_nFileSize);
        break;
    default:
        ThrowErrno(EINVAL);
    }
    LONGLONG position = 0;
    if (__builtin_add_overflow(base, lOff, &position) || position < 0) {
        ThrowErrno(EINVAL);
    }
    // Seeking past the end is allowed; a later write fills the gap with zeros.
    m_nPosition = static_cast<ULONGLONG>(position);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
    GrowFile(dwNewLen);
    if (dwNewLen > m_nFileSize) {
        std::memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
    }
    m_nFileSize = dwNewLen;
    m_nPosition = std::min(m_nPosition, m_nFileSize);
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
    if (m_nPosition >= m_nFileSize || nCount == 0) {
        return 0;
    }
    const UINT count = static_cast<UINT>(std::min<ULONGLONG>(nCount, m_nFileSize - m_nPosition));
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, count);
    m_nPosition += count;
    return count;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0) {
        return;
    }
    const ULONGLONG newEnd = m_nPosition + nCount;
    GrowFile(newEnd);
    if (m_nPosition > m_nFileSize) {
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    }
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = newEnd;
    m_nFileSize = std::max(m_nFileSize, newEnd);
}

void CMemFile::Close() {
    FreeOwnBlock();
}

void CMemFile::Abort() {
    FreeOwnBlock();
}

BOOL CMemFile::GetStatus(CFileStatus& rStatus) const {
    rStatus = CFileStatus();
    rStatus.m_size = m_nFileSize;
    return TRUE;
}
