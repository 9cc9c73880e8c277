// A library in Rastrum's place whose Resample always fails, and counts how often it was asked.
#include "rastrum/RastrumExports.h"

#include <atomic>

namespace {
std::atomic<int> g_calls{0};
}

extern "C" __attribute__((visibility("default"))) BITMAPINFOHEADER* Resample(BITMAPINFOHEADER*, DWORD, DWORD,
                                                                             bool) {
    ++g_calls;
    return nullptr;
}

extern "C" __attribute__((visibility("default"))) int ResampleCalls() {
    return g_calls;
}
