#pragma once
// What a PDF file shows, read with the real tools (pdfinfo, pdftoppm) in the tools' locale.

#include <QRect>
#include <QSizeF>
#include <string>
#include <vector>

// The size of each page in points, in page order; empty when pdfinfo cannot read the file.
std::vector<QSizeF> PdfPageSizes(const std::string& path);
// The pixels darker than mid-grey on one page (1-based) rendered at dpi, as their bounding box; null
// when there are none or the page cannot be rendered.
QRect PdfDarkBox(const std::string& path, int page, int dpi);

// A page rendered in colour: 0xRRGGBB values, rows from the top.
struct PdfRaster {
    int width = 0;
    int height = 0;
    std::vector<unsigned> pixels;

    unsigned At(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};
// One page (1-based) rendered at dpi; empty when it cannot be rendered.
PdfRaster PdfPageRaster(const std::string& path, int page, int dpi);
