// A library in the effects library's place, to see how the rebuild calls it: Negative inverts every
// byte of the rows, Emboss paints every byte with its strength, Wave fails, Mosaic returns a block that
// is no picture; the other exports are missing.
#include "effects/EffectsExports.h"
#include "platform/base/GlobalMemory.h"

#include <cstring>

#define STAND_IN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

DWORD DibBytes(const BITMAPINFOHEADER* dib) {
    return dib->biSize + dib->biSizeImage;
}

// A locked copy of a 24-bit DIB in a new global block.
BITMAPINFOHEADER* LockedCopy(const BITMAPINFOHEADER* source) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, DibBytes(source));
    auto* copy = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
    std::memcpy(copy, source, DibBytes(source));
    return copy;
}

BYTE* Rows(BITMAPINFOHEADER* dib) {
    return reinterpret_cast<BYTE*>(dib) + dib->biSize;
}

} // namespace

STAND_IN_EXPORT BITMAPINFOHEADER* Negative(BITMAPINFOHEADER* source) {
    BITMAPINFOHEADER* result = LockedCopy(source);
    for (DWORD i = 0; i < result->biSizeImage; ++i)
        Rows(result)[i] = static_cast<BYTE>(255 - Rows(result)[i]);
    return result;
}

STAND_IN_EXPORT BITMAPINFOHEADER* Emboss(BITMAPINFOHEADER* source, int strength) {
    BITMAPINFOHEADER* result = LockedCopy(source);
    std::memset(Rows(result), strength, result->biSizeImage);
    return result;
}

STAND_IN_EXPORT BITMAPINFOHEADER* Wave(BITMAPINFOHEADER*, int) {
    return nullptr;
}

STAND_IN_EXPORT BITMAPINFOHEADER* Mosaic(BITMAPINFOHEADER*, int) {
    HGLOBAL block = GlobalAlloc(GHND, 16);
    return static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
}
