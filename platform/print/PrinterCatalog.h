#pragma once
// What the spooler functions share: the printer system's printers with the built-in PDF printer, and
// device modes made from a printer's capabilities. Private to platform/print.

#include "platform/print/PrinterSystem.h"

#include <vector>

// The installed printers in the system's order, then the built-in PDF printer.
std::vector<InstalledPrinter> ListAllPrinters();
// What the printer of exactly that name can do; false when it cannot be opened.
bool GetPrinterCapabilities(const CString& name, PrinterCapabilities* capabilities);
// The printer of exactly that name with its capabilities; false when there is none or it cannot be opened.
bool OpenPrinterRecord(const CString& name, InstalledPrinter* printer, PrinterCapabilities* capabilities);
// The system's default printer (the first one marked default that is not hidden), else the PDF printer.
CString DefaultPrinterName();

// The printer's own settings.
DEVMODE DefaultDevMode(const CString& printerName, const PrinterCapabilities& capabilities);
// Takes over every setting of input that its fields name and that the printer can have; the rest stays.
void MergeDevMode(DEVMODE* target, const DEVMODE& input, const PrinterCapabilities& capabilities);
// The printer's paper of that number, or null.
const PrinterPaper* FindPrinterPaper(const PrinterCapabilities& capabilities, SHORT number);
