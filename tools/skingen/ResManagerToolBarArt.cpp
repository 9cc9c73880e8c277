// The resource manager's tool bar strips, drawn without smoothing so that every pixel is either art or
// exactly the mask colour.

#include "tools/skingen/ResManagerToolBarArt.h"

#include <QPainter>
#include <QPolygon>
#include <vector>

namespace SkinGen {

namespace {

constexpr int kSide = 16;
const QColor kInk(0x30, 0x30, 0x38);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kBlue(0x20, 0x58, 0xB8);

using Picture = void (*)(QPainter&);

QImage Strip(const std::vector<Picture>& pictures) {
    QImage strip(kSide * static_cast<int>(pictures.size()), kSide, QImage::Format_RGB32);
    strip.fill(kToolBarStripMask);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (size_t i = 0; i < pictures.size(); ++i) {
        painter.save();
        painter.translate(static_cast<int>(i) * kSide, 0);
        pictures[i](painter);
        painter.restore();
    }
    return strip;
}

void Sheet(QPainter& painter, int x, int y) {
    painter.setPen(kInk);
    painter.setBrush(kPaper);
    painter.drawRect(x, y, 9, 12);
}

// A sheet with a yellow star at its corner.
void PaintNew(QPainter& painter) {
    Sheet(painter, 2, 3);
    painter.setPen(QColor(0xC0, 0x90, 0x00));
    painter.drawLine(11, 0, 11, 6);
    painter.drawLine(8, 3, 14, 3);
    painter.drawLine(9, 1, 13, 5);
    painter.drawLine(9, 5, 13, 1);
}

// Two sheets, one over the other.
void PaintDuplicate(QPainter& painter) {
    Sheet(painter, 1, 1);
    Sheet(painter, 5, 3);
}

// A pencil over a line of text.
void PaintRename(QPainter& painter) {
    painter.setPen(kInk);
    painter.drawLine(1, 13, 14, 13);
    painter.setBrush(QColor(0xE8, 0xB8, 0x30));
    painter.drawPolygon(QPolygon({QPoint(4, 11), QPoint(12, 3), QPoint(14, 5), QPoint(6, 13)}));
    painter.drawLine(3, 12, 4, 11);
}

// A red cross.
void PaintDelete(QPainter& painter) {
    painter.setPen(QPen(QColor(0xC8, 0x20, 0x20), 2));
    painter.drawLine(3, 3, 12, 12);
    painter.drawLine(12, 3, 3, 12);
}

// An open folder.
void PaintOpen(QPainter& painter) {
    painter.setPen(QColor(0x80, 0x60, 0x10));
    painter.setBrush(QColor(0xE8, 0xC0, 0x50));
    painter.drawRect(1, 3, 6, 2);
    painter.drawRect(1, 5, 12, 8);
    painter.setBrush(QColor(0xF8, 0xD8, 0x70));
    painter.drawPolygon(QPolygon({QPoint(3, 8), QPoint(15, 8), QPoint(13, 13), QPoint(1, 13)}));
}

// A screen showing a play triangle.
void PaintSlideShow(QPainter& painter) {
    painter.setPen(kInk);
    painter.setBrush(QColor(0x20, 0x30, 0x48));
    painter.drawRect(1, 2, 13, 10);
    painter.drawLine(7, 12, 7, 14);
    painter.drawLine(4, 14, 10, 14);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x60, 0xD0, 0x60));
    painter.drawPolygon(QPolygon({QPoint(6, 4), QPoint(11, 7), QPoint(6, 10)}));
}

// A green tick.
void PaintApply(QPainter& painter) {
    painter.setPen(QPen(QColor(0x18, 0x90, 0x30), 2));
    painter.drawLine(2, 8, 6, 12);
    painter.drawLine(6, 12, 13, 3);
}

// Four thumbnail cells.
void PaintThumbnailSettings(QPainter& painter) {
    painter.setPen(kInk);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            painter.setBrush(row == column ? QColor(0x70, 0xA8, 0xE0) : QColor(0x90, 0xC8, 0x70));
            painter.drawRect(1 + column * 7, 1 + row * 7, 6, 6);
        }
    }
}

void ArrowUp(QPainter& painter, int tipY) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlue);
    painter.drawPolygon(QPolygon({QPoint(8, tipY), QPoint(13, tipY + 5), QPoint(3, tipY + 5)}));
    painter.drawRect(6, tipY + 5, 4, 14 - tipY - 5);
}

void ArrowDown(QPainter& painter, int tipY) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlue);
    painter.drawPolygon(QPolygon({QPoint(8, tipY), QPoint(13, tipY - 5), QPoint(3, tipY - 5)}));
    painter.drawRect(6, 1, 4, tipY - 5 - 1);
}

void PaintToTop(QPainter& painter) {
    painter.fillRect(2, 1, 12, 2, kInk);
    ArrowUp(painter, 4);
}

void PaintUp(QPainter& painter) {
    ArrowUp(painter, 2);
}

void PaintDown(QPainter& painter) {
    ArrowDown(painter, 14);
}

void PaintToBottom(QPainter& painter) {
    painter.fillRect(2, 13, 12, 2, kInk);
    ArrowDown(painter, 11);
}

// Bars growing downwards (ascending) or shrinking (descending).
void SortBars(QPainter& painter, bool ascending) {
    for (int i = 0; i < 4; ++i) {
        const int length = ascending ? 4 + i * 3 : 13 - i * 3;
        painter.fillRect(1, 2 + i * 3, length, 2, i % 2 ? kBlue : kInk);
    }
}

void PaintSortAscending(QPainter& painter) {
    SortBars(painter, true);
}

void PaintSortDescending(QPainter& painter) {
    SortBars(painter, false);
}

} // namespace

QImage ResManagerToolBarStrip() {
    return Strip({PaintNew, PaintDuplicate, PaintRename, PaintDelete, PaintOpen, PaintSlideShow, PaintApply,
                  PaintThumbnailSettings});
}

QImage ResManagerSortToolBarStrip() {
    return Strip({PaintToTop, PaintUp, PaintDown, PaintToBottom, PaintSortAscending, PaintSortDescending});
}

} // namespace SkinGen
