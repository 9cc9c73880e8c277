#include "platform/print/PrinterSystem.h"

#include "platform/print/QtPrinterSystem.h"

namespace {

IPrinterSystem* g_installed = nullptr;

} // namespace

IPrinterSystem& GetPrinterSystem() {
    if (g_installed)
        return *g_installed;
    static CQtPrinterSystem cups;
    return cups;
}

void SetPrinterSystem(IPrinterSystem* system) {
    g_installed = system;
}
