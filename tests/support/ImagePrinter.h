#pragma once
// A printer context that draws into a picture of its whole sheet, the way a page of a print job draws onto
// paper: its origin lies at the printable area's corner, PHYSICALOFFSETX/Y dots from the sheet's. The
// printer is a fake one at 300 dpi with one paper, installed while the object lives.

#include "platform/gdi/Dc.h"
#include "platform/print/FakePrinterSystem.h"

#include <QImage>
#include <QPainter>

class ImagePrinter {
public:
    // A sheet of the size (tenths of a millimetre) that the printer cannot reach within margin of any edge.
    ImagePrinter(CSize sheet, int margin);
    ~ImagePrinter();
    ImagePrinter(const ImagePrinter&) = delete;
    ImagePrinter& operator=(const ImagePrinter&) = delete;

    // Null when the context could not be made.
    CDC* Dc() const { return m_dc ? CDC::FromHandle(m_dc) : nullptr; }
    // A blank sheet again.
    void Clear();
    // The sheet's colour at a point measured from its corner in millimetres.
    QRgb At(double x, double y) const;
    // Dots of the sheet from millimetres, rounded.
    static int Dots(double millimetres);
    const QImage& Sheet() const { return m_sheet; }

private:
    CFakePrinterSystem m_printers;
    HDC m_dc = nullptr;
    QImage m_sheet;
    QPainter m_painter;
};
