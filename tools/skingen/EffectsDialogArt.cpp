// The effects dialog: 800 by 600, the round OK disc between the undo and cancel crescents at the top
// left, the strength bar and the effect list on the left, the large preview on the right, and the
// five preset slots beneath it. Also the effect list's arrow strip and the red-eye colour swatches.

#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Outline.h"
#include "tools/skingen/Painting.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinModel.h"

#include <QtMath>
#include <algorithm>

namespace SkinGen {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
const QRect kOriginal = Span(34, 275, 239, 422);
const QRect kPreview = Span(295, 95, 773, 481);
const QRect kFirstPreset = Span(282, 511, 369, 594);
constexpr int kPresetStep = 105;
const QRectF kBar(43, 193, 186, 28);
const QPointF kOkCentre(98 + 38.5, 40 + 38.5);

// The OK disc's outline: 150 points round it, starting on its left side as the table in the dialog does.
Outline OkOutline() {
    Outline ring = EllipseOutline(Span(0, 0, 77, 77), 150);
    const auto start = std::min_element(ring.begin(), ring.end(), [](QPoint a, QPoint b) {
        return QLineF(a, QPoint(1, 31)).length() < QLineF(b, QPoint(1, 31)).length();
    });
    std::rotate(ring.begin(), start, ring.end());
    const QPoint given[] = {{1, 31}, {1, 26}, {2, 25}, {2, 23}, {3, 22}};
    std::copy(std::begin(given), std::end(given), ring.begin());
    return ring;
}

// A crescent that hugs the OK disc on one side: an outer arc and an inner arc back, centred on the
// disc, in the button's own coordinates and clamped into bounds.
Outline Crescent(QPoint position, double outer, double inner, double fromDegrees, double toDegrees,
                 int outerCount, int innerCount, QRect bounds) {
    Outline outline;
    const QPointF centre = kOkCentre - QPointF(position);
    const auto add = [&](double radius, double degrees) {
        const double a = qDegreesToRadians(degrees);
        QPoint point(qRound(centre.x() + radius * std::cos(a)), qRound(centre.y() - radius * std::sin(a)));
        point.setX(std::clamp(point.x(), bounds.left(), bounds.right()));
        point.setY(std::clamp(point.y(), bounds.top(), bounds.bottom()));
        outline.push_back(point);
    };
    for (int i = 0; i < outerCount; ++i)
        add(outer, fromDegrees + (toDegrees - fromDegrees) * i / (outerCount - 1));
    for (int i = 0; i < innerCount; ++i)
        add(inner, toDegrees - (toDegrees - fromDegrees) * i / (innerCount - 1));
    return outline;
}

void Caption(QPainter& p, const QRectF& box, const char* text, double size = 10) {
    Paint::EngravedText(p, box, QString::fromUtf8(text), size, Palette::kInk,
                        Qt::AlignLeft | Qt::AlignVCenter);
}

void PaintEffectsBackground(QPainter& p) {
    Paint::FillVertical(p, QRectF(0, 0, kWidth, kHeight), Palette::kConsoleTop, Palette::kConsoleBottom);
    // The left console with the controls.
    Paint::FillVertical(p, Paint::Rounded(QRectF(12.5, 10.5, 250, 578), 10), Palette::kChromeTop,
                        Palette::kChromeBottom);
    p.setPen(QPen(Palette::kEdgeDark, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
    p.drawPath(Paint::Rounded(QRectF(12.5, 10.5, 250, 578), 10));

    Paint::EngravedText(p, QRectF(290, 24, 300, 30), QStringLiteral("Effekte"), 24, Palette::kAccentDark,
                        Qt::AlignLeft | Qt::AlignVCenter);
    Paint::Text(p, QRectF(292, 56, 360, 16), QStringLiteral("Bild anpassen – das Original bleibt erhalten"),
                10, Palette::kCaption, Qt::AlignLeft | Qt::AlignVCenter, false);

    // Strength: a slate track with a scale.
    Caption(p, QRectF(43, 140, 200, 16), "Effekt wählen");
    Paint::Well(p, Paint::Rounded(QRectF(31.5, 156.5, 213, 26), 4), Palette::kWell);
    Paint::Well(p, Paint::Rounded(kBar.adjusted(-1.5, -1.5, 1.5, 1.5), 3), Palette::kSlateWell);
    Paint::FillVertical(p, kBar, Palette::kAccentPale, Palette::kAccentLight);
    p.setPen(QPen(Palette::kAccentDark, 1.0));
    for (int step = 0; step <= 10; ++step) {
        const double x = kBar.left() + 1 + (kBar.width() - 2) * step / 10.0;
        p.drawLine(QPointF(x, kBar.bottom() - (step % 5 == 0 ? 9 : 5)), QPointF(x, kBar.bottom()));
    }
    Paint::Text(p, QRectF(43, 222, 40, 12), QStringLiteral("0"), 9, Palette::kInkSoft,
                Qt::AlignLeft | Qt::AlignTop, false);
    Paint::Text(p, QRectF(189, 222, 40, 12), QStringLiteral("100"), 9, Palette::kInkSoft,
                Qt::AlignRight | Qt::AlignTop, false);
    // The strength label's plate: white digits on slate.
    p.fillPath(Paint::Rounded(QRectF(119, 231, 34, 22), 4), Palette::kSlateTop);
    Caption(p, QRectF(34, 257, 200, 16), "Original");

    // The original and the preview in wells.
    Paint::Well(p, Paint::Rounded(QRectF(kOriginal).adjusted(-3, -3, 4, 4), 4),
                QColor(0xD3 + 0x1C, 0xF1, 0xEF));
    Paint::Well(p, Paint::Rounded(QRectF(kPreview).adjusted(-4, -4, 5, 5), 6), QColor(0xEF, 0xF1, 0xD3));
    Caption(p, QRectF(295, 74, 200, 16), "Vorschau");
    Caption(p, QRectF(282, 490, 300, 16), "Vorschläge – Klick übernimmt die Stärke");
    for (int i = 0; i < 5; ++i) {
        const QRectF slot = QRectF(kFirstPreset).translated(kPresetStep * i, 0);
        Paint::Well(p, Paint::Rounded(slot.adjusted(-3, -3, 4, 4), 4), Palette::kWell);
    }
    // The colour-mode keys and their names.
    Paint::Text(p, QRectF(74, 530, 66, 22), QStringLiteral("2 Farben"), 9, Palette::kInkSoft,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    Paint::Text(p, QRectF(173, 530, 80, 22), QStringLiteral("256 Farben"), 9, Palette::kInkSoft,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    Paint::Text(p, QRectF(74, 560, 66, 22), QStringLiteral("Graustufen"), 9, Palette::kInkSoft,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    Paint::Text(p, QRectF(173, 560, 80, 22), QStringLiteral("Echtfarben"), 9, Palette::kInkSoft,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    Paint::Text(p, QRectF(40, 497, 80, 14), QStringLiteral("Spiegeln"), 9, Palette::kInkSoft,
                Qt::AlignHCenter | Qt::AlignVCenter, false);
    Paint::Text(p, QRectF(152, 497, 80, 14), QStringLiteral("Drehen"), 9, Palette::kInkSoft,
                Qt::AlignHCenter | Qt::AlignVCenter, false);
    Paint::Text(p, QRectF(640, 66, 100, 14), QStringLiteral("Zurücksetzen"), 9, Palette::kInkSoft,
                Qt::AlignRight | Qt::AlignVCenter, false);
}

void PaintKey(QPainter& p, const Face& face, const Outline& outline, Glyph glyph, QRectF glyphBox) {
    Paint::RaisedFace(p, ToPath(outline), face);
    DrawGlyph(p, glyph, glyphBox.translated(0, face.pressed ? 1 : 0), Paint::Ink(face));
}

void PaintLabelKey(QPainter& p, const Face& face, const Outline& outline, const char* label) {
    Paint::RaisedFace(p, ToPath(outline), face);
    const QRectF box = QRectF(Bounds(outline)).translated(0, face.pressed ? 1 : 0);
    Paint::Text(p, box, QString::fromUtf8(label), 10, Paint::Ink(face), Qt::AlignCenter, true);
}

void PaintOk(QPainter& p, const Face& face) {
    QPainterPath disc;
    disc.addEllipse(QRectF(1, 1, 75.5, 75.5));
    Paint::Shadow(p, disc, QPointF(1.5, 1.5), 3, 150);
    Paint::FillVertical(p, disc, face.hover ? Palette::kAccentLight : Palette::kAccent,
                        face.pressed ? Palette::kAccent : Palette::kAccentDark);
    p.setPen(QPen(Palette::kAccentDark, 1.0));
    p.drawPath(disc);
    const double dy = face.pressed ? 1 : 0;
    DrawGlyph(p, Glyph::Check, QRectF(22, 16 + dy, 34, 34), QColor(0xFF, 0xFF, 0xFF));
    Paint::Text(p, QRectF(10, 50 + dy, 58, 14), QStringLiteral("OK"), 12, QColor(0xFF, 0xFF, 0xFF),
                Qt::AlignCenter, true);
}

void PaintCrescent(QPainter& p, const Face& face, const Outline& outline, const char* label, QPointF at) {
    Paint::RaisedFace(p, ToPath(outline), face);
    p.save();
    p.translate(at + QPointF(0, face.pressed ? 1 : 0));
    p.rotate(-90);
    Paint::Text(p, QRectF(-40, -7, 80, 14), QString::fromUtf8(label), 9, Paint::Ink(face), Qt::AlignCenter,
                true);
    p.restore();
}

void PaintCrop(QPainter& p, const Face& face) {
    const QRectF box(2, 2, 52, 26);
    Paint::RaisedFace(p, Paint::Rounded(box, 5), face);
    const QColor ink = face.checked ? Palette::kAccent : Paint::Ink(face);
    p.setPen(QPen(ink, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(8, 8, 12, 12));
    p.drawLine(QPointF(6, 11), QPointF(8, 11));
    p.drawLine(QPointF(17, 20), QPointF(17, 22));
    Paint::Text(p, QRectF(22, 6, 30, 16), face.checked ? QStringLiteral("Ein") : QStringLiteral("Aus"), 9,
                ink, Qt::AlignCenter, true);
}

void PaintComboArrows(QPainter& p) {
    // The hot arrow at x = 0, the normal one at x = 36, both from y = 8, 35 by 22.
    p.fillRect(QRectF(0, 0, 74, 38), Palette::kPaleField);
    for (int cell = 0; cell < 2; ++cell) {
        const bool hot = cell == 0;
        const QRectF key(36 * cell + 2.5, 9.5, 31, 19);
        QPainterPath face = Paint::Rounded(key, 5);
        Paint::FillVertical(p, face, hot ? Palette::kAccentLight : Palette::kFaceTop,
                            hot ? Palette::kAccent : Palette::kFaceBottom);
        p.setPen(QPen(Palette::kFaceBorder, 1.0));
        p.drawPath(face);
        QPainterPath arrow;
        const QPointF c = key.center();
        arrow.moveTo(c + QPointF(-5, -2.5));
        arrow.lineTo(c + QPointF(5, -2.5));
        arrow.lineTo(c + QPointF(0, 3.5));
        arrow.closeSubpath();
        p.fillPath(arrow, hot ? QColor(0xFF, 0xFF, 0xFF) : Palette::kInk);
    }
}

// A red-eye swatch: an eye whose iris has the preset colour.
std::function<void(QPainter&)> EyeSwatch(QColor iris) {
    return [iris](QPainter& p) {
        p.fillRect(QRectF(0, 0, 86, 80), QColor(0xF4, 0xE4, 0xD8));
        QPainterPath eye;
        eye.moveTo(6, 40);
        eye.quadTo(43, 4, 80, 40);
        eye.quadTo(43, 76, 6, 40);
        p.fillPath(eye, QColor(0xFF, 0xFF, 0xFF));
        QPainterPath ball;
        ball.addEllipse(QPointF(43, 40), 19, 19);
        p.fillPath(ball, iris);
        QPainterPath pupil;
        pupil.addEllipse(QPointF(43, 40), 8, 8);
        p.fillPath(pupil, QColor(0x10, 0x10, 0x10));
        QPainterPath glint;
        glint.addEllipse(QPointF(48, 35), 3, 3);
        p.fillPath(glint, QColor(0xFF, 0xFF, 0xFF));
        p.setPen(QPen(QColor(0x6B, 0x4A, 0x3A), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(eye);
    };
}

} // namespace

SkinWindow EffectsDialogSkin() {
    SkinWindow window;
    window.name = "Effects dialog: client coordinates of each button";
    window.bitmapName = "EFFEKTE_WND";
    window.size = QSize(kWidth, kHeight);
    window.probe = QPoint(600, 30);
    window.paintBackground = PaintEffectsBackground;

    const Outline closeBox{{1, 0}, {14, 0}, {14, 15}, {0, 15}, {0, 0}};
    window.buttons.push_back(MakeButton("EffectsClose", PushStates("EFFECTS_CLOSE"), {780, 12}, closeBox,
                                        closeBox, [closeBox](QPainter& p, const Face& f) {
                                            PaintKey(p, f, closeBox, Glyph::Close, QRectF(2, 2.5, 11, 11));
                                        }));

    const Outline ok = OkOutline();
    window.buttons.push_back(MakeButton("EffectsOk", PushStates("EFFECTS_OK"), {98, 40}, ok, ok, PaintOk));

    const Outline stepBox{{1, 0}, {26, 0}, {26, 24}, {0, 24}, {0, 0}};
    const Outline minusHit{{5, 7},   {5, 6},   {6, 5},   {7, 4},   {8, 4},   {9, 3},   {17, 3},
                           {18, 4},  {19, 4},  {20, 5},  {21, 6},  {21, 7},  {22, 8},  {22, 17},
                           {21, 18}, {21, 19}, {20, 20}, {19, 21}, {18, 21}, {17, 22}, {9, 22},
                           {8, 21},  {7, 21},  {6, 20},  {5, 19},  {5, 18},  {4, 17},  {4, 8}};
    window.buttons.push_back(
        MakeButton("EffectsMinus", PushStates("EFFECTS_MINUS"), {88, 228}, stepBox, minusHit,
                   [minusHit](QPainter& p, const Face& f) { PaintLabelKey(p, f, minusHit, "−"); }));
    const Outline plusHit = RoundedOutline(Span(3, 3, 22, 21), 5, 32);
    window.buttons.push_back(
        MakeButton("EffectsPlus", PushStates("EFFECTS_PLUS"), {153, 228}, stepBox, plusHit,
                   [plusHit](QPainter& p, const Face& f) { PaintLabelKey(p, f, plusHit, "+"); }));

    const Outline modeBox{{1, 0}, {26, 0}, {26, 25}, {0, 25}, {0, 0}};
    const Outline bwHit = RoundedOutline(Span(3, 3, 22, 22), 5, 28);
    window.buttons.push_back(MakeButton("EffectsBw", PushStates("EFFECTS_BW"), {44, 528}, modeBox, bwHit,
                                        [bwHit](QPainter& p, const Face& f) {
                                            // The button fills its two colour squares over this face.
                                            Paint::RaisedFace(p, ToPath(bwHit), f);
                                            p.setPen(QPen(Palette::kInkSoft, 1.0));
                                            p.setBrush(Qt::NoBrush);
                                            p.drawRect(QRectF(6.5, 6.5, 13, 13));
                                        }));
    const struct {
        const char* table;
        const char* base;
        QPoint position;
        Glyph glyph;
    } modes[] = {{"Effects256", "EFFECTS_256", {143, 528}, Glyph::Colors256},
                 {"EffectsGray", "EFFECTS_GRAY", {44, 558}, Glyph::Grayscale},
                 {"EffectsTrue", "EFFECTS_TRUE", {143, 558}, Glyph::TrueColors}};
    for (const auto& mode : modes) {
        const Outline hit = RoundedOutline(Span(2, 3, 21, 22), 5, 28);
        const Glyph glyph = mode.glyph;
        window.buttons.push_back(MakeButton(
            mode.table, PushStates(mode.base), mode.position, modeBox, hit,
            [hit, glyph](QPainter& p, const Face& f) { PaintKey(p, f, hit, glyph, QRectF(5, 6, 14, 14)); }));
    }

    const Outline bigBox{{1, 0}, {42, 0}, {42, 42}, {0, 42}, {0, 0}};
    const Outline mirrorHit = EllipseOutline(Span(6, 5, 36, 36), 59);
    window.buttons.push_back(MakeButton("EffectsMirror", PushStates("EFFECTS_MIRROR"), {58, 453}, bigBox,
                                        mirrorHit, [mirrorHit](QPainter& p, const Face& f) {
                                            PaintKey(p, f, mirrorHit, Glyph::Mirror, QRectF(11, 10, 21, 21));
                                        }));
    const Outline rotateHit = EllipseOutline(Span(6, 5, 36, 36), 48);
    window.buttons.push_back(MakeButton("EffectsRotate", PushStates("EFFECTS_ROTATE"), {171, 453}, bigBox,
                                        rotateHit, [rotateHit](QPainter& p, const Face& f) {
                                            PaintKey(p, f, rotateHit, Glyph::Rotate, QRectF(11, 10, 21, 21));
                                        }));

    // Cancel and undo hug the OK disc from the right and from the left.
    const Outline cancel = Crescent({143, 25}, 54, 41, -80, 80, 100, 100, Span(0, 0, 49, 108));
    window.buttons.push_back(MakeButton(
        "EffectsCancel", PushStates("EFFECTS_CANCEL"), {143, 25}, cancel, cancel,
        [cancel](QPainter& p, const Face& f) { PaintCrescent(p, f, cancel, "Abbrechen", QPointF(40, 54)); }));
    const Outline undo = Crescent({81, 21}, 52, 41, 100, 260, 98, 97, Span(3, 4, 51, 112));
    window.buttons.push_back(MakeButton(
        "EffectsUndo", PushStates("EFFECTS_UNDO"), {81, 21}, undo, undo,
        [undo](QPainter& p, const Face& f) { PaintCrescent(p, f, undo, "Rückgängig", QPointF(10, 58)); }));

    const Outline closeBar{{2, 1}, {70, 1}, {70, 21}, {1, 21}, {1, 1}};
    const Outline closeBarHit = RoundedOutline(Span(3, 3, 70, 21), 6, 26);
    window.buttons.push_back(MakeButton(
        "EffectsCancel2", PushStates("EFFECTS_CANCEL2"), {170, 111}, closeBar, closeBarHit,
        [closeBarHit](QPainter& p, const Face& f) { PaintLabelKey(p, f, closeBarHit, "Schließen"); }));
    const Outline undoBar{{2, 1}, {73, 1}, {73, 20}, {1, 20}, {1, 1}};
    const Outline undoBarHit = RoundedOutline(Span(2, 2, 72, 20), 6, 25);
    window.buttons.push_back(
        MakeButton("EffectsUndo2", PushStates("EFFECTS_UNDO2"), {31, 111}, undoBar, undoBarHit,
                   [undoBarHit](QPainter& p, const Face& f) { PaintLabelKey(p, f, undoBarHit, "Zurück"); }));

    const Outline resetRing = EllipseOutline(Span(0, 0, 42, 42), 74);
    const Outline resetHit = EllipseOutline(Span(6, 6, 36, 36), 56);
    window.buttons.push_back(MakeButton("EffectsInitPict", PushStates("EFFECTS_INITPICT"), {720, 20},
                                        resetRing, resetHit, [resetRing](QPainter& p, const Face& f) {
                                            PaintKey(p, f, resetRing, Glyph::Original,
                                                     QRectF(10, 10, 23, 23));
                                        }));
    // The album button has the reset button's shapes; the dialog creates it.
    window.buttons.push_back(MakeButton("EffectsSaveAlbum", PushStates("EFFECTS_SAVEALBUM"), {665, 20},
                                        resetRing, resetHit, [resetRing](QPainter& p, const Face& f) {
                                            PaintKey(p, f, resetRing, Glyph::Library, QRectF(10, 10, 23, 23));
                                        }));

    const Outline cropBox{{1, 0}, {56, 0}, {56, 30}, {0, 30}, {0, 0}};
    window.buttons.push_back(MakeButton("EffectsCrop",
                                        {{"EFFECTS_CROPUU", {}},
                                         {"EFFECTS_CROPDU", {.checked = true}},
                                         {"EFFECTS_CROPUF", {.hover = true}},
                                         {"EFFECTS_CROPDF", {.hover = true, .checked = true}}},
                                        {102, 428}, cropBox, {}, PaintCrop));

    window.bitmaps.push_back({"EFFECTS_COMBO", QSize(74, 38), QPoint(18, 19), PaintComboArrows});
    const struct {
        const char* name;
        QRgb colour; // COLORREF 0x00BBGGRR of the preset
    } swatches[] = {{"REDEYE_1", 0x8A7B43},
                    {"REDEYE_2", 0x5A6A96},
                    {"REDEYE_3", 0x9AB6BA},
                    {"REDEYE_4", 0x5C9459},
                    {"REDEYE_5", 0x965D5C}};
    for (const auto& swatch : swatches) {
        const QColor iris(static_cast<int>(swatch.colour & 0xFF),
                          static_cast<int>((swatch.colour >> 8) & 0xFF),
                          static_cast<int>((swatch.colour >> 16) & 0xFF));
        window.bitmaps.push_back({swatch.name, QSize(86, 80), QPoint(43, 40), EyeSwatch(iris)});
    }
    return window;
}

} // namespace SkinGen
