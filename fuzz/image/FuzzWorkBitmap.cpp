// The working picture's take-in of arbitrary packed DIBs (a BMP file's header is skipped): what it
// accepts becomes a 24-bit original that rebuilds.

#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= sizeof(BITMAPFILEHEADER) && data[0] == 'B' && data[1] == 'M') {
        data += sizeof(BITMAPFILEHEADER);
        size -= sizeof(BITMAPFILEHEADER);
    }
    CWorkBitmap work;
    if (!work.SetTo(static_cast<DWORD>(size), data))
        return 0;
    const CPictureInfo* original = work.GetOriginalDib();
    if (!original || !original->Is24Bit() || original->GetHeader()->biCompression != BI_RGB)
        std::abort();
    if (!work.Rebuild(true))
        std::abort();
    return 0;
}
