// Reads every page of the first scanner's document feeder in colour at 300 dpi through the source
// manager, without its panel: scan_bench. SANE_CONFIG_DIR names the scanner configuration.
// Prints seconds= from opening the manager to the last page, and pages=.

#include "platform/base/GlobalMemory.h"
#include "platform/scan/ScanSettings.h"
#include "platform/scan/SourceManager.h"

#include <chrono>
#include <cstdio>

int main() {
    TW_IDENTITY application;
    TW_IDENTITY source;
    auto manager = [&](TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data) {
        return DSM_Entry(&application, nullptr, DG_CONTROL, argument, message, data);
    };
    auto call = [&](TW_UINT32 group, TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data) {
        return DSM_Entry(&application, &source, group, argument, message, data);
    };
    const auto start = std::chrono::steady_clock::now();
    if (manager(DAT_PARENT, MSG_OPENDSM, nullptr) != TWRC_SUCCESS ||
        manager(DAT_IDENTITY, MSG_OPENDS, &source) != TWRC_SUCCESS)
        return 1;
    SetScanSettings(source.ProductName, {ScanSettings::Mode::kColor, 300, "Automatic Document Feeder", {}});
    TW_USERINTERFACE ui{FALSE, FALSE, nullptr};
    if (call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS)
        return 1;
    const auto enabled = std::chrono::steady_clock::now();
    int pages = 0;
    for (;;) {
        HANDLE dib = nullptr;
        const TW_UINT16 result = call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib);
        TW_PENDINGXFERS pending;
        call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
        if (result != TWRC_XFERDONE)
            break;
        GlobalFree(static_cast<HGLOBAL>(dib));
        ++pages;
    }
    call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, nullptr);
    manager(DAT_IDENTITY, MSG_CLOSEDS, &source);
    manager(DAT_PARENT, MSG_CLOSEDSM, nullptr);
    const auto end = std::chrono::steady_clock::now();
    const std::chrono::duration<double> elapsed = end - start;
    const std::chrono::duration<double> scanning = end - enabled;
    std::printf("seconds=%.6f\nscanning=%.6f\npages=%d\n", elapsed.count(), scanning.count(), pages);
    return pages > 0 ? 0 : 1;
}
