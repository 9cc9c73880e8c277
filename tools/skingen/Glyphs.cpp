#include "tools/skingen/Glyphs.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace SkinGen {

namespace {

constexpr double kGrid = 24.0;

QColor Tone(const QColor& colour, bool muted) {
    if (!muted) {
        return colour;
    }
    const int grey = qGray(colour.rgb());
    const int soft = 150 + (grey * 80) / 255;
    return QColor(soft, soft, soft - 6);
}

QPen Stroke(const QColor& ink, double width = 2.0) {
    QPen pen(ink, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void ArrowHead(QPainter& p, QPointF tip, double angleDegrees, double size, const QColor& ink) {
    const double a = angleDegrees * std::numbers::pi / 180.0;
    const QPointF back(-std::cos(a) * size, -std::sin(a) * size);
    const QPointF side(-std::sin(a) * size * 0.6, std::cos(a) * size * 0.6);
    QPolygonF head;
    head << tip << tip + back + side << tip + back - side;
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(head);
}

void Printer(QPainter& p, const QColor& ink) {
    p.setPen(Stroke(ink, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(7, 3, 10, 6), 1, 1);     // paper going in
    p.drawRoundedRect(QRectF(3, 9, 18, 9), 2.5, 2.5); // body
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawRect(QRectF(7, 15, 10, 6.5)); // paper coming out
    p.setPen(Stroke(ink, 1.2));
    p.drawLine(QPointF(9, 18), QPointF(15, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(17.5, 12), 1.1, 1.1);
}

void Folder(QPainter& p, const QColor& ink, bool muted) {
    QPainterPath back;
    back.moveTo(3, 7);
    back.lineTo(3, 19);
    back.lineTo(20, 19);
    back.lineTo(20, 8);
    back.lineTo(11, 8);
    back.lineTo(9, 5);
    back.lineTo(4, 5);
    back.closeSubpath();
    p.setPen(Stroke(ink, 1.6));
    p.setBrush(Tone(QColor(0xF2, 0xD8, 0x8C), muted));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(3, 19);
    front.lineTo(6, 11);
    front.lineTo(22, 11);
    front.lineTo(20, 19);
    front.closeSubpath();
    p.setBrush(Tone(QColor(0xF7, 0xE3, 0xA8), muted));
    p.drawPath(front);
}

void Sparkle(QPainter& p, QPointF c, double r, const QColor& colour) {
    QPainterPath star;
    star.moveTo(c.x(), c.y() - r);
    star.quadTo(c, QPointF(c.x() + r, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() + r));
    star.quadTo(c, QPointF(c.x() - r, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() - r));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(star);
}

void Effects(QPainter& p, const QColor& ink, bool muted) {
    p.setPen(Stroke(ink, 2.2));
    p.drawLine(QPointF(4, 20), QPointF(14, 10));
    Sparkle(p, QPointF(16.5, 7.5), 5.5, Tone(QColor(0xE0, 0x9A, 0x3E), muted));
    Sparkle(p, QPointF(7, 6), 3, Tone(QColor(0x3F, 0xA8, 0x94), muted));
    Sparkle(p, QPointF(19.5, 16.5), 2.5, Tone(QColor(0x3F, 0xA8, 0x94), muted));
}

void Gear(QPainter& p, const QColor& ink) {
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a = i * std::numbers::pi / teeth;
        const double r = (i % 2 == 0) ? 9.5 : 7.0;
        const double spread = std::numbers::pi / teeth * 0.45;
        const QPointF a1(12 + r * std::cos(a - spread), 12 + r * std::sin(a - spread));
        const QPointF a2(12 + r * std::cos(a + spread), 12 + r * std::sin(a + spread));
        if (i == 0) {
            gear.moveTo(a1);
        } else {
            gear.lineTo(a1);
        }
        gear.lineTo(a2);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(12, 12), 3.2, 3.2);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(gear.subtracted(hole));
}

void Pencil(QPainter& p, const QColor& ink, bool muted) {
    p.save();
    p.translate(12, 12);
    p.rotate(-45);
    p.setPen(Stroke(ink, 1.4));
    p.setBrush(Tone(QColor(0xF1, 0xC4, 0x5B), muted));
    p.drawRect(QRectF(-7, -2.8, 12, 5.6));
    p.setBrush(Tone(QColor(0xE8, 0x9C, 0x9C), muted));
    p.drawRect(QRectF(-10, -2.8, 3, 5.6));
    QPolygonF tip;
    tip << QPointF(5, -2.8) << QPointF(10, 0) << QPointF(5, 2.8);
    p.setBrush(Tone(QColor(0xF5, 0xE6, 0xC8), muted));
    p.drawPolygon(tip);
    p.restore();
}

void Photo(QPainter& p, const QColor& ink, bool muted) {
    p.setPen(Stroke(ink, 1.6));
    p.setBrush(Tone(QColor(0xDD, 0xEE, 0xF6), muted));
    p.drawRoundedRect(QRectF(3, 5, 18, 14), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Tone(QColor(0x4D, 0x9B, 0x6A), muted));
    QPolygonF hills;
    hills << QPointF(4, 18) << QPointF(9.5, 11) << QPointF(13, 15) << QPointF(15.5, 12.5) << QPointF(20, 18);
    p.drawPolygon(hills);
    p.setBrush(Tone(QColor(0xE8, 0xA8, 0x3E), muted));
    p.drawEllipse(QPointF(16, 9), 1.8, 1.8);
}

void Globe(QPainter& p, const QColor& ink, bool muted) {
    p.setPen(Stroke(ink, 1.5));
    p.setBrush(Tone(QColor(0xCF, 0xE8, 0xF2), muted));
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 4, 9);
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
    p.drawLine(QPointF(12, 3), QPointF(12, 21));
    p.setPen(Stroke(ink, 1.1));
    p.drawLine(QPointF(4.5, 7.5), QPointF(19.5, 7.5));
    p.drawLine(QPointF(4.5, 16.5), QPointF(19.5, 16.5));
}

void Library(QPainter& p, const QColor& ink, bool muted) {
    p.setPen(Stroke(ink, 1.5));
    p.setBrush(Tone(QColor(0xE9, 0xDC, 0xC0), muted));
    p.drawRoundedRect(QRectF(4, 3, 16, 18), 1.5, 1.5);
    p.drawLine(QPointF(4, 9), QPointF(20, 9));
    p.drawLine(QPointF(4, 15), QPointF(20, 15));
    p.setPen(Stroke(ink, 2.0));
    for (double y : {6.0, 12.0, 18.0}) {
        p.drawLine(QPointF(10, y), QPointF(14, y));
    }
}

void Swatches(QPainter& p, const QColor& ink, const QColor* colours, int count, bool muted) {
    // count swatches in a square grid
    const int side = count == 4 ? 2 : 3;
    const double cell = 16.0 / side;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        p.setBrush(Tone(colours[i], muted));
        p.drawRect(QRectF(4 + (i % side) * cell, 4 + (i / side) * cell, cell, cell));
    }
    p.setPen(Stroke(ink, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4, 4, 16, 16));
}

void Grayscale(QPainter& p, const QColor& ink, bool /*muted*/) {
    const QColor greys[4] = {QColor(0x30, 0x30, 0x30), QColor(0x80, 0x80, 0x80), QColor(0xB8, 0xB8, 0xB8),
                             QColor(0xF4, 0xF4, 0xF4)};
    Swatches(p, ink, greys, 4, false);
}

void Colors256(QPainter& p, const QColor& ink, bool muted) {
    const QColor colours[9] = {QColor(0xD9, 0x4F, 0x4F), QColor(0xE8, 0xA8, 0x3E), QColor(0xE8, 0xD5, 0x4A),
                               QColor(0x6B, 0xB3, 0x5A), QColor(0x3F, 0xA8, 0x94), QColor(0x4A, 0x86, 0xC8),
                               QColor(0x7E, 0x5C, 0xB8), QColor(0xC8, 0x5C, 0x9E), QColor(0x8A, 0x8A, 0x8A)};
    Swatches(p, ink, colours, 9, muted);
}

void TrueColors(QPainter& p, const QColor& ink, bool muted) {
    const QRectF wheel(3.5, 3.5, 17, 17);
    for (int i = 0; i < 12; ++i) {
        QColor c = QColor::fromHsv(i * 30, 170, 235);
        p.setPen(Qt::NoPen);
        p.setBrush(Tone(c, muted));
        p.drawPie(wheel, (90 - i * 30) * 16, -30 * 16);
    }
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawEllipse(QPointF(12, 12), 3.2, 3.2);
    p.setPen(Stroke(ink, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(wheel);
}

void TwoColors(QPainter& p, const QColor& ink) {
    // The button paints its two colour squares itself; the glyph is the frame around them.
    p.setPen(Stroke(ink, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3, 3, 18, 18));
}

void Sun(QPainter& p, const QColor& ink, bool muted) {
    p.setPen(Stroke(ink, 1.5));
    p.setBrush(Tone(QColor(0xF2, 0xC1, 0x4E), muted));
    p.drawEllipse(QPointF(12, 12), 4.5, 4.5);
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        p.drawLine(QPointF(12 + 7.0 * std::cos(a), 12 + 7.0 * std::sin(a)),
                   QPointF(12 + 9.8 * std::cos(a), 12 + 9.8 * std::sin(a)));
    }
}

void Drop(QPainter& p, const QColor& ink, bool muted) {
    QPainterPath drop;
    drop.moveTo(12, 3);
    drop.cubicTo(QPointF(15, 8), QPointF(19, 11), QPointF(19, 15));
    drop.cubicTo(QPointF(19, 19), QPointF(15.5, 21.5), QPointF(12, 21.5));
    drop.cubicTo(QPointF(8.5, 21.5), QPointF(5, 19), QPointF(5, 15));
    drop.cubicTo(QPointF(5, 11), QPointF(9, 8), QPointF(12, 3));
    QLinearGradient fill(QPointF(5, 0), QPointF(19, 0));
    fill.setColorAt(0, Tone(QColor(0xE0, 0x5A, 0x6E), muted));
    fill.setColorAt(0.5, Tone(QColor(0xE8, 0xB0, 0x3E), muted));
    fill.setColorAt(1, Tone(QColor(0x3F, 0xA8, 0x94), muted));
    p.setPen(Stroke(ink, 1.4));
    p.setBrush(fill);
    p.drawPath(drop);
}

void Contrast(QPainter& p, const QColor& ink) {
    p.setPen(Stroke(ink, 1.6));
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPie(QRectF(3.5, 3.5, 17, 17), 90 * 16, 180 * 16);
}

void Sharpness(QPainter& p, const QColor& ink) {
    QPolygonF diamond;
    diamond << QPointF(12, 3) << QPointF(20, 12) << QPointF(12, 21) << QPointF(4, 12);
    p.setPen(Stroke(ink, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(diamond);
    QPolygonF half;
    half << QPointF(12, 3) << QPointF(20, 12) << QPointF(12, 21);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(half);
}

void Gamma(QPainter& p, const QColor& ink) {
    QPainterPath curve;
    curve.moveTo(4, 20);
    curve.cubicTo(QPointF(10, 20), QPointF(14, 12), QPointF(20, 4));
    p.setPen(Stroke(ink, 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(4, 20), QPointF(20, 20));
    p.drawLine(QPointF(4, 20), QPointF(4, 4));
    p.setPen(Stroke(ink, 2.0));
    p.drawPath(curve);
}

void Rotate(QPainter& p, const QColor& ink) {
    p.setPen(Stroke(ink, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 4.5, 15, 15), 100 * 16, 260 * 16);
    ArrowHead(p, QPointF(10.5, 4.6), 180, 5.0, ink);
}

void Mirror(QPainter& p, const QColor& ink, bool muted) {
    QPolygonF left;
    left << QPointF(10, 5) << QPointF(10, 19) << QPointF(3, 19);
    QPolygonF right;
    right << QPointF(14, 5) << QPointF(14, 19) << QPointF(21, 19);
    p.setPen(Stroke(ink, 1.4));
    p.setBrush(Tone(QColor(0x7F, 0xC1, 0xB1), muted));
    p.drawPolygon(left);
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(right);
    QPen dash = Stroke(ink, 1.2);
    dash.setDashPattern({1.5, 1.5});
    p.setPen(dash);
    p.drawLine(QPointF(12, 2), QPointF(12, 22));
}

void Move(QPainter& p, const QColor& ink) {
    p.setPen(Stroke(ink, 1.8));
    p.drawLine(QPointF(12, 5), QPointF(12, 19));
    p.drawLine(QPointF(5, 12), QPointF(19, 12));
    ArrowHead(p, QPointF(12, 2.5), -90, 4.5, ink);
    ArrowHead(p, QPointF(12, 21.5), 90, 4.5, ink);
    ArrowHead(p, QPointF(2.5, 12), 180, 4.5, ink);
    ArrowHead(p, QPointF(21.5, 12), 0, 4.5, ink);
}

void Merge(QPainter& p, const QColor& ink, bool muted) {
    p.setPen(Stroke(ink, 1.4));
    p.setBrush(Tone(QColor(0xC9, 0xE4, 0xDB), muted));
    p.drawRect(QRectF(3, 3, 12, 10));
    QColor second = Tone(QColor(0xF2, 0xC1, 0x4E), muted);
    second.setAlpha(200);
    p.setBrush(second);
    p.drawRect(QRectF(9, 10, 12, 10));
}

void Original(QPainter& p, const QColor& ink, bool muted) {
    p.setPen(Stroke(ink, 1.4));
    p.setBrush(Tone(QColor(0xDD, 0xEE, 0xF6), muted));
    p.drawRect(QRectF(7, 7, 14, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(Tone(QColor(0x4D, 0x9B, 0x6A), muted));
    QPolygonF hills;
    hills << QPointF(8, 18) << QPointF(12, 13) << QPointF(16, 18);
    p.drawPolygon(hills);
    p.setPen(Stroke(ink, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2, 2.5, 10, 10), 90 * 16, 150 * 16);
    ArrowHead(p, QPointF(8.5, 2.7), 0, 4.0, ink);
}

void TextT(QPainter& p, const QColor& ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRect(QRectF(4.5, 4, 15, 3));
    p.drawRect(QRectF(10.5, 4, 3, 16));
    p.drawRect(QRectF(8, 18.5, 8, 1.8));
}

// A play-style triangle 9 wide and 12 high whose flat side stands at `base`.
void Triangle(QPainter& p, const QColor& ink, double base, bool pointLeft) {
    const double tip = pointLeft ? base - 9 : base + 9;
    QPolygonF t;
    t << QPointF(tip, 12) << QPointF(base, 6) << QPointF(base, 18);
    p.setPen(Stroke(ink, 1.0));
    p.setBrush(ink);
    p.drawPolygon(t);
}

void Speaker(QPainter& p, const QColor& ink) {
    QPolygonF cone;
    cone << QPointF(3, 9) << QPointF(7, 9) << QPointF(12, 4.5) << QPointF(12, 19.5) << QPointF(7, 15)
         << QPointF(3, 15);
    p.setPen(Stroke(ink, 1.2));
    p.setBrush(ink);
    p.drawPolygon(cone);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink, 1.6));
    p.drawArc(QRectF(9, 7, 8, 10), -50 * 16, 100 * 16);
    p.drawArc(QRectF(8, 3.5, 13, 17), -50 * 16, 100 * 16);
}

} // namespace

void DrawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& ink, bool muted) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / kGrid, box.height() / kGrid);
    QPainter& p = painter;
    switch (glyph) {
    case Glyph::Printer:
        Printer(p, ink);
        break;
    case Glyph::Folder:
        Folder(p, ink, muted);
        break;
    case Glyph::Effects:
        Effects(p, ink, muted);
        break;
    case Glyph::Gear:
        Gear(p, ink);
        break;
    case Glyph::Pencil:
        Pencil(p, ink, muted);
        break;
    case Glyph::Photo:
        Photo(p, ink, muted);
        break;
    case Glyph::Globe:
        Globe(p, ink, muted);
        break;
    case Glyph::Library:
        Library(p, ink, muted);
        break;
    case Glyph::Grayscale:
        Grayscale(p, ink, muted);
        break;
    case Glyph::Colors256:
        Colors256(p, ink, muted);
        break;
    case Glyph::TrueColors:
        TrueColors(p, ink, muted);
        break;
    case Glyph::TwoColors:
        TwoColors(p, ink);
        break;
    case Glyph::Sun:
        Sun(p, ink, muted);
        break;
    case Glyph::Drop:
        Drop(p, ink, muted);
        break;
    case Glyph::Contrast:
        Contrast(p, ink);
        break;
    case Glyph::Sharpness:
        Sharpness(p, ink);
        break;
    case Glyph::Gamma:
        Gamma(p, ink);
        break;
    case Glyph::Rotate:
        Rotate(p, ink);
        break;
    case Glyph::Mirror:
        Mirror(p, ink, muted);
        break;
    case Glyph::Move:
        Move(p, ink);
        break;
    case Glyph::Merge:
        Merge(p, ink, muted);
        break;
    case Glyph::Original:
        Original(p, ink, muted);
        break;
    case Glyph::Text:
        TextT(p, ink);
        break;
    case Glyph::Minimize:
        p.setPen(Stroke(ink, 2.6));
        p.drawLine(QPointF(6, 16), QPointF(18, 16));
        break;
    case Glyph::Close:
    case Glyph::Cross:
        p.setPen(Stroke(ink, 2.6));
        p.drawLine(QPointF(6.5, 6.5), QPointF(17.5, 17.5));
        p.drawLine(QPointF(17.5, 6.5), QPointF(6.5, 17.5));
        break;
    case Glyph::Undo:
        p.setPen(Stroke(ink, 2.4));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5, 6, 15, 13), 90 * 16, -250 * 16);
        ArrowHead(p, QPointF(5.5, 6.5), 180, 7.0, ink);
        break;
    case Glyph::Info:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(12, 5.5), 2.4, 2.4);
        p.drawRoundedRect(QRectF(10, 9.5, 4, 11), 1, 1);
        break;
    case Glyph::First:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(QRectF(4.5, 6, 2.5, 12));
        Triangle(p, ink, 18, true);
        break;
    case Glyph::Prev:
        Triangle(p, ink, 16, true);
        break;
    case Glyph::Next:
        Triangle(p, ink, 8, false);
        break;
    case Glyph::Last:
        Triangle(p, ink, 6, false);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(QRectF(17, 6, 2.5, 12));
        break;
    case Glyph::Check:
        p.setPen(Stroke(ink, 3.0));
        p.drawLine(QPointF(5, 12.5), QPointF(10, 17.5));
        p.drawLine(QPointF(10, 17.5), QPointF(19, 6.5));
        break;
    case Glyph::Speaker:
        Speaker(p, ink);
        break;
    case Glyph::Crosshair:
        p.setPen(Stroke(ink, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12, 12), 6, 6);
        p.drawLine(QPointF(12, 2), QPointF(12, 8));
        p.drawLine(QPointF(12, 16), QPointF(12, 22));
        p.drawLine(QPointF(2, 12), QPointF(8, 12));
        p.drawLine(QPointF(16, 12), QPointF(22, 12));
        break;
    case Glyph::Plus:
        p.setPen(Stroke(ink, 2.8));
        p.drawLine(QPointF(12, 5), QPointF(12, 19));
        p.drawLine(QPointF(5, 12), QPointF(19, 12));
        break;
    }
    painter.restore();
}

} // namespace SkinGen
