#include "platform/print/FakePrinterSystem.h"

#include "platform/print/PaperSizes.h"

#include <stdexcept>

CFakePrinterSystem::CFakePrinterSystem() {
    SetPrinterSystem(this);
}

CFakePrinterSystem::~CFakePrinterSystem() {
    SetPrinterSystem(nullptr);
}

CFakePrinterSystem::Printer& CFakePrinterSystem::Add(const CString& name, const CString& driver,
                                                     const CString& port) {
    Printer printer;
    printer.info = InstalledPrinter{.name = name, .driver = driver, .port = port};
    const RECT margins{40, 40, 40, 40};
    printer.capabilities.papers = {
        PrinterPaper{.number = DMPAPER_A4, .name = "A4", .width = 2100, .length = 2970, .margins = margins},
        PrinterPaper{
            .number = DMPAPER_LETTER, .name = "Letter", .width = 2159, .length = 2794, .margins = margins},
    };
    printer.capabilities.defaultPaper = DMPAPER_A4;
    printer.capabilities.resolutions = {300, 600};
    printer.capabilities.defaultResolution = 300;
    printers.push_back(printer);
    return printers.back();
}

CFakePrinterSystem::Printer& CFakePrinterSystem::Get(const CString& name) {
    for (Printer& printer : printers) {
        if (printer.info.name == name)
            return printer;
    }
    throw std::logic_error("no such fake printer");
}

std::vector<InstalledPrinter> CFakePrinterSystem::ListPrinters() {
    std::vector<InstalledPrinter> list;
    for (const Printer& printer : printers)
        list.push_back(printer.info);
    return list;
}

bool CFakePrinterSystem::GetCapabilities(const CString& printerName, PrinterCapabilities* capabilities) {
    for (Printer& printer : printers) {
        if (printer.info.name != printerName || !printer.opens || printer.answersLeft == 0)
            continue;
        if (printer.answersLeft > 0)
            --printer.answersLeft;
        *capabilities = printer.capabilities;
        return true;
    }
    return false;
}

DWORD CFakePrinterSystem::RefuseJobStep(const CString& printerName, PrintJobStep step) {
    for (const Printer& printer : printers) {
        if (printer.info.name != printerName)
            continue;
        const auto refusal = printer.refusals.find(step);
        return refusal == printer.refusals.end() ? 0 : refusal->second;
    }
    return 0;
}
