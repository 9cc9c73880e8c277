#pragma once
// What a printer context keeps about its printer and page, and its open print job. Private to the
// printing layer: CreateDC attaches it, the print job functions read it.

#include "platform/base/String.h"
#include "platform/gdi/Dc.h"

#include <memory>

class CPrintJob;

struct PrinterPage final : CDeviceExtension {
    PrinterPage();
    ~PrinterPage() override;

    CString device;
    int sheetWidth = 0; // tenths of a millimetre, portrait
    int sheetLength = 0;
    bool landscape = false;
    int dpiX = 0;
    int dpiY = 0;
    int offsetX = 0; // dots from the sheet's corner to the printable area's
    int offsetY = 0;
    int printableWidth = 0; // dots
    int printableHeight = 0;
    SHORT color = 0;                // DMCOLOR_*, handed to a queue with the job
    SHORT duplex = 0;               // DMDUP_*
    std::unique_ptr<CPrintJob> job; // between StartDoc and EndDoc
};

// The page of a context that CreateDC made; null for any other.
PrinterPage* PrinterPageOf(HDC dc);
