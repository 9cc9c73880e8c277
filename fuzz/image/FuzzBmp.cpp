// The BMP reader: arbitrary bytes as a BMP file image and as a packed DIB. Whatever is accepted must be in
// the program's form, with every row inside the block.

#include "image/DibGeometry.h"
#include "image/DibValidation.h"
#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"

#include <cstdlib>
#include <cstring>
#include <span>

namespace {

void CheckProgramForm(const NormalizedDib& dib) {
    if (!dib)
        return;
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.block.get(), sizeof header);
    const bool wellFormed = header.biSize == 40 && header.biCompression == BI_RGB && header.biHeight > 0 &&
                            header.biWidth > 0 && header.biPlanes == 1 &&
                            std::int64_t{DibBitsOffset(&header)} +
                                    DibImageBytes(header.biWidth, header.biHeight, header.biBitCount) ==
                                dib.length &&
                            header.biSizeImage == dib.length - DibBitsOffset(&header);
    if (!wellFormed)
        std::abort();
    // Touch the last byte so that the sanitizer sees a block shorter than its length.
    volatile BYTE last = dib.block[dib.length - 1];
    (void)last;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const BYTE> input(data, size);
    CheckProgramForm(NormalizeBmpFileImage(input));
    if (size >= sizeof(BITMAPFILEHEADER))
        CheckProgramForm(NormalizeExternalDib(input.subspan(sizeof(BITMAPFILEHEADER))));

    // The same bytes as a BMP file image in global memory, as album thumbnails arrive.
    const UniqueGlobal image(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!image)
        return 0;
    if (size > 0)
        std::memcpy(CGlobalLock(image.get()).Bytes(), input.data(), size);
    CPictureInfo picture;
    if (picture.FromBmpHGlobal(image.get(), static_cast<DWORD>(size))) {
        DWORD written = 0;
        const UniqueGlobal copy(picture.ToBmpHGlobal(written));
        if (!copy || written != picture.GetLength() + sizeof(BITMAPFILEHEADER))
            std::abort();
    }
    return 0;
}
