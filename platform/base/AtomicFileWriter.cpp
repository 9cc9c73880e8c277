#include "platform/base/AtomicFileWriter.h"

#include "platform/base/Path.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Long enough to be unguessable for a name that lives a moment; attempts bound the search for a free one.
constexpr int kTempSuffixLength = 8;
constexpr int kMaxTempAttempts = 100;
// Keeps the temporary name within NAME_MAX (255) whatever the target's name.
constexpr int kMaxNameStemLength = 200;

CString RandomSuffix() {
    static std::atomic<unsigned> counter{std::random_device{}()};
    static constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::minstd_rand generator(counter.fetch_add(1) ^ static_cast<unsigned>(getpid()));
    CString suffix;
    for (int i = 0; i < kTempSuffixLength; ++i) {
        suffix += kDigits[generator() % (sizeof(kDigits) - 1)];
    }
    return suffix;
}

// The file a symbolic link points to, so that replacing it keeps the link.
CString FollowLink(const CString& path) {
    struct stat status;
    if (lstat(path, &status) != 0 || !S_ISLNK(status.st_mode)) {
        return path;
    }
    char* target = realpath(path, nullptr);
    if (!target) {
        return path;
    }
    CString result(target);
    free(target);
    return result;
}

void SyncFolder(const CString& folder) {
    const int descriptor = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return;
    }
    // Some file systems refuse to sync a folder; the rename itself has happened either way.
    fsync(descriptor);
    close(descriptor);
}

CString FolderOf(const CString& path) {
    const int slash = path.ReverseFind('/');
    if (slash < 0) {
        return ".";
    }
    return slash == 0 ? CString("/") : path.Left(slash);
}

} // namespace

CAtomicFileWriter::~CAtomicFileWriter() {
    Abort();
}

BOOL CAtomicFileWriter::Open(const CString& path) {
    Abort();
    m_error = 0;
    m_targetPath = FollowLink(ResolvePathCase(path));
    const int slash = m_targetPath.ReverseFind('/');
    const CString name = m_targetPath.Mid(slash + 1);
    if (name.IsEmpty()) {
        return Fail(EISDIR);
    }
    const CString stem = FolderOf(m_targetPath) + "/." + name.Left(kMaxNameStemLength) + ".";
    for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
        const CString candidate = stem + RandomSuffix();
        // 0666 lets the umask decide a new file's permissions, as for any file the program creates.
        // Read-write, so that writers that read back what they wrote (the zip archive) can use the descriptor.
        m_descriptor = open(candidate, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_descriptor >= 0) {
            m_tempPath = candidate;
            return TRUE;
        }
        if (errno != EEXIST) {
            return Fail(errno);
        }
    }
    return Fail(EEXIST);
}

BOOL CAtomicFileWriter::Write(const void* data, SIZE_T size) {
    if (m_error != 0 || m_descriptor < 0) {
        return Fail(m_error != 0 ? m_error : EBADF);
    }
    const auto* bytes = static_cast<const BYTE*>(data);
    while (size > 0) {
        const ssize_t written = write(m_descriptor, bytes, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Fail(errno);
        }
        bytes += written;
        size -= static_cast<SIZE_T>(written);
    }
    return TRUE;
}

BOOL CAtomicFileWriter::Commit() {
    if (m_error != 0 || m_descriptor < 0) {
        return Fail(m_error != 0 ? m_error : EBADF);
    }
    struct stat old;
    if (stat(m_targetPath, &old) == 0) {
        // Only a privileged process may hand the file to its old owner; for others it is theirs already.
        // The owner goes first, because a change of owner clears set-id bits.
        [[maybe_unused]] const int ignored = fchown(m_descriptor, old.st_uid, old.st_gid);
        if (fchmod(m_descriptor, old.st_mode & 07777) != 0) {
            return Fail(errno);
        }
    }
    if (fsync(m_descriptor) != 0) {
        return Fail(errno);
    }
    const int descriptor = m_descriptor;
    m_descriptor = -1;
    if (close(descriptor) != 0) {
        return Fail(errno);
    }
    if (rename(m_tempPath, m_targetPath) != 0) {
        return Fail(errno);
    }
    m_tempPath.Empty();
    SyncFolder(FolderOf(m_targetPath));
    return TRUE;
}

void CAtomicFileWriter::Abort() {
    if (m_descriptor >= 0) {
        close(m_descriptor);
        m_descriptor = -1;
    }
    if (!m_tempPath.IsEmpty()) {
        unlink(m_tempPath);
        m_tempPath.Empty();
    }
}

BOOL CAtomicFileWriter::Fail(int error) {
    if (m_error == 0) {
        m_error = error;
    }
    Abort();
    errno = m_error;
    return FALSE;
}

BOOL WriteFileAtomically(const CString& path, const void* data, SIZE_T size) {
    CAtomicFileWriter writer;
    return writer.Open(path) && writer.Write(data, size) && writer.Commit() ? TRUE : FALSE;
}
