#include "tests/support/ImagePrinter.h"

#include "platform/print/PaperSizes.h"
#include "platform/print/PrinterDc.h"

#include <cmath>

namespace {

constexpr char kPrinter[] = "Bilddrucker";
constexpr int kDpi = 300;

} // namespace

ImagePrinter::ImagePrinter(CSize sheet, int margin) {
    CFakePrinterSystem::Printer& printer = m_printers.Add(kPrinter);
    printer.capabilities.papers = {PrinterPaper{.number = DMPAPER_USER,
                                                .name = "Blatt",
                                                .width = static_cast<SHORT>(sheet.cx),
                                                .length = static_cast<SHORT>(sheet.cy),
                                                .margins = RECT{margin, margin, margin, margin}}};
    printer.capabilities.defaultPaper = DMPAPER_USER;
    printer.capabilities.resolutions = {kDpi};
    printer.capabilities.defaultResolution = kDpi;
    m_dc = CreateDC("", kPrinter, "", nullptr);
    if (!m_dc)
        return;
    m_sheet =
        QImage(GetDeviceCaps(m_dc, PHYSICALWIDTH), GetDeviceCaps(m_dc, PHYSICALHEIGHT), QImage::Format_RGB32);
    m_sheet.fill(Qt::white);
    m_painter.begin(&m_sheet);
    m_painter.translate(GetDeviceCaps(m_dc, PHYSICALOFFSETX), GetDeviceCaps(m_dc, PHYSICALOFFSETY));
    RetargetToPainter(m_dc, &m_painter, GetDeviceCaps(m_dc, HORZRES), GetDeviceCaps(m_dc, VERTRES));
}

ImagePrinter::~ImagePrinter() {
    if (!m_dc)
        return;
    RetargetToPainter(m_dc, nullptr, 0, 0);
    m_painter.end();
    DeleteDC(m_dc);
}

void ImagePrinter::Clear() {
    m_painter.save();
    m_painter.resetTransform();
    m_painter.setClipping(false);
    m_painter.fillRect(m_sheet.rect(), Qt::white);
    m_painter.restore();
}

QRgb ImagePrinter::At(double x, double y) const {
    return m_sheet.pixel(Dots(x), Dots(y));
}

int ImagePrinter::Dots(double millimetres) {
    return static_cast<int>(std::lround(millimetres * kDpi / 25.4));
}
