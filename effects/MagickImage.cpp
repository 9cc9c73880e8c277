#include "effects/MagickImage.h"

#include "platform/base/Parallel.h"

#include <algorithm>
#include <cstdint>

namespace {

// Rows worth a thread of their own: the conversions are memory-bound, so a range should move a few
// hundred kilobytes at least.
std::int64_t RowGrain(int width) {
    constexpr std::int64_t kPixelsPerRange = 1 << 16;
    return std::max<std::int64_t>(1, kPixelsPerRange / std::max(width, 1));
}

BYTE QuantumToByte(Quantum value) {
    // Rounded: the library's own scaling truncates, which would darken computed tones by half a step.
    return static_cast<BYTE>((std::uint64_t{value} * 255u + MaxRGB / 2) / MaxRGB);
}

} // namespace

MagickImagePtr ImageFromRows(const ConstPixelRows& source) {
    StartMagick();
    const MagickImageInfoPtr info(CloneImageInfo(nullptr));
    if (!info)
        return {};
    MagickImagePtr image(AllocateImage(info.get()));
    if (!image)
        return {};
    image->columns = static_cast<unsigned long>(source.width);
    image->rows = static_cast<unsigned long>(source.height);
    // The whole picture in one region: for a picture held in memory this is the pixel cache itself.
    PixelPacket* pixels = SetImagePixels(image.get(), 0, 0, image->columns, image->rows);
    if (pixels == nullptr)
        return {};
    ParallelFor(source.height, RowGrain(source.width), [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            const BYTE* in = source.row0 + source.step * y;
            PixelPacket* out = pixels + y * source.width;
            for (int x = 0; x < source.width; ++x, in += 3, ++out) {
                out->blue = ScaleCharToQuantum(in[0]);
                out->green = ScaleCharToQuantum(in[1]);
                out->red = ScaleCharToQuantum(in[2]);
                out->opacity = OpaqueOpacity;
            }
        }
    });
    if (!SyncImagePixels(image.get()))
        return {};
    return image;
}

bool CopyImageRows(const Image& image, const PixelRows& target) {
    if (image.columns != static_cast<unsigned long>(target.width) ||
        image.rows != static_cast<unsigned long>(target.height))
        return false;
    CMagickException exception;
    const PixelPacket* pixels = AcquireImagePixels(
        &image, 0, 0, image.columns, static_cast<unsigned long>(target.height), exception.Get());
    if (pixels == nullptr)
        return false;
    ParallelFor(target.height, RowGrain(target.width), [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            const PixelPacket* in = pixels + y * target.width;
            BYTE* out = target.row0 + target.step * y;
            for (int x = 0; x < target.width; ++x, ++in, out += 3) {
                out[0] = QuantumToByte(in->blue);
                out[1] = QuantumToByte(in->green);
                out[2] = QuantumToByte(in->red);
            }
        }
    });
    return true;
}
