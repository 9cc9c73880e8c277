// The move pad (142 by 206: the four shift keys as a cross, zoom and rotate keys, three step fields) and
// the adjustment panel (252 by 76: the value bar, minus and plus, the value plate). Both close with the
// small OK disc that the settings dialog shares.

#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Outline.h"
#include "tools/skingen/Painting.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinModel.h"

namespace SkinGen {

namespace {

constexpr int kPadWidth = 142;
constexpr int kPadHeight = 206;
constexpr int kPanelWidth = 252;
constexpr int kPanelHeight = 76;
const QRectF kPanelBar(27, 16, 185, 16);

// The pad's round keys: a 30-pixel disc of 60 points.
Outline PadKeyOutline() {
    return {{1, 12},  {1, 10},  {2, 9},   {2, 8},   {3, 7},   {4, 6},   {4, 5},   {5, 4},   {6, 3},
            {7, 3},   {8, 2},   {9, 2},   {10, 1},  {11, 1},  {18, 1},  {19, 1},  {20, 2},  {21, 2},
            {22, 3},  {23, 3},  {24, 4},  {25, 5},  {25, 6},  {26, 7},  {27, 8},  {27, 9},  {28, 10},
            {28, 12}, {29, 13}, {29, 19}, {28, 20}, {28, 22}, {27, 23}, {27, 24}, {26, 25}, {25, 26},
            {25, 27}, {24, 28}, {23, 29}, {22, 29}, {21, 30}, {20, 30}, {19, 31}, {18, 31}, {11, 31},
            {10, 31}, {9, 30},  {8, 30},  {7, 29},  {6, 29},  {5, 28},  {4, 27},  {4, 26},  {3, 25},
            {2, 24},  {2, 23},  {1, 22},  {1, 20},  {0, 19},  {0, 13}};
}

// The panel's minus and plus: a disc of 52 points.
Outline PanelKeyOutline() {
    return {{2, 11},  {2, 9},   {3, 8},   {3, 7},   {4, 6},   {5, 5},   {6, 4},   {7, 3},   {8, 3},
            {9, 2},   {10, 2},  {11, 1},  {19, 1},  {20, 2},  {21, 2},  {22, 3},  {23, 3},  {24, 4},
            {25, 5},  {26, 6},  {27, 7},  {27, 8},  {28, 9},  {28, 11}, {29, 12}, {29, 18}, {28, 19},
            {28, 21}, {27, 22}, {27, 23}, {26, 24}, {25, 25}, {24, 26}, {23, 27}, {22, 27}, {21, 28},
            {20, 28}, {19, 29}, {11, 29}, {10, 28}, {9, 28},  {8, 27},  {7, 27},  {6, 26},  {5, 25},
            {4, 24},  {3, 23},  {3, 22},  {2, 21},  {2, 19},  {1, 18},  {1, 12}};
}

void PaintChrome(QPainter& p, int width, int height) {
    Paint::FillVertical(p, QRectF(0, 0, width, height), Palette::kChromeTop, Palette::kChromeBottom);
    p.setPen(QPen(Palette::kEdgeDark, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, width - 1, height - 1));
    p.setPen(QPen(Palette::kEdgeLight, 1.0));
    p.drawRect(QRectF(1.5, 1.5, width - 3, height - 3));
}

void Rule(QPainter& p, double y) {
    p.setPen(QPen(Palette::kSeparator, 1.0));
    p.drawLine(QPointF(8, y + 0.5), QPointF(kPadWidth - 8, y + 0.5));
    p.setPen(QPen(Palette::kEdgeLight, 1.0));
    p.drawLine(QPointF(8, y + 1.5), QPointF(kPadWidth - 8, y + 1.5));
}

// A step field's well (the field itself is white) with its unit above it.
void StepWell(QPainter& p, const QRectF& field, const char* unit) {
    Paint::Well(p, Paint::Rounded(field.adjusted(-2, -2, 2, 2), 2.5), QColor(0xFF, 0xFF, 0xFF));
    Paint::Text(p, QRectF(field.left() - 6, field.top() - 13, field.width() + 12, 11),
                QString::fromUtf8(unit), 9, Palette::kCaption, Qt::AlignCenter, false);
}

void PaintPadBackground(QPainter& p) {
    PaintChrome(p, kPadWidth, kPadHeight);
    Paint::EngravedText(p, QRectF(72, 8, 44, 14), QStringLiteral("Bild"), 11, Palette::kAccentDark,
                        Qt::AlignRight | Qt::AlignVCenter);
    Rule(p, 93);
    Rule(p, 135);
    Rule(p, 176);
    StepWell(p, QRectF(95, 42, 30, 16), "Pixel");
    StepWell(p, QRectF(95, 109, 30, 16), "Prozent");
    StepWell(p, QRectF(95, 150, 30, 15), "Grad");
    Paint::Text(p, QRectF(8, 182, 54, 17), QStringLiteral("Fertig"), 9, Palette::kInkSoft,
                Qt::AlignRight | Qt::AlignVCenter, false);
}

void PaintPanelBackground(QPainter& p) {
    PaintChrome(p, kPanelWidth, kPanelHeight);
    Paint::Well(p, Paint::Rounded(kPanelBar.adjusted(-1.5, -1.5, 1.5, 1.5), 3), Palette::kSlateWell);
    Paint::FillVertical(p, kPanelBar, Palette::kAccentPale, Palette::kAccentLight);
    p.setPen(QPen(Palette::kAccentDark, 1.0));
    for (int step = 0; step <= 10; ++step) {
        const double x = kPanelBar.left() + 1 + (kPanelBar.width() - 2) * step / 10.0;
        p.drawLine(QPointF(x, kPanelBar.bottom() - (step % 5 == 0 ? 7 : 4)), QPointF(x, kPanelBar.bottom()));
    }
    Paint::Text(p, QRectF(8, 16, 17, 16), QStringLiteral("0"), 9, Palette::kInkSoft, Qt::AlignCenter, false);
    Paint::Text(p, QRectF(212, 16, 24, 16), QStringLiteral("100"), 9, Palette::kInkSoft, Qt::AlignCenter,
                false);
    // The value label's plate: white digits on slate.
    p.fillPath(Paint::Rounded(QRectF(112, 50, 31, 17), 3), Palette::kSlateTop);
    Paint::EngravedText(p, QRectF(10, 50, 66, 17), QStringLiteral("Stärke"), 10, Palette::kInk,
                        Qt::AlignLeft | Qt::AlignVCenter);
}

enum class Arrow { Up, Down, Left, Right };

void DrawArrow(QPainter& p, QPointF centre, Arrow arrow, const QColor& ink) {
    QPolygonF head;
    head << QPointF(0, -6) << QPointF(6, 2) << QPointF(-6, 2);
    p.save();
    p.translate(centre);
    p.rotate(arrow == Arrow::Up ? 0 : arrow == Arrow::Right ? 90 : arrow == Arrow::Down ? 180 : 270);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(head);
    p.fillRect(QRectF(-1.5, 1, 3, 5), ink);
    p.restore();
}

void PaintRoundKey(QPainter& p, const Face& face, const Outline& outline) {
    Paint::RaisedFace(p, ToPath(outline), face);
}

QPointF KeyCentre(const Face& face) {
    return QPointF(14.5, 16 + (face.pressed ? 1 : 0));
}

void PaintMinus(QPainter& p, QPointF centre, const QColor& ink) {
    p.fillRect(QRectF(centre.x() - 6, centre.y() - 1.4, 12, 2.8), ink);
}

void PaintSmallClose(QPainter& p, const Face& face, const Outline& outline) {
    Paint::RaisedFace(p, ToPath(outline), face);
    const QRectF box = QRectF(Bounds(outline)).adjusted(2.5, 2.5, -2, -2);
    DrawGlyph(p, Glyph::Close, box.translated(0, face.pressed ? 1 : 0),
              face.hover ? Palette::kAccent : Paint::Ink(face));
}

} // namespace

// The small OK disc: 30 points within 16 by 17.
Outline SmallOkOutline() {
    return {{1, 4},   {1, 3},  {2, 2},  {3, 1},  {4, 1},   {5, 0},   {10, 0},  {11, 1},  {12, 1},  {13, 2},
            {14, 3},  {14, 4}, {15, 5}, {15, 8}, {15, 11}, {14, 12}, {14, 13}, {13, 14}, {12, 15}, {11, 15},
            {10, 16}, {5, 16}, {4, 15}, {3, 15}, {2, 14},  {1, 13},  {1, 12},  {1, 11},  {0, 10},  {0, 5}};
}

SkinButton SmallOkButton(std::string table, QPoint position) {
    const Outline disc = SmallOkOutline();
    SkinButton ok = MakeButton(
        std::move(table), PushStates("EINSTELLUNGEN_OK"), position, disc, disc, [](QPainter& p, const Face& f) {
            QPainterPath path;
            path.addEllipse(QRectF(0.5, 0.5, 15, 16));
            Paint::FillVertical(p, path, f.hover ? Palette::kAccentLight : Palette::kAccent,
                                f.pressed ? Palette::kAccent : Palette::kAccentDark);
            p.setPen(QPen(Palette::kAccentDark, 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
            DrawGlyph(p, Glyph::Check, QRectF(3, 3.5 + (f.pressed ? 1 : 0), 10, 10),
                      QColor(0xFF, 0xFF, 0xFF));
        });
    ok.bitmapSize = QSize(16, 17);
    return ok;
}

SkinWindow MovePadSkin() {
    SkinWindow window;
    window.name = "Move pad: client coordinates of each button";
    window.bitmapName = "MOVE_DLG";
    window.size = QSize(kPadWidth, kPadHeight);
    window.probe = QPoint(130, 190);
    window.paintBackground = PaintPadBackground;

    const Outline key = PadKeyOutline();
    struct Key {
        const char* table;
        const char* base;
        QPoint position;
        std::function<void(QPainter&, const Face&)> glyph;
    };
    const auto arrow = [](Arrow direction) {
        return
            [direction](QPainter& p, const Face& f) { DrawArrow(p, KeyCentre(f), direction, Paint::Ink(f)); };
    };
    const auto turn = [](bool left) {
        return [left](QPainter& p, const Face& f) {
            p.save();
            if (left) {
                p.translate(29, 0);
                p.scale(-1, 1);
            }
            DrawGlyph(p, Glyph::Rotate, QRectF(6.5, 8 + (f.pressed ? 1 : 0), 16, 16), Paint::Ink(f));
            p.restore();
        };
    };
    const Key keys[] = {
        {"MoveUp", "MOVE_UP", {33, 12}, arrow(Arrow::Up)},
        {"MoveDown", "MOVE_DOWN", {33, 60}, arrow(Arrow::Down)},
        {"MoveLeft", "MOVE_LEFT", {10, 36}, arrow(Arrow::Left)},
        {"MoveRight", "MOVE_RIGHT", {57, 35}, arrow(Arrow::Right)},
        {"MovePlus",
         "MOVE_PLUS",
         {56, 103},
         [](QPainter& p, const Face& f) {
             DrawGlyph(p, Glyph::Plus, QRectF(7.5, 9 + (f.pressed ? 1 : 0), 14, 14), Paint::Ink(f));
         }},
        {"MoveMinus",
         "MOVE_MINUS",
         {10, 103},
         [](QPainter& p, const Face& f) { PaintMinus(p, KeyCentre(f), Paint::Ink(f)); }},
        {"MoveRotateLeft", "MOVE_ROTATELEFT", {10, 143}, turn(true)},
        {"MoveRotateRight", "MOVE_ROTATERIGHT", {57, 143}, turn(false)},
    };
    for (const Key& k : keys) {
        const auto glyph = k.glyph;
        SkinButton button = MakeButton(k.table, PushStates(k.base), k.position, key, {},
                                       [key, glyph](QPainter& p, const Face& f) {
                                           PaintRoundKey(p, f, key);
                                           glyph(p, f);
                                       });
        window.buttons.push_back(button);
    }
    const Outline closeBox{{1, 0}, {15, 0}, {15, 16}, {0, 16}, {0, 0}};
    window.buttons.push_back(
        MakeButton("MoveClose", PushStates("MOVE_OK"), {120, 8}, closeBox, {},
                   [closeBox](QPainter& p, const Face& f) { PaintSmallClose(p, f, closeBox); }));
    window.outlines.push_back(
        {"MoveOkShape", SmallOkOutline(), "OK at (65, 182): the settings dialog's EINSTELLUNGEN_OK"});
    return window;
}

SkinWindow ToolPanelSkin() {
    SkinWindow window;
    window.name = "Adjustment panel: client coordinates of each button";
    window.bitmapName = "TOOLBAR_EFFECTS";
    window.size = QSize(kPanelWidth, kPanelHeight);
    window.probe = QPoint(190, 60);
    window.paintBackground = PaintPanelBackground;

    const Outline closeBox{{1, 0}, {14, 0}, {14, 15}, {0, 15}, {0, 0}};
    window.buttons.push_back(
        MakeButton("ToolPanelClose", PushStates("TOOLBAR_EFFECTS_CLOSE"), {235, 2}, closeBox, {},
                   [closeBox](QPainter& p, const Face& f) { PaintSmallClose(p, f, closeBox); }));
    window.outlines.push_back(
        {"ToolPanelOkShape", SmallOkOutline(), "OK at (227, 53): the settings dialog's EINSTELLUNGEN_OK"});
    const Outline key = PanelKeyOutline();
    // The minus key has only its up picture here; pressed and focused it shows the effects dialog's.
    SkinButton minus = MakeButton("ToolPanelMinus", {{"TOOLBAR_EFFECTS_MINUSU", {}}}, {82, 44}, key, {},
                                  [key](QPainter& p, const Face& f) {
                                      PaintRoundKey(p, f, key);
                                      PaintMinus(p, QPointF(15, 15.5), Paint::Ink(f));
                                  });
    window.buttons.push_back(minus);
    SkinButton plus =
        MakeButton("ToolPanelPlus", PushStates("TOOLBAR_EFFECTS_PLUS"), {147, 44}, key, {},
                   [key](QPainter& p, const Face& f) {
                       PaintRoundKey(p, f, key);
                       DrawGlyph(p, Glyph::Plus, QRectF(8, 8.5 + (f.pressed ? 1 : 0), 14, 14), Paint::Ink(f));
                   });
    window.buttons.push_back(plus);
    return window;
}

} // namespace SkinGen
