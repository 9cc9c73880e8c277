#include "library/zip/BigFile.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CBigFile, CFile)

namespace {

// One piece of a copy that the kernel cannot do by itself.
constexpr UINT kCopyPiece = 1 << 20;

} // namespace

UINT CBigFile::ReadAt(ULONGLONG position, void* buffer, UINT count) {
    auto* out = static_cast<BYTE*>(buffer);
    UINT total = 0;
    while (total < count) {
        const ssize_t got =
            ::pread(Descriptor(), out + total, count - total, static_cast<off_t>(position + total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ThrowErrno(errno);
        if (got == 0)
            break;
        total += static_cast<UINT>(got);
    }
    return total;
}

void CBigFile::WriteAt(ULONGLONG position, const void* buffer, UINT count) {
    const auto* in = static_cast<const BYTE*>(buffer);
    UINT total = 0;
    while (total < count) {
        const ssize_t written =
            ::pwrite(Descriptor(), in + total, count - total, static_cast<off_t>(position + total));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            ThrowErrno(written == 0 ? ENOSPC : errno);
        total += static_cast<UINT>(written);
    }
}

bool CBigFile::CopyFrom(CBigFile& source, ULONGLONG from, ULONGLONG to, ULONGLONG count) {
    if (&source != this) {
        // The kernel copies between files without passing the bytes through here (or shares the blocks).
        auto in = static_cast<off_t>(from), out = static_cast<off_t>(to);
        while (count > 0) {
            const ssize_t copied = ::copy_file_range(source.Descriptor(), &in, Descriptor(), &out, count, 0);
            if (copied < 0 && errno == EINTR)
                continue;
            if (copied <= 0)
                break;
            count -= static_cast<ULONGLONG>(copied);
        }
        from = static_cast<ULONGLONG>(in);
        to = static_cast<ULONGLONG>(out);
        if (count == 0)
            return true;
    }
    // Forward in pieces: a copy to an earlier position of the same file never overwrites bytes it has
    // still to read.
    const auto piece =
        std::make_unique_for_overwrite<BYTE[]>(static_cast<size_t>(std::min<ULONGLONG>(count, kCopyPiece)));
    while (count > 0) {
        const UINT want = static_cast<UINT>(std::min<ULONGLONG>(count, kCopyPiece));
        const UINT got = source.ReadAt(from, piece.get(), want);
        if (got == 0)
            return false;
        WriteAt(to, piece.get(), got);
        from += got, to += got, count -= got;
    }
    return true;
}
