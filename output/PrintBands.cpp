#include "output/PrintBands.h"

#include "output/PrintGeometry.h"
#include "platform/gdi/Dc.h"

#include <algorithm>

std::vector<PrintBand> PrintBandsOf(const CRect& dest, const CRect& source, int dibHeight, CSize bandSize) {
    std::vector<PrintBand> bands;
    if (dest.IsRectEmpty() || source.IsRectEmpty())
        return bands;
    const int bandWidth = bandSize.cx > 0 ? bandSize.cx : dest.Width();
    const int bandHeight = bandSize.cy > 0 ? bandSize.cy : dest.Height();
    const int rows = (dest.Height() + bandHeight - 1) / bandHeight;
    const int columns = (dest.Width() + bandWidth - 1) / bandWidth;
    int y = dest.top;
    double sourceTop = source.top;
    for (int row = 0; row < rows; ++row) {
        const int h = std::min(bandHeight, dest.Height() - row * bandHeight);
        const double hs = static_cast<double>(source.Height()) * h / dest.Height();
        int x = dest.left, xs = source.left;
        for (int column = 0; column < columns; ++column) {
            const int w = std::min(bandWidth, dest.Width() - column * bandWidth);
            const int ws = RoundForPrint(static_cast<double>(source.Width()) * w / dest.Width());
            bands.push_back(PrintBand{CRect(x, y, x + w, y + h), xs,
                                      dibHeight - RoundForPrint(sourceTop + hs), ws, RoundForPrint(hs)});
            x += w;
            xs += ws;
        }
        y += h;
        sourceTop += hs;
    }
    return bands;
}

int PrintDibInBands(CDC* printerDc, const CRect& dest, const void* bits, const BITMAPINFO* info,
                    const CRect& source, DWORD rop, CSize bandSize, const std::function<void(int)>& begin,
                    const std::function<void()>& step) {
    const std::vector<PrintBand> bands = PrintBandsOf(dest, source, info->bmiHeader.biHeight, bandSize);
    if (begin)
        begin(static_cast<int>(bands.size()));
    int printed = 0;
    for (const PrintBand& band : bands) {
        const int lines = StretchDIBits(printerDc->GetSafeHdc(), band.dest.left, band.dest.top,
                                        band.dest.Width(), band.dest.Height(), band.xs, band.ys, band.ws,
                                        band.hs, bits, info, DIB_RGB_COLORS, rop);
        if (lines != GDI_ERROR)
            printed += lines;
        if (step)
            step();
    }
    return printed;
}
