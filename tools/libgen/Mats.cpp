// The frame album: mats as a frame picture (white in the opening), its ".msk" mask (white on the frame,
// black in the opening) and its ".frm" description of the opening's borders.
#include "tools/libgen/LibraryItems.h"
#include "tools/libgen/MaskFile.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <functional>
#include <stdexcept>

namespace {

struct Mat {
    const char* stem;
    const char* title;
    QSize size;
    QPainterPath opening;
    // Paints the frame over the whole picture; the opening is cleared afterwards.
    std::function<void(QPainter&, const QSize&, const QPainterPath&)> paint;
};

QPainterPath Rect(const QSize& size, int left, int top, int right, int bottom) {
    QPainterPath path;
    path.addRect(QRectF(left, top, size.width() - left - right, size.height() - top - bottom));
    return path;
}

// A moulding: a gradient across the border from the outer edge to the opening, with a highlight line.
void Moulding(QPainter& p, const QSize& size, const QPainterPath& opening, QColor outer, QColor middle,
              QColor inner) {
    const QRectF box = opening.boundingRect();
    const QRectF all(QPointF(0, 0), QSizeF(size));
    // Each side a trapezoid with its own gradient, so that the corners mitre.
    const QPointF o[] = {all.topLeft(), all.topRight(), all.bottomRight(), all.bottomLeft()};
    const QPointF i[] = {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
    for (int side = 0; side < 4; ++side) {
        const int next = (side + 1) % 4;
        QPolygonF trapezoid({o[side], o[next], i[next], i[side]});
        const QPointF from = (o[side] + o[next]) / 2, to = (i[side] + i[next]) / 2;
        QLinearGradient gradient(from, to);
        const qreal light = side < 2 ? 115 : 85; // light from the top left
        gradient.setColorAt(0, outer.lighter(static_cast<int>(light)));
        gradient.setColorAt(0.45, middle.lighter(static_cast<int>(light)));
        gradient.setColorAt(1, inner.lighter(static_cast<int>(light)));
        p.setPen(Qt::NoPen);
        p.setBrush(gradient);
        p.drawPolygon(trapezoid);
    }
}

void Wood(QPainter& p, const QSize& size, const QPainterPath& opening) {
    Moulding(p, size, opening, QColor(110, 70, 40), QColor(165, 110, 65), QColor(95, 60, 35));
    // Grain: thin darker lines along the sides.
    p.setPen(QPen(QColor(80, 50, 30, 60), 2));
    const QRectF box = opening.boundingRect();
    for (int k = 1; k < 12; ++k) {
        const qreal t = k / 12.0;
        const qreal wobble = 3 * qSin(k * 1.7);
        p.drawLine(QPointF(box.left() * t + wobble, box.top() * t),
                   QPointF(box.left() * t - wobble, size.height() - (size.height() - box.bottom()) * t));
        p.drawLine(QPointF(box.left() * t, box.top() * t + wobble),
                   QPointF(size.width() - (size.width() - box.right()) * t, box.top() * t - wobble));
    }
}

void Gold(QPainter& p, const QSize& size, const QPainterPath& opening) {
    Moulding(p, size, opening, QColor(150, 110, 40), QColor(235, 200, 110), QColor(170, 125, 45));
    p.setPen(QPen(QColor(250, 230, 160), 4));
    p.setBrush(Qt::NoBrush);
    const QRectF box = opening.boundingRect();
    p.drawRect(box.adjusted(-30, -30, 30, 30));
    p.drawRect(QRectF(QPointF(18, 18), QSizeF(size) - QSizeF(36, 36)));
}

void Silver(QPainter& p, const QSize& size, const QPainterPath& opening) {
    Moulding(p, size, opening, QColor(130, 135, 145), QColor(225, 228, 235), QColor(150, 155, 165));
}

// A cardboard mat: flat colour, a bevelled cut round the opening and a thin outer line.
std::function<void(QPainter&, const QSize&, const QPainterPath&)> Cardboard(QColor colour) {
    return [colour](QPainter& p, const QSize& size, const QPainterPath& opening) {
        p.fillRect(QRect(QPoint(0, 0), size), colour);
        p.setPen(QPen(colour.darker(150), 6));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(3, 3, size.width() - 6, size.height() - 6));
        QTransform grow;
        const QRectF box = opening.boundingRect();
        grow.translate(box.center().x(), box.center().y());
        grow.scale((box.width() + 24) / box.width(), (box.height() + 24) / box.height());
        grow.translate(-box.center().x(), -box.center().y());
        p.setPen(Qt::NoPen);
        p.setBrush(colour.darker(112));
        p.drawPath(grow.map(opening));
    };
}

void Instant(QPainter& p, const QSize& size, const QPainterPath&) {
    QLinearGradient paper(0, 0, 0, size.height());
    paper.setColorAt(0, QColor(247, 246, 242));
    paper.setColorAt(1, QColor(236, 234, 228));
    p.fillRect(QRect(QPoint(0, 0), size), paper);
    p.setPen(QPen(QColor(200, 198, 192), 4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2, 2, size.width() - 4, size.height() - 4));
}

void DeckledPaper(QPainter& p, const QSize& size, const QPainterPath& opening) {
    p.fillRect(QRect(QPoint(0, 0), size), QColor(242, 236, 220));
    // Paper fibres: faint short strokes in a fixed pattern.
    p.setPen(QPen(QColor(215, 205, 180), 2));
    for (int i = 0; i < 900; ++i) {
        const qreal x = std::fmod(i * 97.31, size.width()), y = std::fmod(i * 61.73, size.height());
        p.drawLine(QPointF(x, y), QPointF(x + 6 * qCos(i), y + 6 * qSin(i)));
    }
    p.setPen(QPen(QColor(205, 195, 170), 5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(opening);
}

// A rectangle whose edges wander like torn hand-made paper.
QPainterPath Deckled(const QSize& size, int border) {
    const QRectF box(border, border, size.width() - 2 * border, size.height() - 2 * border);
    QPolygonF edge;
    auto wander = [](int i) { return 7 * qSin(i * 0.9) + 5 * qSin(i * 2.3 + 1); };
    const int steps = 60;
    for (int i = 0; i < steps; ++i)
        edge << QPointF(box.left() + box.width() * i / steps, box.top() + 8 + wander(i));
    for (int i = 0; i < steps; ++i)
        edge << QPointF(box.right() - 8 + wander(i + 100), box.top() + box.height() * i / steps);
    for (int i = 0; i < steps; ++i)
        edge << QPointF(box.right() - box.width() * i / steps, box.bottom() - 8 + wander(i + 200));
    for (int i = 0; i < steps; ++i)
        edge << QPointF(box.left() + 8 + wander(i + 300), box.bottom() - box.height() * i / steps);
    QPainterPath path;
    path.addPolygon(edge);
    path.closeSubpath();
    return path;
}

// The mask: white on the frame, black in the opening, without smoothing so that the 1-bit file keeps it.
QImage MaskOf(const QSize& size, const QPainterPath& opening) {
    QImage mask(size, QImage::Format_Grayscale8);
    mask.fill(Qt::white);
    QPainter painter(&mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPath(opening);
    return mask;
}

// The opening's bounding box in pixels as it lies in the mask.
QRect OpeningIn(const QImage& mask) {
    QRect box;
    for (int y = 0; y < mask.height(); ++y) {
        const uchar* row = mask.constScanLine(y);
        for (int x = 0; x < mask.width(); ++x) {
            if (row[x] < 128)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

void WriteDescription(const QString& path, const QSize& size, const QRect& opening, const QString& name) {
    const int width = size.width(), height = size.height();
    const int left = opening.left(), top = opening.top();
    const int right = width - 1 - opening.right(), bottom = height - 1 - opening.bottom();
    const QString text = QString("%1\n%2\n%3\n%4\n%5\n%6\n%7\n")
                             .arg(width)
                             .arg(height)
                             .arg(left)
                             .arg(top + 1)
                             .arg(width - right - 2)
                             .arg(height - bottom - 2)
                             .arg(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toLatin1()) != text.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

std::vector<LibraryAlbum> WriteMats(const QString& folder) {
    const QSize wide(1500, 1000), upright(1000, 1200);
    QPainterPath oval;
    oval.addEllipse(QRectF(250, 160, 1000, 680));
    const Mat mats[] = {
        {"holzrahmen", "Holzrahmen", wide, Rect(wide, 110, 110, 110, 110), Wood},
        {"goldrahmen", "Goldrahmen", wide, Rect(wide, 130, 130, 130, 130), Gold},
        {"silberrahmen", "Silberrahmen", wide, Rect(wide, 90, 90, 90, 90), Silver},
        {"passepartout_weiss", "Passepartout weiß", wide, Rect(wide, 170, 160, 170, 190),
         Cardboard(QColor(246, 245, 240))},
        {"passepartout_creme", "Passepartout creme", wide, Rect(wide, 170, 160, 170, 190),
         Cardboard(QColor(238, 226, 198))},
        {"ovales_passepartout", "Ovales Passepartout", wide, oval, Cardboard(QColor(120, 40, 50))},
        {"sofortbild", "Sofortbild", upright, Rect(upright, 60, 60, 60, 250), Instant},
        {"buettenrand", "Büttenrand", wide, Deckled(wide, 80), DeckledPaper},
    };
    LibraryAlbum album{"Rahmen", {}};
    for (const Mat& mat : mats) {
        QImage frame(mat.size, QImage::Format_RGB888);
        frame.fill(Qt::white);
        QPainter painter(&frame);
        painter.setRenderHint(QPainter::Antialiasing);
        mat.paint(painter, mat.size, mat.opening);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPath(mat.opening);
        painter.end();
        const QImage mask = MaskOf(mat.size, mat.opening);
        const QString stem = folder + '/' + mat.stem;
        SavePicture(frame, stem + ".jpg");
        SaveMaskBmp(mask, stem + ".msk");
        const QString name =
            QString(mat.stem) == "ovales_passepartout" ? QString("ellipse") : QString(mat.stem);
        WriteDescription(stem + ".frm", mat.size, OpeningIn(mask), name);
        album.items.push_back({QString(mat.stem) + ".jpg", QString::fromUtf8(mat.title)});
    }
    return {album};
}
