#include "platform/imaging/MagickReader.h"

#include "platform/imaging/DepthConversion.h"
#include "platform/imaging/Magick.h"

#include <cstring>

namespace {

// Photo CD files hold their overview marker 2048 bytes in, behind a blank leader.
constexpr std::size_t kPhotoCdMarkerOffset = 2048;
constexpr char kPhotoCdMarker[] = "PCD_";
constexpr int kPhotoCdBaseWidth = 768;
constexpr int kPhotoCdBaseHeight = 512;
// GraphicsMagick numbers a Photo CD's resolutions from 1 (192 x 128); 3 is the base, 768 x 512.
constexpr unsigned long kPhotoCdBaseResolution = 3;

const char* CoderOf(int format) {
    switch (format) {
    case kFormatPcx:
        return "PCX:";
    case kFormatPhotoCd:
        return "PCD:";
    case kFormatTiff:
        return "TIFF:";
    default:
        return nullptr;
    }
}

} // namespace

bool IsPhotoCdFile(std::span<const BYTE> file) {
    return file.size() >= kPhotoCdMarkerOffset + 4 &&
           std::memcmp(file.data() + kPhotoCdMarkerOffset, kPhotoCdMarker, 4) == 0;
}

bool ReadPhotoCdInfo(std::span<const BYTE> file, ImagingFileInfo& info) {
    if (!IsPhotoCdFile(file))
        return false;
    info.width = kPhotoCdBaseWidth;
    info.height = kPhotoCdBaseHeight;
    info.bitsPerPixel = 24;
    info.compression = "Photo CD";
    info.hasTransparency = false;
    return true;
}

bool DecodeWithMagick(std::span<const BYTE> file, int format, int bitsPerPixel, CImagingBitmap& bitmap) {
    const char* coder = CoderOf(format);
    if (!coder || !IsDibDepth(bitsPerPixel))
        return false;
    StartMagick();
    MagickImageInfoPtr info(CloneImageInfo(nullptr));
    if (!info)
        return false;
    std::strcpy(info->filename, coder);
    info->subimage = format == kFormatPhotoCd ? kPhotoCdBaseResolution : 0;
    info->subrange = 1;
    CMagickException exception;
    MagickImagePtr image(BlobToImage(info.get(), file.data(), file.size(), exception.Get()));
    if (!image || exception.Failed() ||
        !IsDibSizeAllowed(std::int64_t(image->columns), std::int64_t(image->rows)))
        return false;

    const int width = int(image->columns), height = int(image->rows);
    const bool hasAlpha = image->matte != 0;
    const int bgrBits = hasAlpha && bitsPerPixel == 32 ? 32 : 24;
    std::vector<BYTE> quads(std::size_t(width) * std::size_t(height) * 4);
    if (DispatchImage(image.get(), 0, 0, image->columns, image->rows, "BGRA", CharPixel, quads.data(),
                      exception.Get()) == MagickFail ||
        exception.Failed())
        return false;

    // GraphicsMagick gives rows top first; the DIB and the alpha bytes keep them bottom first.
    std::vector<BYTE> dib = MakeDib(width, height, bgrBits, {});
    std::vector<BYTE> alpha(hasAlpha ? quads.size() / 4 : 0);
    BYTE* bottom = DibBottomRow(dib);
    const std::int64_t rowBytes = DibRowBytes(width, bgrBits);
    for (int y = 0; y < height; ++y) {
        const BYTE* in = quads.data() + std::size_t(height - 1 - y) * std::size_t(width) * 4;
        BYTE* out = bottom + rowBytes * y;
        for (int x = 0; x < width; ++x, in += 4, out += bgrBits / 8) {
            out[0] = in[0], out[1] = in[1], out[2] = in[2];
            if (bgrBits == 32)
                out[3] = in[3];
            if (hasAlpha)
                alpha[std::size_t(y) * std::size_t(width) + std::size_t(x)] = in[3];
        }
    }
    CImagingBitmap decoded;
    decoded.Attach(std::move(dib), std::move(alpha));
    if (bitsPerPixel != bgrBits && !decoded.ConvertDepth(bitsPerPixel))
        return false;
    bitmap = std::move(decoded);
    return true;
}
