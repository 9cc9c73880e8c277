#pragma once
// Printing one page onto a printer context inside a page of a print job: the page is painted into a
// picture at 0.12 mm a pixel, and the part of it that carries objects is stretched onto the sheet where
// those objects lie, in bands.

#include "output/PrintAreas.h"
#include "output/PrintObjectRenderer.h"

// How the page is laid on the sheet, besides what PrintPageSources names.
struct PrintPageOptions {
    bool editMode = false;
    PrintCalibration calibration;
    bool mirror = false; // reflected left to right
    float scale = 0.0f;  // percent every object grows by, half on each side
    CSize bandSize;      // empty: one band covers the destination
};

// The page's objects as the area collectors see them; text extents measured on dc at scale s.
std::vector<PrintObjectArea> PrintObjectAreasOf(const PrintPageSources& sources, bool editMode, CDC* dc,
                                                float s);

// FALSE when the page failed: no page, a picture that cannot be made or painted (edit mode), or nothing
// copied to the printer. A page without objects, or normal mode without a picture, counts as printed.
BOOL PrintPage(CDC* printerDc, const PrintPageSources& sources, const PrintPageOptions& options,
               IPrintProgress* progress);
