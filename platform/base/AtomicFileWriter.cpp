#include "platform/base/AtomicFileWriter.h"

#include "platform/base/Path.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Long enough to be unguessable for a name that lives a moment; attempts bound the search for a free one.
constexpr int kTempSuffixLength = 8;
constexpr char kTempMark[] = ".vcpart";
constexpr char kSuffixLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kMaxTempAttempts = 100;
// Keeps the temporary name within NAME_MAX (255) whatever the target's name.
constexpr int kMaxNameStemLength = 200;

CString RandomSuffix() {
    static std::atomic<unsigned> counter{std::random_device{}()};
    std::minstd_rand generator(counter.fetch_add(1) ^ static_cast<unsigned>(getpid()));
    CString suffix;
    for (int i = 0; i < kTempSuffixLength; ++i) {
        suffix += kSuffixLetters[generator() % (sizeof(kSuffixLetters) - 1)];
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

// The file that a writer for path replaces.
CString ReplacedPath(const CString& path) {
    return FollowLink(ResolvePathCase(path));
}

// What the temporary names for a file begin with: ".", its name, ".".
CString TempPrefix(const CString& target) {
    return "." + target.Mid(target.ReverseFind('/') + 1).Left(kMaxNameStemLength) + ".";
}

bool IsTempName(const CString& name, const CString& prefix) {
    const int markLength = static_cast<int>(sizeof(kTempMark) - 1);
    if (name.GetLength() != prefix.GetLength() + kTempSuffixLength + markLength ||
        name.Left(prefix.GetLength()) != prefix || name.Right(markLength) != kTempMark) {
        return false;
    }
    const CString suffix = name.Mid(prefix.GetLength(), kTempSuffixLength);
    return std::all_of(suffix.view().begin(), suffix.view().end(),
                       [](char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9'); });
}

// Takes the new temporary file's lock. A cleaner may have locked the file between its creation and
// now, taking it for a dead writer's: then the file is gone when the lock comes free, and false asks for
// another name. Where the file system has no flock, no cleaner can lock either, and the file goes on
// unlocked.
bool LockNewTempFile(int descriptor) {
    while (flock(descriptor, LOCK_EX) != 0) {
        if (errno != EINTR) {
            return true;
        }
    }
    struct stat status;
    return fstat(descriptor, &status) == 0 && status.st_nlink > 0;
}

} // namespace

CAtomicFileWriter::~CAtomicFileWriter() {
    Abort();
}

BOOL CAtomicFileWriter::Open(const CString& path) {
    Abort();
    m_error = 0;
    m_targetPath = ReplacedPath(path);
    const int slash = m_targetPath.ReverseFind('/');
    const CString name = m_targetPath.Mid(slash + 1);
    if (name.IsEmpty()) {
        return Fail(EISDIR);
    }
    const CString stem = FolderOf(m_targetPath) + "/" + TempPrefix(m_targetPath);
    for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
        const CString candidate = stem + RandomSuffix() + kTempMark;
        // 0666 lets the umask decide a new file's permissions, as for any file the program creates.
        // Read-write, so that writers that read back what they wrote (the zip archive) can use the
        // descriptor.
        const int descriptor = open(candidate, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 && LockNewTempFile(descriptor)) {
            m_descriptor = descriptor;
            m_tempPath = candidate;
            return TRUE;
        }
        if (descriptor >= 0) {
            close(descriptor);
            continue;
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
    // Renamed while the descriptor holds the lock, so that no cleaner takes the finished copy for a dead
    // writer's. The content is on disk already: closing has nothing left to report.
    if (rename(m_tempPath, m_targetPath) != 0) {
        return Fail(errno);
    }
    m_tempPath.Empty();
    close(m_descriptor);
    m_descriptor = -1;
    SyncFolder(FolderOf(m_targetPath));
    return TRUE;
}

void CAtomicFileWriter::Abort() {
    // Removed before the lock goes with the descriptor.
    if (!m_tempPath.IsEmpty()) {
        unlink(m_tempPath);
        m_tempPath.Empty();
    }
    if (m_descriptor >= 0) {
        close(m_descriptor);
        m_descriptor = -1;
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

void RemoveStaleReplacements(const CString& path) {
    const CString target = ReplacedPath(path);
    const CString folder = FolderOf(target);
    const CString prefix = TempPrefix(target);
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(folder), closedir);
    if (!listing) {
        return;
    }
    while (const dirent* entry = readdir(listing.get())) {
        const CString name(entry->d_name);
        if (!IsTempName(name, prefix)) {
            continue;
        }
        const CString copy = folder + "/" + name;
        const int descriptor = open(copy, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (descriptor < 0) {
            continue;
        }
        // Still the file that was locked: not renamed into place or replaced meanwhile.
        struct stat locked, named;
        if (flock(descriptor, LOCK_EX | LOCK_NB) == 0 && fstat(descriptor, &locked) == 0 &&
            lstat(copy, &named) == 0 && S_ISREG(locked.st_mode) && locked.st_dev == named.st_dev &&
            locked.st_ino == named.st_ino) {
            unlink(copy);
        }
        close(descriptor);
    }
}

BOOL WriteFileAtomically(const CString& path, const void* data, SIZE_T size) {
    CAtomicFileWriter writer;
    return writer.Open(path) && writer.Write(data, size) && writer.Commit() ? TRUE : FALSE;
}
