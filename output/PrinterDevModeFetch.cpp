#include "output/PrinterDevModeFetch.h"

#include "platform/print/Spooler.h"

std::unique_ptr<BYTE[]> FetchPrinterDevMode(LPCTSTR printerName, LPCTSTR deviceName) {
    HANDLE handle = nullptr;
    if (!printerName || !OpenPrinter(printerName, &handle, nullptr))
        return nullptr;
    std::unique_ptr<BYTE[]> block;
    const LONG bytes = DocumentProperties(nullptr, handle, deviceName, nullptr, nullptr, 0);
    if (bytes > 0) {
        block = std::make_unique<BYTE[]>(static_cast<size_t>(bytes));
        auto* devMode = reinterpret_cast<DEVMODE*>(block.get());
        DocumentProperties(nullptr, handle, deviceName, devMode, nullptr, DM_OUT_BUFFER);
        DocumentProperties(nullptr, handle, deviceName, devMode, devMode, DM_IN_BUFFER | DM_OUT_BUFFER);
    }
    ClosePrinter(handle);
    return block;
}
