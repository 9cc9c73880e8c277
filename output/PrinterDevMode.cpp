#include "output/PrinterDevMode.h"

#include "platform/print/Spooler.h"

std::unique_ptr<BYTE[]> FetchPrinterDevMode(LPCTSTR printerName, LPCTSTR deviceName) {
    HANDLE printer = nullptr;
    if (!printerName || !OpenPrinter(printerName, &printer, nullptr))
        return nullptr;
    std::unique_ptr<BYTE[]> block;
    const LONG bytes = DocumentProperties(nullptr, printer, deviceName, nullptr, nullptr, 0);
    if (bytes > 0) {
        block = std::make_unique<BYTE[]>(static_cast<size_t>(bytes));
        auto* devMode = reinterpret_cast<DEVMODE*>(block.get());
        if (DocumentProperties(nullptr, printer, deviceName, devMode, nullptr, DM_OUT_BUFFER) < 0 ||
            DocumentProperties(nullptr, printer, deviceName, devMode, devMode, DM_IN_BUFFER | DM_OUT_BUFFER) <
                0)
            block.reset();
    }
    ClosePrinter(printer);
    return block;
}

DEVMODE* GetPrinterDevMode(LPCTSTR printerName, LPCTSTR deviceName, DEVMODE*& out) {
    std::unique_ptr<BYTE[]> block = FetchPrinterDevMode(printerName, deviceName);
    if (!block)
        return nullptr;
    out = reinterpret_cast<DEVMODE*>(block.release());
    return out;
}
