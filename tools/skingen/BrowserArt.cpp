// The file browser's tree strip. The strip is drawn without smoothing, so that every
// pixel is either art or exactly the mask colour.

#include "tools/skingen/BrowserArt.h"

#include <QPainter>
#include <array>

namespace SkinGen {

namespace {

// A hand under the lower left corner: the item is shared.
void PaintShareOverlay(QPainter& painter) {
    painter.setPen(QColor(0x40, 0x30, 0x20));
    painter.setBrush(QColor(0xF0, 0xC8, 0x90));
    painter.drawRect(0, 11, 7, 3);
    painter.drawRect(5, 9, 2, 2);
    painter.setBrush(QColor(0x30, 0x60, 0xC0));
    painter.drawRect(0, 14, 7, 1);
}

// A bent arrow in a white box in the lower left corner: the item is a link.
void PaintLinkOverlay(QPainter& painter) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(0, 8, 7, 7);
    painter.setPen(QPen(QColor(0x10, 0x30, 0x90), 1));
    painter.drawLine(2, 13, 2, 11);
    painter.drawLine(2, 11, 5, 11);
    painter.drawLine(5, 11, 4, 10);
    painter.drawLine(5, 11, 4, 12);
}

// A sheet with a question mark: the shell gave no small icon.
void PaintNoSmallIcon(QPainter& painter) {
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.setBrush(Qt::white);
    painter.drawRect(3, 1, 10, 14);
    painter.setPen(QColor(0xC0, 0x20, 0x20));
    painter.drawLine(6, 5, 7, 4);
    painter.drawLine(7, 4, 9, 4);
    painter.drawLine(9, 4, 10, 5);
    painter.drawLine(10, 5, 10, 6);
    painter.drawLine(10, 6, 8, 8);
    painter.drawLine(8, 8, 8, 10);
    painter.drawPoint(8, 12);
}

// A closed yellow folder.
void PaintFolder(QPainter& painter) {
    painter.setPen(QColor(0x80, 0x60, 0x10));
    painter.setBrush(QColor(0xE8, 0xC0, 0x50));
    painter.drawRect(1, 3, 6, 2);
    painter.setBrush(QColor(0xF8, 0xD8, 0x70));
    painter.drawRect(1, 5, 14, 9);
}

} // namespace

QImage BrowserTreeStrip() {
    QImage strip(64, 16, QImage::Format_RGB32);
    strip.fill(kBrowserStripMask);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const std::array pictures = {PaintShareOverlay, PaintLinkOverlay, PaintNoSmallIcon, PaintFolder};
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        painter.save();
        painter.translate(static_cast<int>(i) * 16, 0);
        pictures[i](painter);
        painter.restore();
    }
    return strip;
}

} // namespace SkinGen
