#pragma once
// The installed printers as CUPS knows them, read through Qt PrintSupport; the device URI, which Qt does
// not report, comes from CUPS itself. With no CUPS daemon running the list is empty.

#include "platform/print/PrinterSystem.h"

class CQtPrinterSystem : public IPrinterSystem {
public:
    std::vector<InstalledPrinter> ListPrinters() override;
    bool GetCapabilities(const CString& printerName, PrinterCapabilities* capabilities) override;
};
