#pragma once
// The printer system under the spooler functions (Spooler.h): which printers are installed and what each
// of them can do. The running program uses CUPS through Qt (QtPrinterSystem); tests install a
// CFakePrinterSystem. The program's own code never calls this directly.
//
// User-interface thread only.

#include "platform/base/String.h"
#include "platform/base/WinStructs.h"
#include "platform/base/WinTypes.h"
#include "platform/print/DevMode.h"

#include <vector>

struct PrinterPaper {
    SHORT number = 0; // DMPAPER_*, or DMPAPER_USER and up for a paper without a number of its own
    CString name;     // the name the printer gives it
    SHORT width = 0;  // tenths of a millimetre
    SHORT length = 0;
    RECT margins{}; // the edges it cannot print on, tenths of a millimetre, in portrait
};

struct PrinterCapabilities {
    std::vector<PrinterPaper> papers; // in the printer's order
    SHORT defaultPaper = 0;           // the number of the paper used unless told otherwise
    std::vector<int> resolutions;     // dots per inch, the same both ways
    int defaultResolution = 300;
    SHORT defaultOrientation = DMORIENT_PORTRAIT;
    bool color = true;      // prints in colour, not only black and white
    bool monochrome = true; // prints black and white, on request where it prints colour
    bool duplex = false;    // prints on both sides, turning at the long or the short edge
};

struct InstalledPrinter {
    CString name;   // the queue name
    CString driver; // make and model
    CString port;   // device URI
    BOOL hidden = FALSE;
    BOOL isDefault = FALSE;
};

// The steps of a print job (PrintJob.h) that a printer may refuse.
enum class PrintJobStep { StartDoc, StartPage, EndPage, EndDoc };

class IPrinterSystem {
public:
    virtual ~IPrinterSystem() = default;
    virtual std::vector<InstalledPrinter> ListPrinters() = 0;
    // False when the printer cannot be opened (gone, disabled or out of reach).
    virtual bool GetCapabilities(const CString& printerName, PrinterCapabilities* capabilities) = 0;
    // The error with which the printer refuses the step before it is taken, 0 when it takes it. Real
    // printers fail while the document is delivered (EndDoc) instead.
    virtual DWORD RefuseJobStep(const CString&, PrintJobStep) { return 0; }
};

// The installed printer system, or CUPS.
IPrinterSystem& GetPrinterSystem();
// Puts a printer system (not owned) in place of CUPS; null goes back to CUPS.
void SetPrinterSystem(IPrinterSystem* system);
