// The mail preview's tool bar strip, drawn without smoothing so that every pixel is either art or exactly
// the mask colour.

#include "tools/skingen/MailPreviewToolBarArt.h"

#include "tools/skingen/ResManagerToolBarArt.h"

#include <QPainter>
#include <QPolygon>

namespace SkinGen {

QImage MailPreviewToolBarStrip() {
    constexpr int kSide = 16;
    QImage strip(kSide, kSide, QImage::Format_RGB32);
    strip.fill(kToolBarStripMask);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A sheet with an arrow pointing right over its lower half.
    painter.setPen(QColor(0x30, 0x30, 0x38));
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF));
    painter.drawRect(1, 1, 9, 12);
    painter.setBrush(QColor(0x20, 0x58, 0xB8));
    painter.drawPolygon(QPolygon({QPoint(6, 8), QPoint(10, 8), QPoint(10, 5), QPoint(15, 10), QPoint(10, 15),
                                  QPoint(10, 12), QPoint(6, 12)}));
    return strip;
}

} // namespace SkinGen
