#pragma once
// A printer system that tests fill with the printers they need. Installed for the life of the object.

#include "platform/print/PrinterSystem.h"

#include <map>

class CFakePrinterSystem : public IPrinterSystem {
public:
    struct Printer {
        InstalledPrinter info;
        PrinterCapabilities capabilities;
        bool opens = true;    // false: listed, but cannot be opened
        int answersLeft = -1; // capability questions answered before the printer goes away; -1: all
        std::map<PrintJobStep, DWORD> refusals; // steps of a print job refused, with their errors
    };

    CFakePrinterSystem();
    ~CFakePrinterSystem() override;
    CFakePrinterSystem(const CFakePrinterSystem&) = delete;
    CFakePrinterSystem& operator=(const CFakePrinterSystem&) = delete;

    // A colour printer for one side with A4 (the default, 4 mm margins) and Letter at 300 and 600 dpi, 300
    // by default.
    Printer& Add(const CString& name, const CString& driver = "Fake Driver", const CString& port = "fake:/");
    // The printer of that name; it must have been added.
    Printer& Get(const CString& name);

    std::vector<InstalledPrinter> ListPrinters() override;
    bool GetCapabilities(const CString& printerName, PrinterCapabilities* capabilities) override;
    DWORD RefuseJobStep(const CString& printerName, PrintJobStep step) override;

    std::vector<Printer> printers;
};
