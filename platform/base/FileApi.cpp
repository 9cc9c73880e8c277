#include "platform/base/FileApi.h"

#include "platform/base/AtomicFileWriter.h"
#include "platform/base/Path.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// errno stays set too, for callers in this layer that throw with it.
BOOL FailWith(int errorNumber) {
    errno = errorNumber;
    SetLastError(Win32ErrorFromErrno(errorNumber));
    return FALSE;
}

int OpenFlagsFor(DWORD access, DWORD disposition) {
    int flags = O_CLOEXEC;
    const bool reads = access & GENERIC_READ;
    const bool writes = access & GENERIC_WRITE;
    flags |= reads && writes ? O_RDWR : (writes ? O_WRONLY : O_RDONLY);
    switch (disposition) {
    case CREATE_NEW:
        return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS:
        return flags | O_CREAT | O_TRUNC;
    case OPEN_EXISTING:
        return flags;
    case OPEN_ALWAYS:
        return flags | O_CREAT;
    case TRUNCATE_EXISTING:
        return flags | O_TRUNC;
    default:
        return -1;
    }
}

// Copies through the atomic writer, so that a failed copy leaves an existing target as it was.
// Sets errno on failure.
bool CopyRegularFile(const char* from, const char* to, bool failIfExists) {
    const int source = ::open(from, O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        return false;
    }
    struct stat sourceStatus {};
    struct stat targetStatus {};
    int error = 0;
    if (::fstat(source, &sourceStatus) != 0) {
        error = errno;
    } else if (S_ISDIR(sourceStatus.st_mode)) {
        error = EISDIR;
    } else if (::stat(to, &targetStatus) == 0) {
        const bool sameFile =
            targetStatus.st_dev == sourceStatus.st_dev && targetStatus.st_ino == sourceStatus.st_ino;
        if (sameFile) {
            error = ETXTBSY;
        } else if (S_ISDIR(targetStatus.st_mode)) {
            error = EISDIR;
        } else if (failIfExists) {
            error = EEXIST;
        }
    }
    CAtomicFileWriter writer;
    if (error == 0 && !writer.Open(to)) {
        error = writer.GetError();
    }
    if (error == 0) {
        // A new file gets the source's permissions; a replaced one keeps its own.
        ::fchmod(writer.GetDescriptor(), sourceStatus.st_mode & 07777);
        char buffer[64 * 1024];
        for (;;) {
            const ssize_t got = ::read(source, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                error = errno;
                break;
            }
            if (got == 0 || !writer.Write(buffer, static_cast<SIZE_T>(got))) {
                break;
            }
        }
        if (error == 0 && !writer.Commit()) {
            error = writer.GetError();
        }
    }
    ::close(source);
    if (error != 0) {
        writer.Abort();
        errno = error;
        return false;
    }
    return true;
}

} // namespace

HANDLE CreateFile(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                  DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE) {
    const int flags = OpenFlagsFor(dwDesiredAccess, dwCreationDisposition);
    if (!lpFileName || flags < 0) {
        FailWith(EINVAL);
        return INVALID_HANDLE_VALUE;
    }
    const CString onDisk = ResolvePathCase(lpFileName);
    lpFileName = onDisk;
    const mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    // OPEN_ALWAYS and CREATE_ALWAYS report through the last error whether the file was there.
    const bool reportsExisting =
        dwCreationDisposition == OPEN_ALWAYS || dwCreationDisposition == CREATE_ALWAYS;
    const bool existed = reportsExisting && ::access(lpFileName, F_OK) == 0;
    int descriptor;
    do {
        descriptor = ::open(lpFileName, flags, mode);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        FailWith(errno);
        return INVALID_HANDLE_VALUE;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
        ::close(descriptor);
        FailWith(EISDIR);
        return INVALID_HANDLE_VALUE;
    }
    if (dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) {
        ::unlink(lpFileName);
    }
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return HandleFromDescriptor(descriptor);
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesRead) {
        *lpNumberOfBytesRead = 0;
    }
    const int descriptor = DescriptorFromHandle(hFile);
    if (descriptor < 0 || lpOverlapped || (!lpBuffer && nNumberOfBytesToRead > 0)) {
        return FailWith(descriptor < 0 ? EBADF : EINVAL);
    }
    auto* out = static_cast<char*>(lpBuffer);
    DWORD total = 0;
    while (total < nNumberOfBytesToRead) {
        const ssize_t got = ::read(descriptor, out + total, nNumberOfBytesToRead - total);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return FailWith(errno);
        }
        if (got == 0) {
            break;
        }
        total += static_cast<DWORD>(got);
        if (lpNumberOfBytesRead) {
            *lpNumberOfBytesRead = total;
        }
    }
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesWritten) {
        *lpNumberOfBytesWritten = 0;
    }
    const int descriptor = DescriptorFromHandle(hFile);
    if (descriptor < 0 || lpOverlapped || (!lpBuffer && nNumberOfBytesToWrite > 0)) {
        return FailWith(descriptor < 0 ? EBADF : EINVAL);
    }
    const auto* in = static_cast<const char*>(lpBuffer);
    DWORD total = 0;
    while (total < nNumberOfBytesToWrite) {
        const ssize_t written = ::write(descriptor, in + total, nNumberOfBytesToWrite - total);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return FailWith(written == 0 ? ENOSPC : errno);
        }
        total += static_cast<DWORD>(written);
        if (lpNumberOfBytesWritten) {
            *lpNumberOfBytesWritten = total;
        }
    }
    return TRUE;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod) {
    const int descriptor = DescriptorFromHandle(hFile);
    const int whence =
        dwMoveMethod == FILE_BEGIN ? SEEK_SET : (dwMoveMethod == FILE_CURRENT ? SEEK_CUR : SEEK_END);
    if (descriptor < 0 || dwMoveMethod > FILE_END) {
        FailWith(descriptor < 0 ? EBADF : EINVAL);
        return INVALID_SET_FILE_POINTER;
    }
    const off_t distance =
        lpDistanceToMoveHigh
            ? static_cast<off_t>((static_cast<ULONGLONG>(static_cast<DWORD>(*lpDistanceToMoveHigh)) << 32) |
                                 static_cast<DWORD>(lDistanceToMove))
            : static_cast<off_t>(lDistanceToMove);
    const off_t position = ::lseek(descriptor, distance, whence);
    if (position < 0) {
        SetLastError(errno == EINVAL ? ERROR_NEGATIVE_SEEK : Win32ErrorFromErrno(errno));
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh) {
        *lpDistanceToMoveHigh = static_cast<LONG>(static_cast<ULONGLONG>(position) >> 32);
    } else if (position > 0xFFFFFFFE) {
        // Without the high half the position cannot be told; the move itself happened.
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}

BOOL SetEndOfFile(HANDLE hFile) {
    const int descriptor = DescriptorFromHandle(hFile);
    if (descriptor < 0) {
        return FailWith(EBADF);
    }
    const off_t position = ::lseek(descriptor, 0, SEEK_CUR);
    if (position < 0 || ::ftruncate(descriptor, position) != 0) {
        return FailWith(errno);
    }
    return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    const int descriptor = DescriptorFromHandle(hFile);
    struct stat status {};
    if (descriptor < 0 || ::fstat(descriptor, &status) != 0) {
        FailWith(descriptor < 0 ? EBADF : errno);
        return INVALID_FILE_SIZE;
    }
    const auto size = static_cast<ULONGLONG>(status.st_size);
    if (lpFileSizeHigh) {
        *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
    } else if (size > 0xFFFFFFFE) {
        FailWith(EOVERFLOW);
        return INVALID_FILE_SIZE;
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

BOOL FlushFileBuffers(HANDLE hFile) {
    const int descriptor = DescriptorFromHandle(hFile);
    if (descriptor < 0) {
        return FailWith(EBADF);
    }
    return ::fsync(descriptor) == 0 || errno == EINVAL ? TRUE : FailWith(errno);
}

BOOL CloseHandle(HANDLE hObject) {
    const int descriptor = DescriptorFromHandle(hObject);
    if (descriptor < 0) {
        return FailWith(EBADF);
    }
    // Linux frees the descriptor even when close reports EINTR, so it is never retried.
    if (::close(descriptor) != 0 && errno != EINTR) {
        return FailWith(errno);
    }
    return TRUE;
}

BOOL DeleteFile(LPCSTR lpFileName) {
    if (!lpFileName) {
        return FailWith(EINVAL);
    }
    return ::unlink(ResolvePathCase(lpFileName)) == 0 ? TRUE : FailWith(errno);
}

BOOL CopyFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
    if (!lpExistingFileName || !lpNewFileName) {
        return FailWith(EINVAL);
    }
    return CopyRegularFile(ResolvePathCase(lpExistingFileName), ResolvePathCase(lpNewFileName), bFailIfExists)
               ? TRUE
               : FailWith(errno);
}

BOOL MoveFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName) {
    if (!lpExistingFileName || !lpNewFileName) {
        return FailWith(EINVAL);
    }
    const CString from = ResolvePathCase(lpExistingFileName);
    const CString to = ResolvePathCase(lpNewFileName);
    lpExistingFileName = from;
    lpNewFileName = to;
    if (::renameat2(AT_FDCWD, lpExistingFileName, AT_FDCWD, lpNewFileName, RENAME_NOREPLACE) == 0) {
        return TRUE;
    }
    if (errno == EINVAL) {
        // The file system cannot rename without replacing: check first.
        struct stat status {};
        if (::lstat(lpNewFileName, &status) == 0) {
            return FailWith(EEXIST);
        }
        return ::rename(lpExistingFileName, lpNewFileName) == 0 ? TRUE : FailWith(errno);
    }
    if (errno != EXDEV) {
        return FailWith(errno);
    }
    // Another file system: files are copied and the original removed; folders are refused.
    if (!CopyRegularFile(lpExistingFileName, lpNewFileName, TRUE)) {
        return FailWith(errno);
    }
    return ::unlink(lpExistingFileName) == 0 ? TRUE : FailWith(errno);
}

DWORD AttributesFromStatus(const struct stat& status, LPCSTR lpFileName) {
    DWORD attributes = S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(status.st_mode & S_IWUSR)) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    const char* name = lpFileName ? std::strrchr(lpFileName, '/') : nullptr;
    name = name ? name + 1 : lpFileName;
    if (name && name[0] == '.' && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) {
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    }
    return attributes;
}

DWORD GetFileAttributes(LPCSTR lpFileName) {
    struct stat status {};
    const CString onDisk = lpFileName ? ResolvePathCase(lpFileName) : CString();
    if (!lpFileName || ::stat(onDisk, &status) != 0) {
        FailWith(lpFileName ? errno : EINVAL);
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesFromStatus(status, onDisk);
}

BOOL SetFileAttributes(LPCSTR lpFileName, DWORD dwFileAttributes) {
    struct stat status {};
    const CString onDisk = lpFileName ? ResolvePathCase(lpFileName) : CString();
    if (!lpFileName || ::stat(onDisk, &status) != 0)
        return FailWith(lpFileName ? errno : EINVAL);
    const mode_t mode = (dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                            ? status.st_mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)
                            : status.st_mode | S_IWUSR;
    if (::chmod(onDisk, mode & 07777) != 0)
        return FailWith(errno);
    return TRUE;
}
