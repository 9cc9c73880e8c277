// The settings dialog: 527 by 410, its push buttons, the sound check box and the arrow strip of the
// skinned combo boxes.

#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Outline.h"
#include "tools/skingen/Painting.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinModel.h"

namespace SkinGen {

namespace {

constexpr int kWidth = 527;
constexpr int kHeight = 410;
constexpr int kListLeft = 43;
constexpr int kFaceWidth = 197; // the closed face of a list: arrow and field

struct ListPlace {
    int top;
    const char* label;
};

const ListPlace kLists[] = {{173, "Scanner-Quelle"},
                            {222, "Standard-Album"},
                            {269, "Seitenvorlage"},
                            {316, "Schablone"},
                            {362, "Rahmen"}};

void PaintSettingsBackground(QPainter& p) {
    Paint::FillVertical(p, QRectF(0, 0, kWidth, kHeight), Palette::kConsoleTop, Palette::kConsoleBottom);
    // The band with the title and the main buttons.
    Paint::FillVertical(p, QRectF(0, 0, kWidth, 152), QColor(0xFB, 0xFB, 0xF7), Palette::kConsoleTop);
    p.setPen(QPen(Palette::kSeparator, 1.0));
    p.drawLine(QPointF(16, 152.5), QPointF(kWidth - 16, 152.5));
    p.setPen(QPen(Palette::kEdgeLight, 1.0));
    p.drawLine(QPointF(16, 153.5), QPointF(kWidth - 16, 153.5));
    p.setPen(QPen(Palette::kEdgeDark, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
    p.setPen(QPen(Palette::kEdgeLight, 1.0));
    p.drawRect(QRectF(1.5, 1.5, kWidth - 3, kHeight - 3));

    Paint::EngravedText(p, QRectF(124, 12, 260, 26), QStringLiteral("Einstellungen"), 21,
                        Palette::kAccentDark, Qt::AlignLeft | Qt::AlignVCenter);
    Paint::Text(p, QRectF(125, 38, 260, 14), QStringLiteral("Vorgaben für Start und neue Projekte"), 10,
                Palette::kCaption, Qt::AlignLeft | Qt::AlignVCenter, false);

    Paint::Text(p, QRectF(3, 31, 44, 12), QStringLiteral("OK"), 9, Palette::kInkSoft);
    Paint::Text(p, QRectF(59, 57, 52, 12), QStringLiteral("Abbrechen"), 9, Palette::kInkSoft);
    Paint::EngravedText(p, QRectF(82, 136, 126, 13), QStringLiteral("Drucker einrichten"), 10, Palette::kInk);
    Paint::EngravedText(p, QRectF(444, 12, 52, 30), QStringLiteral("Klänge"), 10, Palette::kInk,
                        Qt::AlignLeft | Qt::AlignVCenter);

    const int right = Qt::AlignRight | Qt::AlignVCenter;
    Paint::EngravedText(p, QRectF(200, 58, 128, 16), QStringLiteral("Druckskalierung"), 10, Palette::kInk,
                        right);
    Paint::Well(p, Paint::Rounded(QRectF(334.5, 56.5, 37, 19), 2.5), QColor(0xFF, 0xFF, 0xFF));
    Paint::Text(p, QRectF(377, 58, 80, 16), QStringLiteral("-9 bis 9"), 9, Palette::kCaption,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    Paint::EngravedText(p, QRectF(190, 113, 134, 16), QStringLiteral("Drucker justieren"), 10, Palette::kInk,
                        right);

    for (const ListPlace& list : kLists) {
        Paint::EngravedText(p, QRectF(kListLeft + 2, list.top - 15, kFaceWidth, 13),
                            QString::fromUtf8(list.label), 10, Palette::kInkSoft,
                            Qt::AlignLeft | Qt::AlignVCenter);
        Paint::Well(p, Paint::Rounded(QRectF(kListLeft - 1.5, list.top - 1.5, kFaceWidth + 3, 25), 4),
                    Palette::kWell);
    }

    // A note beside the lists.
    const QRectF note(272, 168, 236, 150);
    QPainterPath card = Paint::Rounded(note, 6);
    p.fillPath(card, QColor(0xFF, 0xFF, 0xFF, 120));
    p.setPen(QPen(Palette::kSeparator, 1.0));
    p.drawPath(card);
    DrawGlyph(p, Glyph::Info, QRectF(note.left() + 12, note.top() + 12, 14, 14), Palette::kAccent);
    Paint::Text(p, QRectF(note.left() + 30, note.top() + 10, 190, 18), QStringLiteral("Gut zu wissen"), 11,
                Palette::kAccentDark, Qt::AlignLeft | Qt::AlignVCenter);
    Paint::Text(
        p, note.adjusted(14, 36, -14, -10),
        QStringLiteral("Album, Seitenvorlage, Schablone und Rahmen stehen beim Start sofort bereit. "
                       "Die Druckskalierung passt die Größe jedes Ausdrucks in Stufen von -9 bis 9 an."),
        10, Palette::kInkSoft, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, false);
}

void PaintRound(QPainter& p, const Face& face, const QRectF& disc, Glyph glyph, double glyphInset,
                QColor ink) {
    QPainterPath path;
    path.addEllipse(disc);
    Paint::RaisedFace(p, path, face);
    DrawGlyph(
        p, glyph,
        disc.adjusted(glyphInset, glyphInset, -glyphInset, -glyphInset).translated(0, face.pressed ? 1 : 0),
        ink);
}

void PaintSmallClose(QPainter& p, const Face& face) {
    QPainterPath circle;
    circle.addEllipse(QPointF(7, 7.5), 6.3, 6.3);
    Paint::RaisedFace(p, circle, face);
    if (face.hover) {
        p.fillPath(circle, QColor(0xD0, 0x4A, 0x3C, 210));
    }
    DrawGlyph(p, Glyph::Close, QRectF(2, 2.5, 10, 10),
              face.hover ? QColor(0xFF, 0xFF, 0xFF) : Paint::Ink(face));
}

void PaintPrintSetup(QPainter& p, const Face& face) {
    QPainterPath disc;
    disc.addEllipse(QRectF(0.8, 0.8, 73.4, 73.4));
    Paint::RaisedFace(p, disc, face);
    QPainterPath inner;
    inner.addEllipse(QRectF(7, 7, 61, 61));
    p.setPen(QPen(face.hover ? Palette::kAccentLight : QColor(0xFF, 0xFF, 0xFF, 160), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(inner);
    const QPointF offset(0, face.pressed ? 1 : 0);
    DrawGlyph(p, Glyph::Printer, QRectF(16, 14, 42, 42).translated(offset), Paint::Ink(face));
    // A small gear says "set up".
    QPainterPath badge;
    badge.addEllipse(QRectF(45, 43, 17, 17).translated(offset));
    p.fillPath(badge, face.pressed ? Palette::kFacePressedTop : QColor(0xFF, 0xFF, 0xFF));
    DrawGlyph(p, Glyph::Gear, QRectF(46.5, 44.5, 14, 14).translated(offset), Palette::kAccent);
}

void PaintSoundBox(QPainter& p, const Face& face) {
    Paint::RaisedFace(p, Paint::Rounded(QRectF(1.5, 1.5, 25, 27), 6), face);
    const QColor ink =
        face.checked ? QColor(0xFF, 0xFF, 0xFF) : (face.hover ? Palette::kAccent : Palette::kInkMuted);
    DrawGlyph(p, Glyph::Speaker, QRectF(3, 4, 22, 22), ink);
    if (!face.checked) {
        // Off: the speaker is struck through.
        p.setPen(QPen(face.hover ? Palette::kAccent : Palette::kInkSoft, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 22), QPointF(22, 8));
    }
}

void PaintComboArrows(QPainter& p) {
    // Two images side by side: the hot one at x = 0, the normal one at x = 37.
    p.fillRect(QRectF(0, 0, 74, 38), Palette::kPaleField);
    for (int cell = 0; cell < 2; ++cell) {
        const bool hot = cell == 0;
        const QPointF centre(37 * cell + 17, 19);
        QPainterPath disc;
        disc.addEllipse(centre, 9.2, 9.2);
        if (hot) {
            Paint::Shadow(p, disc, QPointF(0, 1), 2, 90);
            Paint::FillVertical(p, disc, Palette::kAccentLight, Palette::kAccent);
            p.setPen(QPen(Palette::kAccentDark, 1.0));
        } else {
            Paint::RaisedFace(p, disc, Face{});
            p.setPen(Qt::NoPen);
        }
        p.setBrush(Qt::NoBrush);
        p.drawPath(disc);
        QPolygonF arrow;
        arrow << centre + QPointF(-4.5, -2) << centre + QPointF(4.5, -2) << centre + QPointF(0, 3.5);
        p.setPen(Qt::NoPen);
        p.setBrush(hot ? QColor(0xFF, 0xFF, 0xFF) : Palette::kInk);
        p.drawPolygon(arrow);
    }
}

} // namespace

SkinWindow SettingsDialogSkin() {
    SkinWindow window;
    window.name = "Settings dialog: client coordinates of each button";
    window.bitmapName = "EINSTELLUNGEN_WND";
    window.size = QSize(kWidth, kHeight);
    window.probe = QPoint(30, 395);
    window.paintBackground = PaintSettingsBackground;

    window.buttons.push_back(SmallOkButton("SettingsOk", {17, 12}));
    const Outline cancelShape = EllipseOutline(Span(1, 1, 43, 43), 30);
    window.buttons.push_back(MakeButton("SettingsCancel", PushStates("EINSTELLUNGEN_CANCEL"), {63, 12},
                                        cancelShape, cancelShape, [](QPainter& p, const Face& f) {
                                            PaintRound(p, f, QRectF(1.5, 1.5, 41, 41), Glyph::Cross, 10,
                                                       Paint::Ink(f));
                                        }));
    const Outline closeShape{{1, 0}, {14, 0}, {14, 15}, {0, 15}, {0, 0}};
    window.buttons.push_back(MakeButton("SettingsClose", PushStates("EINSTELLUNGEN_CLOSE"), {500, 12},
                                        closeShape, closeShape, PaintSmallClose));
    const Outline printShape = EllipseOutline(Span(0, 0, 75, 75), 125);
    window.buttons.push_back(MakeButton("SettingsPrint", PushStates("EINSTELLUNGEN_PRINT"), {107, 58},
                                        printShape, printShape, PaintPrintSetup));
    const Outline offsetsShape = EllipseOutline(Span(1, 2, 27, 28), 48);
    SkinButton offsets =
        MakeButton("SettingsJustieren", PushStates("EINSTELLUNGEN_JUSTIEREN"), {332, 106}, offsetsShape,
                   offsetsShape, [](QPainter& p, const Face& f) {
                       PaintRound(p, f, QRectF(1.5, 2.5, 25, 25), Glyph::Crosshair, 4, Paint::Ink(f));
                   });
    offsets.bitmapSize = QSize(28, 30);
    window.buttons.push_back(offsets);
    // The check box sizes itself to its up bitmap: 28 by 30.
    const Outline soundShape = RoundedOutline(Span(1, 1, 27, 29), 6, 36);
    SkinButton sound = MakeButton("SettingsSnd", CheckStates("EINSTELLUNGEN_SND"), {411, 12}, soundShape,
                                  soundShape, PaintSoundBox);
    sound.bitmapSize = QSize(28, 30);
    window.buttons.push_back(sound);

    window.bitmaps.push_back({"EINSTELLUNGEN_COMBO", QSize(74, 38), QPoint(37 + 17, 14), PaintComboArrows});
    return window;
}

} // namespace SkinGen
