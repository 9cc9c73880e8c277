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
