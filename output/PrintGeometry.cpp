#include "output/PrintGeometry.h"

#include "platform/gdi/Dc.h"

#include <algorithm>

namespace {

// Offsets a calibration moves the printable corner by: (mark - 100 mm) in dots, rounded, plus 2. The
// constant is the one stored calibrations were measured with, not the mark's nominal 50 mm.
int CalibratedOffset(int offset, float mark, float dotsPerMillimetre) {
    if (mark == 0.0f)
        return offset;
    return offset + RoundForPrint((static_cast<double>(mark) - 100.0) * dotsPerMillimetre) + 2;
}

} // namespace

int RoundForPrint(double value) {
    return static_cast<int>(value + 0.5);
}

CSize PrintPageSize(CSize stored, int orientation) {
    return orientation == 1 ? stored : CSize(stored.cy, stored.cx);
}

CSize PrintDibSize(CSize page, bool editMode) {
    const double width = page.cx / 1.2, height = page.cy / 1.2;
    if (editMode)
        return CSize(RoundForPrint(width), RoundForPrint(height));
    return CSize(static_cast<int>(width), static_cast<int>(height));
}

BITMAPINFOHEADER PrintDibHeader(CSize dib) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = dib.cx;
    header.biHeight = dib.cy;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(dib.cx) * 3 + 3) & ~3u;
    header.biSizeImage = stride * static_cast<DWORD>(dib.cy);
    return header;
}

CRect InflateForScale(CRect rect, double scale) {
    rect.InflateRect(RoundForPrint(rect.Width() * scale / 200.0),
                     RoundForPrint(rect.Height() * scale / 200.0));
    return rect;
}

CRect FitPicture(const CRect& area, int pictureWidth, int pictureHeight) {
    const float f = std::min(static_cast<float>(area.Width()) / static_cast<float>(pictureWidth),
                             static_cast<float>(area.Height()) / static_cast<float>(pictureHeight));
    const int width = static_cast<int>(static_cast<float>(pictureWidth) * f);
    const int height = static_cast<int>(static_cast<float>(pictureHeight) * f);
    CRect fitted = area;
    fitted.top += (area.Height() - height) / 2;
    fitted.bottom = fitted.top + height;
    fitted.left += (area.Width() - width) / 2;
    fitted.right = fitted.left + width;
    fitted.NormalizeRect();
    return fitted;
}

CRect MapToDib(int pictureWidth, int pictureHeight, CRect position, CSize dib, CSize page, bool fit) {
    const float s = std::min(static_cast<float>(dib.cx) / static_cast<float>(page.cx),
                             static_cast<float>(dib.cy) / static_cast<float>(page.cy));
    const auto scaled = [s](LONG v) { return static_cast<LONG>(static_cast<float>(v) * s); };
    CRect area(scaled(position.left), scaled(position.top), scaled(position.right), scaled(position.bottom));
    area.NormalizeRect();
    if (fit && pictureWidth != 0 && pictureHeight != 0)
        return FitPicture(area, pictureWidth, pictureHeight);
    return area;
}

PrinterMetrics PrinterMetricsOf(CDC* printerDc) {
    PrinterMetrics metrics;
    metrics.offsetX = printerDc->GetDeviceCaps(PHYSICALOFFSETX);
    metrics.offsetY = printerDc->GetDeviceCaps(PHYSICALOFFSETY);
    metrics.dpiX = printerDc->GetDeviceCaps(LOGPIXELSX);
    metrics.dpiY = printerDc->GetDeviceCaps(LOGPIXELSY);
    metrics.printableWidth = printerDc->GetDeviceCaps(HORZRES);
    metrics.printableHeight = printerDc->GetDeviceCaps(VERTRES);
    return metrics;
}

CRect MapToPrinter(const PrinterMetrics& printer, const PrintCalibration& calibration, bool mirror,
                   int mirrorWidth, double scale, int pictureWidth, int pictureHeight, CRect position,
                   bool fit) {
    const float px = static_cast<float>(printer.dpiX) / 25.4f, py = static_cast<float>(printer.dpiY) / 25.4f;
    const int offsetX = CalibratedOffset(printer.offsetX, calibration.offsetX, px);
    const int offsetY = CalibratedOffset(printer.offsetY, calibration.offsetY, py);
    if (scale != 0.0)
        position = InflateForScale(position, scale);
    if (mirror) {
        position.left = mirrorWidth - position.left;
        position.right = mirrorWidth - position.right;
    }
    CRect area(RoundForPrint(position.left * 0.1 * px), RoundForPrint(position.top * 0.1 * py),
               RoundForPrint(position.right * 0.1 * px), RoundForPrint(position.bottom * 0.1 * py));
    area.NormalizeRect();
    // An object starting in the unprintable margin lands on the printable edge and keeps its size.
    area.OffsetRect(-std::min<LONG>(area.left, offsetX), -std::min<LONG>(area.top, offsetY));
    area.right = std::min<LONG>(area.right, printer.printableWidth);
    area.bottom = std::min<LONG>(area.bottom, printer.printableHeight);
    if (fit && pictureWidth != 0 && pictureHeight != 0)
        area = FitPicture(area, pictureWidth, pictureHeight);
    area.NormalizeRect();
    return area;
}
