#pragma once
// The geometry of printing a page: its size, the off-screen picture the page is painted into at 0.12 mm
// a pixel, and where an object's rectangle lies in that picture and on the printer's sheet. Page units
// are tenths of a millimetre. Rounding adds 0.5 and truncates towards zero.

#include "platform/base/Geometry.h"
#include "platform/base/WinStructs.h"

// v + 0.5 truncated towards zero: -19.5 gives -19.
int RoundForPrint(double value);

// A template's page as printed: orientation 1 takes the stored size as it is, any other value turns it.
CSize PrintPageSize(CSize stored, int orientation);

// The print picture's size: page / 1.2, truncated in normal mode and rounded in edit mode.
CSize PrintDibSize(CSize page, bool editMode);
// A bottom-up 24-bit header for the print picture.
BITMAPINFOHEADER PrintDibHeader(CSize dib);

// The rectangle grown by width x scale / 200 on the left and right and height x scale / 200 at the top
// and bottom, both rounded (negative scales shrink it).
CRect InflateForScale(CRect rect, double scale);

// The picture fitted into area keeping its aspect: sizes truncated, centred by integer halves.
CRect FitPicture(const CRect& area, int pictureWidth, int pictureHeight);

// An object's position in print-picture pixels; fitted when fit is set and the picture has a width.
CRect MapToDib(int pictureWidth, int pictureHeight, CRect position, CSize dib, CSize page, bool fit);

// What MapToPrinter reads of a printer context.
struct PrinterMetrics {
    int offsetX = 0; // PHYSICALOFFSETX/Y: dots from the sheet's corner to the printable area's
    int offsetY = 0;
    int dpiX = 0; // LOGPIXELSX/Y
    int dpiY = 0;
    int printableWidth = 0; // HORZRES/VERTRES
    int printableHeight = 0;
};
class CDC;
PrinterMetrics PrinterMetricsOf(CDC* printerDc);

// The printer's calibration: the mark positions in millimetres that the user measured, 0 = none.
struct PrintCalibration {
    float offsetX = 0.0f;
    float offsetY = 0.0f;
};

// An object's position in printer dots, relative to the printable area. mirrorWidth is the stored page
// size's first value, around which mirror reflects the page; the picture is fitted when fit is set and
// both of its sizes are non-zero.
CRect MapToPrinter(const PrinterMetrics& printer, const PrintCalibration& calibration, bool mirror,
                   int mirrorWidth, double scale, int pictureWidth, int pictureHeight, CRect position,
                   bool fit);
