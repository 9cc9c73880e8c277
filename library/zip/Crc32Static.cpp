#include "library/zip/Crc32Static.h"

#include "platform/base/FileApi.h"
#include "platform/base/LastError.h"
#include "platform/base/Path.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

constexpr DWORD kInitialCrc = 0xFFFFFFFF;
constexpr DWORD kPolynomial = 0xEDB88320; // reflected form of 0x04C11DB7
// The system's codes for a data error found by a cyclic redundancy check and for a bad length.
constexpr DWORD kErrorCrc = 23;
constexpr DWORD kErrorBadLength = 24;
// Large enough that the system calls do not show against the checksum itself; lives on the stack.
constexpr size_t kReadBlock = 64 * 1024;

constexpr std::array<DWORD, 256> MakeTable() {
    std::array<DWORD, 256> table{};
    for (DWORD n = 0; n < 256; ++n) {
        DWORD c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? kPolynomial ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<DWORD, 256> kTable = MakeTable();

// The error of a failed open: a missing folder on the way reports "path not found", as on Windows.
DWORD OpenError(int errorNumber, const CString& path) {
    if (errorNumber == ENOENT) {
        const int slash = path.ReverseFind('/');
        struct stat folder;
        if (slash > 0 && (stat(path.Left(slash), &folder) != 0 || !S_ISDIR(folder.st_mode)))
            return ERROR_PATH_NOT_FOUND;
    }
    return Win32ErrorFromErrno(errorNumber);
}

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(LPCTSTR path) {
        if (!path) {
            m_error = ERROR_FILE_NOT_FOUND;
            return;
        }
        const CString resolved = ResolvePathCase(path);
        do {
            m_descriptor = open(resolved, O_RDONLY | O_CLOEXEC);
        } while (m_descriptor < 0 && errno == EINTR);
        struct stat status;
        if (m_descriptor < 0) {
            m_error = OpenError(errno, resolved);
        } else if (fstat(m_descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
            m_error = ERROR_ACCESS_DENIED; // a folder is not a file to read
        } else {
            posix_fadvise(m_descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
        }
    }
    ~ReadOnlyFile() {
        if (m_descriptor >= 0)
            close(m_descriptor);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    DWORD GetOpenError() const { return m_error; }
    int GetDescriptor() const { return m_descriptor; }

    // Passes each block of the file to fold; false on a read error.
    template <typename Fold>
    bool ForEachBlock(Fold fold) const {
        BYTE block[kReadBlock];
        for (off_t offset = 0;;) {
            const ssize_t got = pread(m_descriptor, block, sizeof block, offset);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return false;
            if (got == 0)
                return true;
            fold(block, static_cast<size_t>(got));
            offset += got;
        }
    }

private:
    int m_descriptor = -1;
    DWORD m_error = 0;
};

// The checksum of an open file through fold, which works on the running (uncomplemented) value. A read
// error ends the sum where it stands.
template <typename Fold>
DWORD FoldFile(const ReadOnlyFile& file, DWORD& crc, Fold fold) {
    DWORD running = kInitialCrc;
    const bool complete =
        file.ForEachBlock([&](const BYTE* bytes, size_t count) { fold(running, bytes, count); });
    crc = ~running;
    return complete ? 0 : kErrorCrc;
}

template <typename Fold>
DWORD FileCrc(LPCTSTR path, DWORD& crc, Fold fold) {
    crc = 0;
    const ReadOnlyFile file(path);
    if (const DWORD error = file.GetOpenError())
        return error;
    return FoldFile(file, crc, fold);
}

// zlib's crc32 gives the same values several bytes at a time; it takes and returns complemented ones.
void FoldWithZlib(DWORD& running, const BYTE* bytes, size_t count) {
    running = ~static_cast<DWORD>(crc32_z(~running, bytes, count));
}

} // namespace

DWORD CCrc32Static::FileCrcByReadFile(LPCTSTR path, DWORD& crc) {
    return FileCrc(path, crc, FoldWithZlib);
}

DWORD CCrc32Static::FileCrcMapped(LPCTSTR path, DWORD& crc) {
    crc = 0;
    const ReadOnlyFile file(path);
    if (const DWORD error = file.GetOpenError())
        return error;
    ULONGLONG size = 0;
    if (!QueryFileSize64(HandleFromDescriptor(file.GetDescriptor()), size))
        return kErrorBadLength;
    if (size == 0)
        return 0;
    return FoldFile(file, crc, FoldWithZlib);
}

DWORD CCrc32Static::FileCrcBytewise(LPCTSTR path, DWORD& crc) {
    return FileCrc(path, crc, [](DWORD& running, const BYTE* bytes, size_t count) {
        for (size_t i = 0; i < count; ++i)
            AddByteToCrc(bytes[i], running);
    });
}

DWORD CCrc32Static::TextCrc(LPCTSTR text, DWORD& crc) {
    crc = 0;
    if (!text)
        return kErrorCrc;
    DWORD running = kInitialCrc;
    for (const char* p = text; *p; ++p)
        AddByteToCrc(static_cast<BYTE>(*p), running);
    crc = ~running;
    return 0;
}

void CCrc32Static::AddByteToCrc(BYTE byte, DWORD& crc) {
    crc = (crc >> 8) ^ kTable[(crc ^ byte) & 0xFF];
}

bool CCrc32Static::QueryFileSize64(HANDLE file, ULONGLONG& size) {
    size = 0;
    struct stat status;
    const int descriptor = DescriptorFromHandle(file);
    if (descriptor < 0 || fstat(descriptor, &status) != 0)
        return false;
    size = static_cast<ULONGLONG>(status.st_size);
    return true;
}
