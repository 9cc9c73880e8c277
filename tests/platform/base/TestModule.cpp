// Exports of the test module: global memory made and freed by a module's own copy of the base layer.

#include "platform/base/GlobalMemory.h"

#include <cstring>

#define TEST_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

// A new movable block of size bytes, each set to fill, returned locked as the effect exports do.
TEST_MODULE_EXPORT void* AllocateLockedBlock(SIZE_T size, BYTE fill) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    void* data = GlobalLock(block);
    if (data) {
        std::memset(data, fill, size);
    }
    return data;
}

// GlobalFree's answer for a block that the caller made.
TEST_MODULE_EXPORT HGLOBAL FreeBlock(HGLOBAL block) {
    return GlobalFree(block);
}
