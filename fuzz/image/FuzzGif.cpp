// The GIF reader: arbitrary bytes as a GIF file. Whatever is read must be a whole 8-bit picture within the
// picture limits, and the reader must neither hang nor read past the bytes.

#include "image/DibMemory.h"
#include "image/GifByteSource.h"
#include "image/ImageGIF.h"

#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CGifByteSource source(std::span<const BYTE>(data, size));
    CImageGIF image;
    if (image.ReadFrom(source) != GifFault::None)
        return 0;
    if (image.GetBitsPerPixel() != 8 || !IsPictureSizeAllowed(image.GetWidth(), image.GetHeight()) ||
        !image.GetBits())
        std::abort();
    // Touch the last pixel byte so that the sanitizer sees a block shorter than its rows.
    volatile BYTE last = image.GetBits()[static_cast<std::size_t>(image.GetStride()) * image.GetHeight() - 1];
    (void)last;
    return 0;
}
