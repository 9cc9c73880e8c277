// Stored printer records as the profile may hand them over: a device mode (with its driver data) and a
// device names block. The first byte picks which; the rest is the record.

#include "output/PrintersManager.h"
#include "platform/base/GlobalMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PrintDialog.h"
#include "platform/print/PrinterDc.h"

#include <cstring>
#include <vector>

namespace {

void UseDevMode(const BYTE* data, size_t size) {
    if (!IsValidDevMode(data, size))
        return;
    std::vector<BYTE> record(data, data + size);
    const auto* stored = reinterpret_cast<const DEVMODE*>(record.data());
    HANDLE printer = nullptr;
    if (!OpenPrinter("Fuzz", &printer, nullptr))
        return;
    DEVMODE own{};
    DocumentProperties(nullptr, printer, "Fuzz", &own, stored, DM_IN_BUFFER | DM_OUT_BUFFER);
    ClosePrinter(printer);
    CopyDevModeOver(&own, stored, size);
    if (HDC dc = CreateDC("", "Fuzz", "", &own))
        DeleteDC(dc);
}

void UseDevNames(const BYTE* data, size_t size) {
    CPrintDialog dialog(TRUE, 0, nullptr);
    dialog.m_pd.hDevNames = GlobalAlloc(GHND, size);
    if (!dialog.m_pd.hDevNames)
        return;
    if (size > 0) {
        CGlobalLock lock(dialog.m_pd.hDevNames);
        std::memcpy(lock.Bytes(), data, size);
    }
    (void)dialog.GetDriverName();
    (void)dialog.GetPortName();
    if (HDC dc = dialog.CreatePrinterDC())
        DeleteDC(dc);
    GlobalFree(dialog.m_pd.hDevNames);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CFakePrinterSystem* printers = [] {
        auto* fake = new CFakePrinterSystem;
        fake->Add("Fuzz").capabilities.papers[0].margins = RECT{40, 50, 40, 100};
        return fake;
    }();
    (void)printers;
    if (size == 0)
        return 0;
    if (data[0] & 1)
        UseDevNames(data + 1, size - 1);
    else
        UseDevMode(data + 1, size - 1);
    return 0;
}
