#include "output/PrinterDevMode.h"

#include "platform/print/Spooler.h"

DEVMODE* GetPrinterDevMode(LPCTSTR printerName, LPCTSTR deviceName, DEVMODE*& out) {
    HANDLE printer = nullptr;
    if (!OpenPrinter(printerName, &printer, nullptr))
        return nullptr;
    const LONG bytes = DocumentProperties(nullptr, printer, deviceName, nullptr, nullptr, 0);
    if (bytes <= 0) {
        ClosePrinter(printer);
        return nullptr;
    }
    auto* devMode = reinterpret_cast<DEVMODE*>(new BYTE[static_cast<size_t>(bytes)]());
    out = devMode;
    if (DocumentProperties(nullptr, printer, deviceName, devMode, nullptr, DM_OUT_BUFFER) < 0 ||
        DocumentProperties(nullptr, printer, deviceName, devMode, devMode, DM_IN_BUFFER | DM_OUT_BUFFER) <
            0) {
        delete[] reinterpret_cast<BYTE*>(devMode);
        out = nullptr;
        ClosePrinter(printer);
        return nullptr;
    }
    ClosePrinter(printer);
    return devMode;
}
