#include "platform/imaging/FileFormats.h"

#include "platform/base/Path.h"
#include "platform/imaging/BmpCodec.h"
#include "platform/imaging/DibLayout.h"
#include "platform/imaging/IconCodec.h"
#include "platform/imaging/JpegCodec.h"
#include "platform/imaging/MagickReader.h"
#include "platform/imaging/MetafileCodec.h"
#include "platform/imaging/PcxCodec.h"
#include "platform/imaging/PngCodec.h"
#include "platform/imaging/TiffCodec.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The largest picture at 32 bits is 1 GiB of pixels; an uncompressed file of it is a little larger.
// Anything beyond is not a picture file of ours.
constexpr std::int64_t kMaxFileBytes = kMaxDibPixels * 4 + (std::int64_t{1} << 20);

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

int OpenForReading(const CString& path) {
    const CString slashed = BackslashesToSlashes(path);
    const int fd = open(slashed, O_RDONLY | O_CLOEXEC);
    if (fd >= 0 || errno != ENOENT)
        return fd;
    return open(ResolvePathCase(slashed), O_RDONLY | O_CLOEXEC);
}

} // namespace

bool ReadFileImage(const CString& path, std::vector<BYTE>& file) {
    FileDescriptor fd(OpenForReading(path));
    struct stat status {};
    if (fd.Get() < 0 || fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > kMaxFileBytes)
        return false;
    file.resize(std::size_t(status.st_size));
    std::size_t done = 0;
    while (done < file.size()) {
        const ssize_t n = read(fd.Get(), file.data() + done, file.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

int FormatOfFileImage(std::span<const BYTE> file) {
    if (IsJpegFile(file))
        return kFormatJpeg;
    if (IsPngFile(file))
        return kFormatPng;
    if (IsBmpFile(file))
        return kFormatBmp;
    if (IsTiffFile(file))
        return kFormatTiff;
    if (const int icon = IconFormatOf(file))
        return icon;
    if (IsPcxFile(file))
        return kFormatPcx;
    if (IsPhotoCdFile(file))
        return kFormatPhotoCd;
    if (IsWmfFile(file) || IsEmfFile(file))
        return kFormatMetafile;
    return 0;
}

bool ReadFileImageInfo(std::span<const BYTE> file, ImagingFileInfo& info) {
    ImagingFileInfo read;
    read.format = FormatOfFileImage(file);
    read.fileSize = std::int64_t(file.size());
    bool known = false;
    switch (read.format) {
    case kFormatJpeg:
        known = ReadJpegInfo(file, read);
        break;
    case kFormatPng:
        known = ReadPngInfo(file, read);
        break;
    case kFormatBmp:
        known = ReadBmpInfo(file, read);
        break;
    case kFormatTiff:
        known = ReadTiffInfo(file, read);
        break;
    case kFormatIco:
    case kFormatCur:
        known = ReadIconInfo(file, read);
        break;
    case kFormatPcx:
        known = ReadPcxInfo(file, read);
        break;
    case kFormatPhotoCd:
        known = ReadPhotoCdInfo(file, read);
        break;
    case kFormatMetafile:
        known = ReadMetafileInfo(file, read);
        break;
    default:
        break;
    }
    if (known)
        info = read;
    return known;
}

bool DecodeFileImage(std::span<const BYTE> file, CImagingBitmap& bitmap, ImagingFileInfo& info, int minWidth,
                     int minHeight) {
    if (!ReadFileImageInfo(file, info) || !IsDibSizeAllowed(info.width, info.height))
        return false;
    switch (info.format) {
    case kFormatJpeg:
        return DecodeJpeg(file, bitmap, minWidth, minHeight);
    case kFormatPng:
        return DecodePng(file, bitmap);
    case kFormatBmp:
        return DecodeBmp(file, bitmap);
    case kFormatTiff:
        return DecodeTiff(file, bitmap);
    case kFormatIco:
    case kFormatCur:
        return DecodeIcon(file, bitmap);
    case kFormatMetafile:
        return false;
    default:
        return DecodeWithMagick(file, info.format, info.bitsPerPixel, bitmap);
    }
}

RowStreaming StreamFileImageRows(std::span<const BYTE> file, int format, CRowReceiver& receiver) {
    switch (format) {
    case kFormatPng:
        return StreamPngRows(file, receiver);
    case kFormatTiff:
        return StreamTiffRows(file, receiver);
    default:
        return RowStreaming::NotStreamable;
    }
}
