#include "output/PaperNames.h"

#include "platform/print/Spooler.h"

#include <algorithm>
#include <cstring>

std::optional<std::vector<CString>> ReadPaperNames(LPCTSTR device, LPCTSTR port, const DEVMODE* devMode) {
    const int count = DeviceCapabilities(device, port, DC_PAPERNAMES, nullptr, devMode);
    if (count <= 0)
        return std::nullopt;
    std::vector<char> slots(static_cast<size_t>(count) * kPaperNameChars);
    // A driver that lists fewer papers the second time is read only as far as it wrote.
    const int listed = DeviceCapabilities(device, port, DC_PAPERNAMES, slots.data(), devMode);
    if (listed <= 0)
        return std::nullopt;
    std::vector<CString> names;
    for (int i = 0; i < std::min(count, listed); ++i) {
        const char* slot = slots.data() + static_cast<size_t>(i) * kPaperNameChars;
        names.emplace_back(slot, static_cast<int>(strnlen(slot, kPaperNameChars)));
    }
    return names;
}
