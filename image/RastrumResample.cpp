#include "image/RastrumResample.h"

#include "platform/base/AppServices.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"

#include <mutex>
#include <utility>

namespace {

std::mutex g_linkLock;
HMODULE g_linkedModule = nullptr;
ResampleFunction g_resample = nullptr;

} // namespace

RastrumLink FindRastrumResample() {
    const HMODULE module = AppServices().GetRastrumModule();
    if (module == nullptr)
        return {};
    std::lock_guard lock(g_linkLock);
    if (module != g_linkedModule || g_resample == nullptr) {
        g_linkedModule = module;
        g_resample = reinterpret_cast<ResampleFunction>(GetProcAddress(module, kResampleExportName));
    }
    return {true, g_resample};
}

CResampledDib::~CResampledDib() {
    if (m_dib == nullptr)
        return;
    HGLOBAL block = GlobalHandle(m_dib);
    GlobalUnlock(block);
    GlobalFree(block);
}

CResampledDib& CResampledDib::operator=(CResampledDib&& other) noexcept {
    std::swap(m_dib, other.m_dib);
    return *this;
}

CResampledDib ResampleThrough(const RastrumLink& link, const BITMAPINFOHEADER* source, int width,
                              int height) {
    if (link.resample == nullptr || source == nullptr || width <= 0 || height <= 0)
        return {};
    // The export takes a writable pointer by its old signature; it does not write through it.
    return CResampledDib(link.resample(const_cast<BITMAPINFOHEADER*>(source), static_cast<DWORD>(width),
                                       static_cast<DWORD>(height), false));
}
