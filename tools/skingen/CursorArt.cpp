#include "tools/skingen/CursorArt.h"

#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace SkinGen {

namespace {

constexpr int kSide = 32;

QImage Blank() {
    QImage image(kSide, kSide, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// The usual pointer: white with a dark rim, tip at (1, 1).
void Arrow(QPainter& p) {
    QPainterPath arrow;
    arrow.moveTo(1.5, 1.5);
    arrow.lineTo(1.5, 19.5);
    arrow.lineTo(6, 15.5);
    arrow.lineTo(9, 22);
    arrow.lineTo(12, 20.8);
    arrow.lineTo(9.2, 14.5);
    arrow.lineTo(15, 14.5);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x1E, 0x24, 0x20), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawPath(arrow);
}

// The badge at the lower right that says what a drop would do.
void Badge(QPainter& p, const std::function<void(QPainter&, const QRectF&)>& content, QColor fill) {
    const QRectF badge(15.5, 15.5, 15, 15);
    p.setPen(QPen(QColor(0x1E, 0x24, 0x20), 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(badge, 3, 3);
    content(p, badge.adjusted(2, 2, -2, -2));
}

QImage Pointer(const std::function<void(QPainter&, const QRectF&)>& content,
               QColor fill = QColor(0xFF, 0xFF, 0xFF)) {
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Arrow(p);
    Badge(p, content, fill);
    return image;
}

void NoDrop(QPainter& p, const QRectF& box) {
    p.setPen(QPen(QColor(0xC0, 0x3B, 0x2E), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(box.adjusted(0.5, 0.5, -0.5, -0.5));
    p.drawLine(box.topLeft() + QPointF(2.2, 2.2), box.bottomRight() - QPointF(2.2, 2.2));
}

void Frame(QPainter& p, const QRectF& box) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB5, 0x8A, 0x4E));
    p.drawRect(box);
    p.setBrush(QColor(0xDD, 0xEE, 0xF6));
    p.drawRect(box.adjusted(3, 3, -3, -3));
}

void Stencil(QPainter& p, const QRectF& box) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5E, 0x66, 0x5C));
    p.drawRect(box);
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawEllipse(box.adjusted(2, 1, -2, -1));
}

void Template(QPainter& p, const QRectF& box) {
    p.setPen(QPen(Palette::kInk, 1.0));
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawRect(box.adjusted(1.5, 0, -1.5, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::kAccentLight);
    p.drawRect(QRectF(box.left() + 3, box.top() + 2, 5, 4));
    p.drawRect(QRectF(box.left() + 3, box.top() + 7, 5, 3));
    p.setBrush(Palette::kInkMuted);
    p.drawRect(QRectF(box.left() + 3, box.top() + 7.5 + 3, 5, 0.8));
}

void Swap(QPainter& p, const QRectF& box) {
    p.setPen(QPen(Palette::kAccentDark, 1.4, Qt::SolidLine, Qt::RoundCap));
    const double l = box.left() + 1;
    const double r = box.right() - 1;
    const double top = box.top() + 3;
    const double bottom = box.bottom() - 3;
    p.drawLine(QPointF(l, top), QPointF(r, top));
    p.drawLine(QPointF(r - 3, top - 2.5), QPointF(r, top));
    p.drawLine(QPointF(r - 3, top + 2.5), QPointF(r, top));
    p.drawLine(QPointF(l, bottom), QPointF(r, bottom));
    p.drawLine(QPointF(l + 3, bottom - 2.5), QPointF(l, bottom));
    p.drawLine(QPointF(l + 3, bottom + 2.5), QPointF(l, bottom));
}

QImage TextPlacer() {
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // An I-beam with its middle on the hot spot, and a "T" badge.
    QPen outline(QColor(0xFF, 0xFF, 0xFF), 3.2, Qt::SolidLine, Qt::RoundCap);
    QPen ink(QColor(0x1E, 0x24, 0x20), 1.4, Qt::SolidLine, Qt::RoundCap);
    for (const QPen& pen : {outline, ink}) {
        p.setPen(pen);
        p.drawLine(QPointF(11.5, 4), QPointF(11.5, 20));
        p.drawLine(QPointF(8, 3.5), QPointF(15, 3.5));
        p.drawLine(QPointF(8, 20.5), QPointF(15, 20.5));
    }
    Badge(
        p,
        [](QPainter& painter, const QRectF& box) {
            DrawGlyph(painter, Glyph::Text, box, Palette::kAccentDark);
        },
        QColor(0xFF, 0xFF, 0xFF));
    return image;
}

QImage ClipartPlacer() {
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPen outline(QColor(0xFF, 0xFF, 0xFF), 3.2);
    QPen ink(QColor(0x1E, 0x24, 0x20), 1.3);
    for (const QPen& pen : {outline, ink}) {
        p.setPen(pen);
        p.drawLine(QPointF(11.5, 1), QPointF(11.5, 8));
        p.drawLine(QPointF(11.5, 15), QPointF(11.5, 22));
        p.drawLine(QPointF(1, 11.5), QPointF(8, 11.5));
        p.drawLine(QPointF(15, 11.5), QPointF(22, 11.5));
    }
    Badge(
        p,
        [](QPainter& painter, const QRectF& box) { DrawGlyph(painter, Glyph::Effects, box, Palette::kInk); },
        QColor(0xFF, 0xFF, 0xFF));
    return image;
}

} // namespace

std::vector<CursorArt> DrawCursors() {
    const QPoint tip(1, 1);
    auto glyph = [](Glyph g) {
        return [g](QPainter& p, const QRectF& box) {
            DrawGlyph(p, g, box.adjusted(-1, -1, 1, 1), Palette::kInk);
        };
    };
    return {
        {"c1.csr", Pointer(NoDrop), tip},
        {"c2.csr", Pointer(glyph(Glyph::Photo)), tip},
        {"c4.csr", Pointer(Frame), tip},
        {"c5.csr", Pointer(Stencil), tip},
        {"c6.csr", Pointer(Template), tip},
        {"c7.csr", Pointer(Swap, Palette::kAccentPale), tip},
        {"c8.csr",
         Pointer(
             [](QPainter& p, const QRectF& box) { DrawGlyph(p, Glyph::Plus, box, QColor(0xFF, 0xFF, 0xFF)); },
             Palette::kAccent),
         tip},
        {"c9.csr", TextPlacer(), QPoint(11, 12)},
        {"c10.csr", ClipartPlacer(), QPoint(11, 11)},
    };
}

namespace {

// The effects preview's pan cursor: a closed hand with four arrows, its hot spot in the middle.
QImage PanHand() {
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor rim(0x1E, 0x24, 0x20);
    p.setPen(QPen(rim, 1.2));
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    QPainterPath hand;
    hand.addRoundedRect(QRectF(10.5, 11.5, 11, 10), 3.5, 3.5);
    for (int finger = 0; finger < 4; ++finger)
        hand.addRoundedRect(QRectF(10.5 + finger * 2.75, 9.5, 2.75, 4), 1.3, 1.3);
    p.drawPath(hand.simplified());
    const QPointF centre(16, 16);
    for (int quarter = 0; quarter < 4; ++quarter) {
        p.save();
        p.translate(centre);
        p.rotate(90.0 * quarter);
        QPainterPath arrow;
        arrow.moveTo(0, -15);
        arrow.lineTo(3.5, -11);
        arrow.lineTo(-3.5, -11);
        arrow.closeSubpath();
        p.setBrush(Palette::kAccent);
        p.setPen(QPen(rim, 0.8));
        p.drawPath(arrow);
        p.restore();
    }
    return image;
}

} // namespace

std::vector<CursorArt> DrawResourceCursors() {
    const QPoint tip(1, 1);
    return {
        {"1001", PanHand(), QPoint(16, 16)},
        // The resource manager's own drag: refused, move, copy.
        {"148", Pointer(NoDrop), tip},
        {"149",
         Pointer([](QPainter& p, const QRectF& box) { DrawGlyph(p, Glyph::Move, box, Palette::kInk); }), tip},
        {"717",
         Pointer(
             [](QPainter& p, const QRectF& box) { DrawGlyph(p, Glyph::Plus, box, QColor(0xFF, 0xFF, 0xFF)); },
             Palette::kAccent),
         tip},
    };
}

} // namespace SkinGen
