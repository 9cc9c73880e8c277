#include "platform/base/StdioFile.h"

#include "platform/base/TextEncoding.h"

#include <cerrno>
#include <climits>
#include <string>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile(FILE* pOpenStream)
    : CFile(pOpenStream ? HandleFromDescriptor(::fileno(pOpenStream)) : hFileNull), m_pStream(pOpenStream) {}

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags) {
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error)) {
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    }
}

CStdioFile::~CStdioFile() {
    if (m_pStream && m_bCloseOnDelete) {
        Abort();
    }
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    Abort();
    if (!CFile::Open(lpszFileName, nOpenFlags, pError)) {
        return FALSE;
    }
    // The descriptor is already open as asked (created, truncated or not); the stream only wraps it.
    const UINT access = nOpenFlags & (modeWrite | modeReadWrite);
    const char* mode = access == modeReadWrite ? "r+" : (access == modeWrite ? "w" : "r");
    m_pStream = ::fdopen(Descriptor(), mode);
    if (!m_pStream) {
        const int errorNumber = errno;
        CFile::Abort();
        if (pError) {
            pError->m_cause = CFileException::OsErrorToException(errorNumber);
            pError->m_lOsError = errorNumber;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    return TRUE;
}

BOOL CStdioFile::ReadString(CString& rString) {
    if (!m_pStream) {
        ThrowErrno(EBADF);
    }
    std::string line;
    bool readAny = false;
    for (int ch = std::getc(m_pStream); ch != EOF; ch = std::getc(m_pStream)) {
        readAny = true;
        if (ch == '\n') {
            break;
        }
        line += static_cast<char>(ch);
    }
    if (std::ferror(m_pStream)) {
        const int errorNumber = errno;
        std::clearerr(m_pStream);
        ThrowErrno(errorNumber ? errorNumber : EIO);
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    rString = CString(StoredTextToUtf8(line));
    return readAny ? TRUE : FALSE;
}

void CStdioFile::WriteString(LPCSTR lpsz) {
    if (!m_pStream) {
        ThrowErrno(EBADF);
    }
    if (lpsz && std::fputs(lpsz, m_pStream) == EOF) {
        const int errorNumber = errno;
        std::clearerr(m_pStream);
        ThrowErrno(errorNumber ? errorNumber : EIO);
    }
}

ULONGLONG CStdioFile::GetPosition() const {
    const off_t position = m_pStream ? ::ftello(m_pStream) : -1;
    if (position < 0) {
        ThrowErrno(m_pStream ? errno : EBADF);
    }
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
    if (!m_pStream || nFrom > end) {
        ThrowErrno(m_pStream ? EINVAL : EBADF);
    }
    const int whence = nFrom == begin ? SEEK_SET : (nFrom == current ? SEEK_CUR : SEEK_END);
    if (::fseeko(m_pStream, static_cast<off_t>(lOff), whence) != 0) {
        ThrowErrno(errno);
    }
    return GetPosition();
}

ULONGLONG CStdioFile::GetLength() const {
    if (m_pStream && std::fflush(m_pStream) != 0) {
        ThrowErrno(errno);
    }
    return CFile::GetLength();
}

void CStdioFile::SetLength(ULONGLONG dwNewLen) {
    Flush();
    CFile::SetLength(dwNewLen);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
    if (!m_pStream) {
        ThrowErrno(EBADF);
    }
    const size_t got = std::fread(lpBuf, 1, nCount, m_pStream);
    if (got < nCount && std::ferror(m_pStream)) {
        const int errorNumber = errno;
        std::clearerr(m_pStream);
        ThrowErrno(errorNumber ? errorNumber : EIO);
    }
    return static_cast<UINT>(got);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
    if (!m_pStream) {
        ThrowErrno(EBADF);
    }
    if (std::fwrite(lpBuf, 1, nCount, m_pStream) != nCount) {
        const int errorNumber = errno;
        std::clearerr(m_pStream);
        ThrowErrno(errorNumber ? errorNumber : EIO);
    }
}

void CStdioFile::Flush() {
    if (m_pStream && std::fflush(m_pStream) != 0) {
        ThrowErrno(errno);
    }
}

void CStdioFile::Close() {
    FILE* stream = m_pStream;
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    // fclose writes what is buffered; a failure there is a lost write and is reported.
    if (stream && std::fclose(stream) != 0) {
        ThrowErrno(errno);
    }
}

void CStdioFile::Abort() {
    if (m_pStream && m_bCloseOnDelete) {
        std::fclose(m_pStream);
    }
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}
