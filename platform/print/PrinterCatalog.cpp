#include "platform/print/PrinterCatalog.h"

#include "platform/print/PaperSizes.h"
#include "platform/print/Spooler.h"

#include <QSizeF>
#include <algorithm>
#include <cmath>

namespace {

InstalledPrinter BuiltInPdfPrinter() {
    return InstalledPrinter{.name = kBuiltInPdfPrinterName, .driver = kBuiltInPdfPrinterName, .port = "pdf:"};
}

// A PDF page has no unprintable edge; 300 dpi keeps a banded A4 page within memory.
PrinterCapabilities BuiltInPdfCapabilities() {
    PrinterCapabilities capabilities;
    for (SHORT number : {DMPAPER_A4, DMPAPER_A3, DMPAPER_A5, DMPAPER_A6, DMPAPER_LETTER, DMPAPER_LEGAL}) {
        const PaperSizeEntry entry = *FindPaperByNumber(number);
        capabilities.papers.push_back(
            PrinterPaper{.number = number,
                         .name = CString(QPageSize::name(entry.pageSize).toStdString()),
                         .width = entry.width,
                         .length = entry.length});
    }
    capabilities.defaultPaper = DMPAPER_A4;
    capabilities.resolutions = {150, 300, 600};
    capabilities.defaultResolution = 300;
    // The PDF writer has no grey mode: a file keeps the page's colours.
    capabilities.monochrome = false;
    return capabilities;
}

bool Offers(const PrinterCapabilities& capabilities, SHORT dpi) {
    return std::find(capabilities.resolutions.begin(), capabilities.resolutions.end(), dpi) !=
           capabilities.resolutions.end();
}

bool IsPaperSide(SHORT side) {
    return side > 0 && side <= kMaxPaperSide;
}

void MergePaper(DEVMODE* target, const DEVMODE& input, const PrinterCapabilities& capabilities) {
    const bool customSize = (input.dmFields & DM_PAPERWIDTH) && (input.dmFields & DM_PAPERLENGTH) &&
                            IsPaperSide(input.dmPaperWidth) && IsPaperSide(input.dmPaperLength);
    if (customSize) {
        target->dmPaperWidth = input.dmPaperWidth;
        target->dmPaperLength = input.dmPaperLength;
        target->dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
        target->dmPaperSize = 0;
        target->dmFields &= ~DM_PAPERSIZE;
    }
    if ((input.dmFields & DM_PAPERSIZE) && FindPrinterPaper(capabilities, input.dmPaperSize)) {
        target->dmPaperSize = input.dmPaperSize;
        target->dmFields |= DM_PAPERSIZE;
        if (!customSize) {
            target->dmPaperWidth = 0;
            target->dmPaperLength = 0;
            target->dmFields &= ~(DM_PAPERWIDTH | DM_PAPERLENGTH);
        }
    }
}

} // namespace

std::vector<InstalledPrinter> ListAllPrinters() {
    std::vector<InstalledPrinter> printers = GetPrinterSystem().ListPrinters();
    // The built-in printer's name stays unique, so that one name never stands for two printers.
    std::erase_if(printers,
                  [](const InstalledPrinter& printer) { return printer.name == kBuiltInPdfPrinterName; });
    printers.push_back(BuiltInPdfPrinter());
    return printers;
}

bool GetPrinterCapabilities(const CString& name, PrinterCapabilities* capabilities) {
    if (name != kBuiltInPdfPrinterName)
        return GetPrinterSystem().GetCapabilities(name, capabilities);
    *capabilities = BuiltInPdfCapabilities();
    return true;
}

bool OpenPrinterRecord(const CString& name, InstalledPrinter* printer, PrinterCapabilities* capabilities) {
    for (const InstalledPrinter& candidate : ListAllPrinters()) {
        if (candidate.name == name) {
            *printer = candidate;
            return GetPrinterCapabilities(name, capabilities);
        }
    }
    return false;
}

CString DefaultPrinterName() {
    for (const InstalledPrinter& printer : GetPrinterSystem().ListPrinters()) {
        if (printer.isDefault && !printer.hidden)
            return printer.name;
    }
    return kBuiltInPdfPrinterName;
}

DEVMODE DefaultDevMode(const CString& printerName, const PrinterCapabilities& capabilities) {
    DEVMODE devMode{};
    SetDeviceName(&devMode, printerName);
    devMode.dmSpecVersion = DM_SPECVERSION;
    devMode.dmSize = sizeof(DEVMODE);
    devMode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_SCALE | DM_COPIES | DM_PRINTQUALITY |
                       DM_YRESOLUTION | DM_COLOR | DM_COLLATE;
    devMode.dmOrientation = capabilities.defaultOrientation;
    devMode.dmPaperSize = capabilities.defaultPaper;
    devMode.dmScale = 100;
    devMode.dmCopies = 1;
    const SHORT dpi = static_cast<SHORT>(std::clamp(capabilities.defaultResolution, 1, int{kMaxPrinterDpi}));
    devMode.dmPrintQuality = dpi;
    devMode.dmYResolution = dpi;
    devMode.dmColor = capabilities.color ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME;
    return devMode;
}

void MergeDevMode(DEVMODE* target, const DEVMODE& input, const PrinterCapabilities& capabilities) {
    const auto take = [&](DWORD field, SHORT DEVMODE::*setting, bool possible) {
        if (!(input.dmFields & field) || !possible)
            return;
        target->*setting = input.*setting;
        target->dmFields |= field;
    };
    take(DM_ORIENTATION, &DEVMODE::dmOrientation,
         input.dmOrientation == DMORIENT_PORTRAIT || input.dmOrientation == DMORIENT_LANDSCAPE);
    MergePaper(target, input, capabilities);
    take(DM_SCALE, &DEVMODE::dmScale, input.dmScale > 0);
    take(DM_COPIES, &DEVMODE::dmCopies, input.dmCopies > 0);
    take(DM_PRINTQUALITY, &DEVMODE::dmPrintQuality, Offers(capabilities, input.dmPrintQuality));
    take(DM_YRESOLUTION, &DEVMODE::dmYResolution, Offers(capabilities, input.dmYResolution));
    take(DM_COLOR, &DEVMODE::dmColor,
         (input.dmColor == DMCOLOR_MONOCHROME && capabilities.monochrome) ||
             (input.dmColor == DMCOLOR_COLOR && capabilities.color));
    take(DM_DUPLEX, &DEVMODE::dmDuplex,
         input.dmDuplex == DMDUP_SIMPLEX || (capabilities.duplex && (input.dmDuplex == DMDUP_VERTICAL ||
                                                                     input.dmDuplex == DMDUP_HORIZONTAL)));
    take(DM_COLLATE, &DEVMODE::dmCollate, input.dmCollate == 0 || input.dmCollate == 1);
    take(DM_DEFAULTSOURCE, &DEVMODE::dmDefaultSource, true);
}

const PrinterPaper* FindPrinterPaper(const PrinterCapabilities& capabilities, SHORT number) {
    for (const PrinterPaper& paper : capabilities.papers) {
        if (paper.number == number)
            return &paper;
    }
    return nullptr;
}
