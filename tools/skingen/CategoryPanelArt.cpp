// The category panel under the page: 800 by 116, a shaped window with the category and album
// choices on the left, six tile slots with a hanging information tag above each, and the pager.

#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Outline.h"
#include "tools/skingen/Painting.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinModel.h"

#include <cmath>
#include <numbers>

namespace SkinGen {

namespace {

const QRect kSlots[6] = {Span(225, 16, 304, 93), Span(325, 16, 404, 93), Span(420, 16, 499, 89),
                         Span(520, 16, 599, 93), Span(616, 16, 695, 93), Span(714, 16, 793, 93)};
const int kInfoX[6] = {261, 357, 454, 552, 650, 751};
constexpr int kDivider = 216;

// A tag hanging from the top edge: square top, round foot.
Outline InfoTagOutline() {
    Outline points{{0, 0}, {12, 0}};
    constexpr int kFootPoints = 20;
    for (int i = 0; i < kFootPoints; ++i) {
        const double angle = std::numbers::pi * i / (kFootPoints - 1);
        points.emplace_back(static_cast<int>(std::lround(6 + 6 * std::cos(angle))),
                            static_cast<int>(std::lround(16 + 6 * std::sin(angle))));
    }
    return points;
}

QPainterPath InfoTagPath() {
    QPainterPath path;
    path.moveTo(0.5, -1);
    path.lineTo(11.5, -1);
    path.lineTo(11.5, 16);
    path.arcTo(QRectF(0.5, 10.5, 11, 11), 0, -180);
    path.closeSubpath();
    return path;
}

void PaintInfoTag(QPainter& p, const Face& face) {
    const QPainterPath tag = InfoTagPath();
    Paint::Shadow(p, tag, QPointF(0, 1), 2, 80);
    QColor top = Palette::kAccentLight;
    QColor bottom = Palette::kAccent;
    if (face.pressed) {
        top = Palette::kAccent;
        bottom = Palette::kAccentDark;
    } else if (face.hover) {
        top = Palette::kAccentLight.lighter(112);
        bottom = Palette::kAccentLight.darker(108);
    }
    Paint::FillVertical(p, tag, top, bottom);
    p.setPen(QPen(Palette::kAccentDark, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tag);
    DrawGlyph(p, Glyph::Info, QRectF(1.5, 6.5 + (face.pressed ? 1 : 0), 9, 13), QColor(0xFF, 0xFF, 0xFF));
}

void PaintRoundButton(QPainter& p, const Face& face, const QRectF& disc, Glyph glyph) {
    QPainterPath path;
    path.addEllipse(disc);
    Paint::RaisedFace(p, path, face);
    DrawGlyph(p, glyph, disc.adjusted(1, 1, -1, -1).translated(0, face.pressed ? 0.5 : 0), Paint::Ink(face));
}

void PaintClose(QPainter& p, const Face& face) {
    const QRectF disc(1.5, 2.0, 11.5, 11.5);
    QPainterPath path;
    path.addEllipse(disc);
    Paint::RaisedFace(p, path, face);
    if (face.hover) {
        p.fillPath(path, QColor(0xD0, 0x4A, 0x3C, 210));
    }
    const QColor ink = face.hover ? QColor(0xFF, 0xFF, 0xFF) : Paint::Ink(face);
    DrawGlyph(p, Glyph::Close, disc.adjusted(1, 1, -1, -1), ink);
}

void PaintUndo(QPainter& p, const Face& face) {
    Paint::RaisedFace(p, Paint::Rounded(QRectF(0.5, 0.5, 14, 13), 3), face);
    DrawGlyph(p, Glyph::Undo, QRectF(1.5, 1.0 + (face.pressed ? 0.5 : 0), 12, 12), Paint::Ink(face));
}

void PaintChoiceWell(QPainter& p, const QRectF& field) {
    Paint::Well(p, Paint::Rounded(field.adjusted(-1.5, -1.5, 1.5, 2.5), 3), Palette::kWell);
    p.fillRect(field, Palette::kPaleField);
    // The lists open downwards.
    QPolygonF arrow;
    const double x = field.right() + 6;
    const double y = field.center().y() - 1;
    arrow << QPointF(x - 3.5, y - 2) << QPointF(x + 3.5, y - 2) << QPointF(x, y + 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::kAccent);
    p.drawPolygon(arrow);
}

void PaintPanelBackground(QPainter& p) {
    p.fillRect(QRectF(0, 0, 800, 116), Palette::kChromeBottom);
    const QPainterPath body = Paint::Rounded(QRectF(0, 0, 799, 115), 6);
    Paint::FillVertical(p, body, Palette::kConsoleTop, Palette::kConsoleBottom);
    p.save();
    p.setClipPath(body);
    p.setPen(QPen(Palette::kEdgeLight, 1.0));
    p.drawLine(QPointF(6, 1.5), QPointF(793, 1.5));
    p.restore();
    p.setPen(QPen(Palette::kEdgeDark, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Paint::Rounded(QRectF(0.5, 0.5, 798, 114), 6));

    Paint::SectionCaption(p, QRectF(10, 8, kDivider - 22, 12), QStringLiteral("BIBLIOTHEK"));
    const int labelAlign = Qt::AlignLeft | Qt::AlignVCenter;
    Paint::EngravedText(p, QRectF(10, 30, 70, 19), QStringLiteral("Kategorie"), 10, Palette::kInkSoft,
                        labelAlign);
    Paint::EngravedText(p, QRectF(10, 55, 82, 14), QStringLiteral("Rückgängig"), 10, Palette::kInkSoft,
                        labelAlign);
    Paint::EngravedText(p, QRectF(10, 76, 80, 19), QStringLiteral("Album"), 10, Palette::kInkSoft,
                        labelAlign);
    PaintChoiceWell(p, QRectF(83, 29, 124, 20));
    PaintChoiceWell(p, QRectF(94, 75, 113, 20));

    p.setPen(QPen(Palette::kSeparator, 1.0));
    p.drawLine(QPointF(kDivider + 0.5, 10), QPointF(kDivider + 0.5, 106));
    p.setPen(QPen(Palette::kEdgeLight, 1.0));
    p.drawLine(QPointF(kDivider + 1.5, 10), QPointF(kDivider + 1.5, 106));

    for (const QRect& slot : kSlots) {
        Paint::Well(p, Paint::Rounded(QRectF(slot).adjusted(-2.5, -2.5, 3.5, 3.5), 4), Palette::kWell);
    }
    // The page counter sits on a light field between the pager buttons.
    const QPainterPath counter = Paint::Rounded(QRectF(443.5, 98.5, 37, 16), 8);
    Paint::Well(p, counter, QColor(0xFA, 0xFA, 0xF5));
}

} // namespace

SkinWindow CategoryPanelSkin() {
    SkinWindow window;
    window.name = "Category panel: client coordinates of each button";
    window.bitmapName = "CATEG_WND";
    window.size = QSize(800, 116);
    window.probe = QPoint(30, 104);
    window.paintBackground = PaintPanelBackground;
    window.windowRegion = RoundedOutline(Span(0, 0, 799, 115), 6, 78);
    window.outlines.push_back({"CategPanelOutline", window.windowRegion,
                               "The panel's own window region, a polygon region in alternate fill mode."});

    const Outline box{{1, 0}, {15, 0}, {15, 14}, {0, 14}, {0, 0}};
    window.buttons.push_back(MakeButton("CategClose", PushStates("MAINCLOSE"), {782, 100}, box,
                                        EllipseOutline(Span(1, 2, 13, 14), 22), PaintClose));
    window.buttons.push_back(MakeButton("CategUndo", PushStates("UNDO"), {95, 55}, box, box, PaintUndo));

    SkinButton info = MakeButton("CategInfo", PushStates("INFO"), {kInfoX[0], 0}, InfoTagOutline(),
                                 InfoTagOutline(), PaintInfoTag);
    for (int i = 1; i < 6; ++i) {
        info.otherPositions.emplace_back(kInfoX[i], 0);
    }
    window.buttons.push_back(info);

    struct Pager {
        const char* base;
        int x;
        Glyph glyph;
    };
    const Pager pagers[] = {{"FIRST", 408, Glyph::First},
                            {"PREV", 424, Glyph::Prev},
                            {"NEXT", 483, Glyph::Next},
                            {"LAST", 500, Glyph::Last}};
    const Outline round = EllipseOutline(Span(0, 0, 15, 15), 20);
    for (const Pager& pager : pagers) {
        const Glyph glyph = pager.glyph;
        std::string table = std::string("Categ") + pager.base[0] +
                            QString::fromLatin1(pager.base + 1).toLower().toStdString();
        window.buttons.push_back(MakeButton(table, PushStates(pager.base), {pager.x, 98}, round, round,
                                            [glyph](QPainter& p, const Face& f) {
                                                PaintRoundButton(p, f, QRectF(0.6, 0.6, 13.8, 13.8), glyph);
                                            }));
    }
    return window;
}

} // namespace SkinGen
