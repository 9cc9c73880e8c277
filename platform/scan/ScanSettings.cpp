#include "platform/scan/ScanSettings.h"

#include <map>
#include <mutex>

namespace {

std::mutex g_lock;
std::map<CString, ScanSettings> g_settings;

} // namespace

ScanSettings GetScanSettings(const CString& sourceName) {
    std::lock_guard guard(g_lock);
    const auto found = g_settings.find(sourceName);
    return found == g_settings.end() ? ScanSettings() : found->second;
}

void SetScanSettings(const CString& sourceName, const ScanSettings& settings) {
    std::lock_guard guard(g_lock);
    g_settings[sourceName] = settings;
}
