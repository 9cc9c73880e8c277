// A library in Rastrum's place whose PageCurl keeps the settings record it was given and returns the
// picture unchanged, to see what the rebuild passes.
#include "platform/base/GlobalMemory.h"
#include "rastrum/RastrumExports.h"

#include <cstring>

#define STAND_IN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
BYTE g_lastSettings[sizeof(CurlSettings)];
}

STAND_IN_EXPORT BITMAPINFOHEADER* PageCurl(BITMAPINFOHEADER* source, CurlSettings* settings) {
    std::memcpy(g_lastSettings, settings, sizeof g_lastSettings);
    const DWORD bytes = source->biSize + source->biSizeImage;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    auto* copy = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
    std::memcpy(copy, source, bytes);
    return copy;
}

STAND_IN_EXPORT void LastCurlSettings(BYTE* out) {
    std::memcpy(out, g_lastSettings, sizeof g_lastSettings);
}
