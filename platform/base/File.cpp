#include "platform/base/File.h"

#include "platform/base/FileApi.h"
#include "platform/base/Path.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CFile, CObject)

HANDLE const CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

CString AbsolutePath(LPCSTR path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? CString(path) : CString(absolute.lexically_normal().string());
}

// statx of a path relative to a folder descriptor, or of the descriptor itself with AT_EMPTY_PATH.
CTime BirthOrChangeTime(int folder, LPCSTR path, int flags, const struct stat& status) {
    struct statx extended {};
    if (::statx(folder, path, flags, STATX_BTIME, &extended) == 0 && (extended.stx_mask & STATX_BTIME)) {
        return CTime(static_cast<std::time_t>(extended.stx_btime.tv_sec));
    }
    return CTime(status.st_ctime);
}

void FillStatus(const struct stat& status, const CString& fullName, CTime creation, CFileStatus& rStatus) {
    rStatus.m_ctime = creation;
    rStatus.m_mtime = CTime(status.st_mtime);
    rStatus.m_atime = CTime(status.st_atime);
    rStatus.m_size = static_cast<ULONGLONG>(status.st_size);
    rStatus.m_attribute = static_cast<BYTE>(AttributesFromStatus(status, fullName));
    rStatus.m_szFullName = fullName;
}

} // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : CFile() {
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error)) {
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    }
}

CFile::~CFile() {
    if (m_bCloseOnDelete) {
        Abort();
    }
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    Abort();
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();

    int flags = O_CLOEXEC;
    switch (nOpenFlags & 0x3) {
    case modeRead:
        flags |= O_RDONLY;
        break;
    case modeWrite:
        flags |= O_WRONLY;
        break;
    case modeReadWrite:
        flags |= O_RDWR;
        break;
    default:
        flags = -1;
        break;
    }
    if (nOpenFlags & modeCreate) {
        flags |= O_CREAT | ((nOpenFlags & modeNoTruncate) ? 0 : O_TRUNC);
    }
    int errorNumber = 0;
    int descriptor = -1;
    CString onDisk;
    if (!lpszFileName || !*lpszFileName || flags < 0) {
        errorNumber = lpszFileName && *lpszFileName ? EINVAL : ENOENT;
    } else {
        onDisk = ResolvePathCase(lpszFileName);
        do {
            descriptor = ::open(onDisk, flags, 0666);
        } while (descriptor < 0 && errno == EINTR);
        errorNumber = descriptor < 0 ? errno : 0;
    }
    struct stat status {};
    if (descriptor >= 0 && ::fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
        ::close(descriptor);
        descriptor = -1;
        errorNumber = EISDIR;
    }
    if (descriptor < 0) {
        if (pError) {
            pError->m_cause = CFileException::OsErrorToException(errorNumber);
            pError->m_lOsError = errorNumber;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = HandleFromDescriptor(descriptor);
    m_bCloseOnDelete = TRUE;
    m_strFileName = AbsolutePath(onDisk);
    return TRUE;
}

int CFile::Descriptor() const {
    return DescriptorFromHandle(m_hFile);
}

void CFile::ThrowErrno(int errorNumber) const {
    // A descriptor that is open but not for this direction: the framework calls that access denied.
    const bool wrongDirection = errorNumber == EBADF && Descriptor() >= 0;
    const int cause =
        wrongDirection ? CFileException::accessDenied : CFileException::OsErrorToException(errorNumber);
    AfxThrowFileException(cause, errorNumber, m_strFileName);
}

ULONGLONG CFile::GetPosition() const {
    const off_t position = ::lseek(Descriptor(), 0, SEEK_CUR);
    if (position < 0) {
        ThrowErrno(errno);
    }
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    if (nFrom > end) {
        ThrowErrno(EINVAL);
    }
    const int whence = nFrom == begin ? SEEK_SET : (nFrom == current ? SEEK_CUR : SEEK_END);
    const off_t position = ::lseek(Descriptor(), static_cast<off_t>(lOff), whence);
    if (position < 0) {
        ThrowErrno(errno);
    }
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetLength() const {
    struct stat status {};
    if (::fstat(Descriptor(), &status) != 0) {
        ThrowErrno(errno);
    }
    return static_cast<ULONGLONG>(status.st_size);
}

void CFile::SetLength(ULONGLONG dwNewLen) {
    if (dwNewLen > static_cast<ULONGLONG>(LLONG_MAX)) {
        ThrowErrno(EFBIG);
    }
    if (::ftruncate(Descriptor(), static_cast<off_t>(dwNewLen)) != 0) {
        ThrowErrno(errno);
    }
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    const int descriptor = Descriptor();
    if (descriptor < 0) {
        ThrowErrno(EBADF);
    }
    auto* out = static_cast<char*>(lpBuf);
    UINT total = 0;
    while (total < nCount) {
        const ssize_t got = ::read(descriptor, out + total, nCount - total);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ThrowErrno(errno);
        }
        if (got == 0) {
            break;
        }
        total += static_cast<UINT>(got);
    }
    return total;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    const int descriptor = Descriptor();
    if (descriptor < 0) {
        ThrowErrno(EBADF);
    }
    const auto* in = static_cast<const char*>(lpBuf);
    UINT total = 0;
    while (total < nCount) {
        const ssize_t written = ::write(descriptor, in + total, nCount - total);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            ThrowErrno(written == 0 ? ENOSPC : errno);
        }
        total += static_cast<UINT>(written);
    }
}

void CFile::Flush() {
    const int descriptor = Descriptor();
    if (descriptor < 0) {
        return;
    }
    // Pipes and special files cannot be synchronised; that is not a failure.
    if (::fsync(descriptor) != 0 && errno != EINVAL && errno != EROFS) {
        ThrowErrno(errno);
    }
}

void CFile::Close() {
    const int descriptor = Descriptor();
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    // Linux frees the descriptor even when close fails, so it is never retried; a late write error
    // (a full disk on a network file system) is still reported.
    if (descriptor >= 0 && ::close(descriptor) != 0 && errno != EINTR) {
        ThrowErrno(errno);
    }
}

void CFile::Abort() {
    const int descriptor = Descriptor();
    if (descriptor >= 0 && m_bCloseOnDelete) {
        ::close(descriptor);
    }
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

CString CFile::GetFileName() const {
    const int slash = m_strFileName.ReverseFind('/');
    return slash < 0 ? m_strFileName : m_strFileName.Mid(slash + 1);
}

CString CFile::GetFileTitle() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot <= 0 ? name : name.Left(dot);
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const {
    const int descriptor = Descriptor();
    struct stat status {};
    if (descriptor < 0 || ::fstat(descriptor, &status) != 0) {
        return FALSE;
    }
    FillStatus(status, m_strFileName, BirthOrChangeTime(descriptor, "", AT_EMPTY_PATH, status), rStatus);
    return TRUE;
}

BOOL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus) {
    struct stat status {};
    const CString onDisk = lpszFileName ? ResolvePathCase(lpszFileName) : CString();
    if (!lpszFileName || ::stat(onDisk, &status) != 0) {
        return FALSE;
    }
    FillStatus(status, AbsolutePath(onDisk), BirthOrChangeTime(AT_FDCWD, onDisk, 0, status), rStatus);
    return TRUE;
}

void CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName) {
    if (!MoveFile(lpszOldName, lpszNewName)) {
        const int errorNumber = errno;
        AfxThrowFileException(CFileException::OsErrorToException(errorNumber), errorNumber, lpszOldName);
    }
}

void CFile::Remove(LPCSTR lpszFileName) {
    if (!DeleteFile(lpszFileName)) {
        const int errorNumber = lpszFileName ? errno : EINVAL;
        AfxThrowFileException(CFileException::OsErrorToException(errorNumber), errorNumber, lpszFileName);
    }
}
