#pragma once
// The parts of a page that carry objects, in print-picture pixels (source areas) and in printer dots
// (printer areas). Only their common bounding box is sent to the printer.

#include "output/PrintGeometry.h"

#include <vector>

// One object of the page as the area collectors see it, in list order.
struct PrintObjectArea {
    enum class Kind { Text, Clipart, Picture };
    Kind kind = Kind::Picture;
    CRect position;   // page units
    CSize picture;    // a picture's size in pixels; empty: it has none and covers nothing
    CRect textExtent; // a text's extent in print-picture pixels
};

// Areas that overlap are united until none of the result overlaps another.
std::vector<CRect> MergeAreas(std::vector<CRect> areas);
// The bounding box of the areas, each first grown by InflateForScale; empty when there are none.
CRect UnionOfAreas(const std::vector<CRect>& areas, double scale = 0.0);

std::vector<CRect> CollectDibAreas(const std::vector<PrintObjectArea>& objects, CSize dib, CSize page,
                                   bool fit);

// Where the printer areas are measured: the printer, its calibration and how the page is laid on it.
struct PrinterPlacement {
    PrinterMetrics printer;
    PrintCalibration calibration;
    bool mirror = false;
    int mirrorWidth = 0; // the stored page size's first value
    double scale = 0.0;
};
std::vector<CRect> CollectPrinterAreas(const std::vector<PrintObjectArea>& objects,
                                       const PrinterPlacement& placement, CSize page, bool fit);
