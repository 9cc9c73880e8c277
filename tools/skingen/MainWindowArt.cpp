// The main window: the 800 by 600 background, the knob with its nine labels and the round "Print"
// button in its middle, the mode buttons, the tool strip along the top and the caption buttons.

#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Outline.h"
#include "tools/skingen/Painting.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinModel.h"

#include <QRadialGradient>
#include <array>
#include <cmath>
#include <numbers>

namespace SkinGen {

namespace {

// The knob outline is a circle around this centre; the "Print" disc sits in its hole.
const QPointF kKnobCentre(108.0, 111.0);
constexpr double kKnobRadius = 71.0;
const QPoint kPrintPosition(62, 62);
const QRect kPrintBounds = Span(0, 0, 97, 97);
const QRect kCanvas = Span(197, 40, 766, 474);
constexpr int kConsoleRight = 191;
constexpr int kTopBarBottom = 32;

// Where a label puts its picture, if it has one.
enum class LabelLayout { TextOnly, GlyphAbove, GlyphLeft };

struct KnobLabel {
    const char* table;
    const char* base;
    const char* text;
    QPoint position;
    Outline shape;
    Outline hit;
    double textSize;
    LabelLayout layout = LabelLayout::TextOnly;
    Glyph glyph = Glyph::Info;
    // What the text box of a text-only label takes off the top of its pill; -1 grows the box upwards and
    // so sets the text half a pixel above the pill's middle.
    double textTopInset = -1;
};

KnobLabel Label(const char* table, const char* base, const char* text, QPoint position, Outline shape,
                Outline hit, double textSize, LabelLayout layout = LabelLayout::TextOnly,
                Glyph glyph = Glyph::Info) {
    return {table, base, text, position, std::move(shape), std::move(hit), textSize, layout, glyph};
}

// The nine labels around the knob, in knob position order.
std::vector<KnobLabel> KnobLabels() {
    const Outline scanner{{2, 1}, {41, 1}, {41, 9}, {1, 9}, {1, 1}};
    const Outline camera{{2, 1}, {38, 1}, {38, 9}, {1, 9}, {1, 1}};
    const Outline disk{{1, 1}, {28, 1}, {28, 10}, {1, 10}, {1, 1}};
    const Outline laden = RoundedOutline(Span(1, 1, 38, 29), 5, 25);
    const Outline speichern = RoundedOutline(Span(1, 1, 52, 21), 5, 21);
    const Outline album = RoundedOutline(Span(1, 5, 44, 19), 5, 28);
    const Outline effekte = RoundedOutline(Span(1, 2, 45, 14), 5, 18);
    const Outline einstellungen = RoundedOutline(Span(1, 1, 82, 15), 5, 19);
    const Outline drucken = RoundedOutline(Span(1, 2, 49, 27), 5, 22);
    using enum LabelLayout;
    // The three labels above the knob lie above it; their shapes stop short of its rim.
    return {
        Label("MainLaden", "LADEN", "Laden", QPoint(94, 10), laden, RoundedOutline(Span(2, 1, 38, 29), 5, 25),
              10, GlyphAbove, Glyph::Folder),
        Label("MainSpeichern", "SPEICHERN", "Speichern", QPoint(42, 17), speichern, speichern, 10),
        Label("MainAlbum", "ALBUM", "Album", QPoint(23, 34), album, album, 10),
        Label("MainScanner", "SCANNER", "Scanner", QPoint(3, 80), scanner, scanner, 9),
        Label("MainCamera", "CAMERA", "Kamera", QPoint(2, 92), camera, camera, 9),
        Label("MainDisk", "DISK", "Datei", QPoint(11, 104), disk, disk, 9),
        Label("MainEffekte", "EFFEKTE", "Effekte", QPoint(1, 145), effekte, effekte, 10),
        Label("MainEinstellungen", "EINSTELLUNGEN", "Einstellungen", QPoint(2, 178), einstellungen,
              einstellungen, 9.5, GlyphLeft, Glyph::Gear),
        Label("MainDrucken", "DRUCKEN", "Drucken", QPoint(84, 181), drucken, drucken, 9.5, GlyphAbove,
              Glyph::Printer),
    };
}

// The direction (radians, screen orientation) in which the knob points at a label.
double PointerAngle(const KnobLabel& label) {
    const QRect bounds = Bounds(label.shape);
    const QPointF centre = QPointF(label.position) + QRectF(bounds).center();
    return std::atan2(centre.y() - kKnobCentre.y(), centre.x() - kKnobCentre.x());
}

QPointF OnKnob(double angle, double radius) {
    return kKnobCentre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
}

// The knob face; position 0 draws it pointing nowhere (the background under the knob).
void PaintKnob(QPainter& p, int position) {
    const std::vector<KnobLabel> labels = KnobLabels();
    QPainterPath disc;
    disc.addEllipse(kKnobCentre, kKnobRadius - 0.6, kKnobRadius - 0.6);
    QLinearGradient face(kKnobCentre + QPointF(-55, -60), kKnobCentre + QPointF(50, 62));
    face.setColorAt(0.0, QColor(0xFC, 0xFC, 0xF8));
    face.setColorAt(0.55, QColor(0xE2, 0xE5, 0xDA));
    face.setColorAt(1.0, QColor(0xBC, 0xC2, 0xB0));
    p.fillPath(disc, face);
    // Fine turned rings.
    for (double r = 50.0; r < kKnobRadius - 2; r += 1.5) {
        QColor line =
            (static_cast<int>(r * 2) % 3 == 0) ? QColor(0xFF, 0xFF, 0xFF, 40) : QColor(0x70, 0x78, 0x66, 16);
        p.setPen(QPen(line, 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(kKnobCentre, r, r);
    }
    // The socket of the "Print" disc.
    const QPointF printCentre = QPointF(kPrintPosition) + QPointF(48.5, 48.5);
    QRadialGradient socket(printCentre, 55);
    socket.setColorAt(0.86, QColor(0x40, 0x48, 0x3C, 120));
    socket.setColorAt(0.93, QColor(0x40, 0x48, 0x3C, 30));
    socket.setColorAt(1.0, QColor(0x40, 0x48, 0x3C, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(socket);
    p.drawEllipse(printCentre, 55, 55);
    // The rim.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 200), 1.0));
    p.drawEllipse(kKnobCentre, kKnobRadius - 2.0, kKnobRadius - 2.0);
    p.setPen(QPen(Palette::kEdgeDark, 1.2));
    p.drawEllipse(kKnobCentre, kKnobRadius - 0.9, kKnobRadius - 0.9);
    // One mark per position; the current one carries the pointer.
    for (size_t i = 0; i < labels.size(); ++i) {
        const double angle = PointerAngle(labels[i]);
        const bool current = static_cast<int>(i) + 1 == position;
        if (current) {
            QPen glow(QColor(Palette::kAccentLight.red(), Palette::kAccentLight.green(),
                             Palette::kAccentLight.blue(), 110),
                      7.0);
            glow.setCapStyle(Qt::RoundCap);
            p.setPen(glow);
            p.drawLine(OnKnob(angle, 56), OnKnob(angle, 65));
            QPen pointer(Palette::kAccent, 3.6);
            pointer.setCapStyle(Qt::RoundCap);
            p.setPen(pointer);
            p.drawLine(OnKnob(angle, 56), OnKnob(angle, 65));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xFF, 0xFF, 0xFF, 220));
            p.drawEllipse(OnKnob(angle, 63) + QPointF(0, 0.8), 1.8, 1.8);
            p.setBrush(Palette::kInkSoft);
            p.drawEllipse(OnKnob(angle, 63), 1.6, 1.6);
            p.setBrush(Qt::NoBrush);
        }
    }
}

void PaintConsole(QPainter& p) {
    // The L-shaped console: the left column and the bar along the top.
    QPainterPath console;
    console.addRect(QRectF(0, 0, 800, kTopBarBottom));
    console.addRect(QRectF(0, 0, kConsoleRight, 484));
    console.setFillRule(Qt::WindingFill);
    console = console.simplified();
    Paint::Shadow(p, console, QPointF(1.5, 2), 5, 90);
    p.fillPath(console, Palette::kConsoleTop);
    QLinearGradient column(QPointF(0, 0), QPointF(0, 484));
    column.setColorAt(0.0, Palette::kConsoleTop);
    column.setColorAt(1.0, Palette::kConsoleBottom);
    p.fillRect(QRectF(0, kTopBarBottom, kConsoleRight, 484 - kTopBarBottom), column);
    QLinearGradient bar(QPointF(0, 0), QPointF(0, kTopBarBottom));
    bar.setColorAt(0.0, Palette::kConsoleTop);
    bar.setColorAt(1.0, QColor(0xE8, 0xEA, 0xE0));
    p.fillRect(QRectF(kConsoleRight, 0, 800 - kConsoleRight, kTopBarBottom), bar);
    p.setPen(QPen(Palette::kSeparator, 1.0));
    p.drawLine(QPointF(kConsoleRight + 0.5, kTopBarBottom), QPointF(kConsoleRight + 0.5, 484));
    p.drawLine(QPointF(kConsoleRight, kTopBarBottom - 0.5), QPointF(800, kTopBarBottom - 0.5));
}

void PaintCanvasFrame(QPainter& p) {
    const QRectF frame = QRectF(kCanvas).adjusted(-3, -3, 4, 4);
    QPainterPath path = Paint::Rounded(frame, 3);
    Paint::Well(p, path, Palette::kWellDeep);
    p.fillRect(QRectF(kCanvas).adjusted(0, 0, 1, 1), QColor(0xF7, 0xF7, 0xF3));
}

void PaintMainBackground(QPainter& p) {
    Paint::FillVertical(p, QRectF(0, 0, 800, 600), Palette::kChromeTop, Palette::kChromeBottom);
    PaintConsole(p);
    PaintCanvasFrame(p);
    // The knob's bezel and the knob at rest.
    QPainterPath bezel;
    bezel.addEllipse(kKnobCentre, kKnobRadius + 4, kKnobRadius + 4);
    Paint::Well(p, bezel, Palette::kWell);
    QPainterPath knob;
    knob.addEllipse(kKnobCentre, kKnobRadius, kKnobRadius);
    Paint::Shadow(p, knob, QPointF(0, 2.5), 5, 120);
    PaintKnob(p, 0);
    Paint::SectionCaption(p, QRectF(8, 214, kConsoleRight - 16, 12), QStringLiteral("MODUS"));
    Paint::SectionCaption(p, QRectF(8, 305, kConsoleRight - 16, 12), QStringLiteral("EXTRAS"));
    // The name of the program at the foot of the column.
    Paint::EngravedText(p, QRectF(0, 424, kConsoleRight, 20), QStringLiteral("Vellumcraft"), 17,
                        Palette::kAccentDark);
    Paint::EngravedText(p, QRectF(0, 445, kConsoleRight, 14), QStringLiteral("Fotoseiten gestalten"), 10,
                        Palette::kCaption, Qt::AlignCenter, false);
}

void PaintLabel(QPainter& p, const Face& face, const KnobLabel& label) {
    const QRectF pill = QRectF(Bounds(label.shape)).adjusted(0.5, 0.5, -0.5, -0.5);
    if (face.hover || face.pressed) {
        QPainterPath path = Paint::Rounded(pill, 4.5);
        p.fillPath(path, face.pressed ? Palette::kFacePressedTop : Palette::kAccentPale);
        p.setPen(QPen(face.pressed ? Palette::kFaceBorder : Palette::kAccentLight, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    const QColor ink = Paint::Ink(face);
    const QRectF box = pill.translated(0, face.pressed ? 1 : 0);
    const QString text = QString::fromUtf8(label.text);
    auto write = [&](const QRectF& where, int align) {
        if (face.hover || face.pressed) {
            Paint::Text(p, where, text, label.textSize, ink, align);
        } else {
            Paint::EngravedText(p, where, text, label.textSize, ink, align);
        }
    };
    switch (label.layout) {
    case LabelLayout::TextOnly:
        write(box.adjusted(0, label.textTopInset, 0, 0), Qt::AlignCenter);
        break;
    case LabelLayout::GlyphAbove: {
        const double glyphSize = box.height() - label.textSize - 1;
        DrawGlyph(p, label.glyph,
                  QRectF(box.center().x() - glyphSize / 2, box.top() + 0.5, glyphSize, glyphSize), ink);
        write(QRectF(box.left(), box.bottom() - label.textSize - 2, box.width(), label.textSize + 2),
              Qt::AlignCenter);
        break;
    }
    case LabelLayout::GlyphLeft: {
        const double glyphSize = box.height() - 2;
        DrawGlyph(p, label.glyph, QRectF(box.left() + 1, box.top() + 0.5, glyphSize, glyphSize), ink);
        write(box.adjusted(glyphSize + 2, 0, 0, 0), Qt::AlignCenter);
        break;
    }
    }
}

Outline StripShape(int width, int height) {
    return {{1, 0}, {width, 0}, {width, height}, {0, height}, {0, 0}};
}

void PaintStripButton(QPainter& p, const Face& face, QSize size, Glyph glyph) {
    const QRectF body = QRectF(0, 0, size.width(), size.height()).adjusted(1.5, 1.5, -1.5, -1.5);
    const bool quiet = !face.pressed && !face.hover;
    if (!quiet || face.disabled) {
        Paint::RaisedFace(p, Paint::Rounded(body, 3.5), face);
    } else {
        // At rest the tools sit flat on the bar, with only a faint outline.
        QPainterPath path = Paint::Rounded(body, 3.5);
        Paint::FillVertical(p, path, QColor(0xFF, 0xFF, 0xFF, 150), QColor(0xFF, 0xFF, 0xFF, 40));
        p.setPen(QPen(QColor(0x9A, 0xA0, 0x8D, 110), 1.0));
        p.drawPath(path);
    }
    const double side = 16.0;
    const QPointF offset(face.pressed ? 0.5 : 0.0, face.pressed ? 1.0 : 0.0);
    const QRectF box(QPointF((size.width() - side) / 2.0, (size.height() - side) / 2.0) + offset,
                     QSizeF(side, side));
    DrawGlyph(p, glyph, box, Paint::Ink(face), face.disabled);
}

void PaintTwoColors(QPainter& p, const Face& face, QSize size) {
    PaintStripButton(p, face, size, Glyph::TwoColors);
    // The button fills its two colour squares itself; give them a frame to sit in.
    const bool down = face.pressed;
    const QRectF first = down ? QRectF(8, 7, 6, 6) : QRectF(4, 5, 6, 6);
    const QRectF second = down ? QRectF(14, 13, 6, 6) : QRectF(10, 11, 6, 6);
    p.setPen(QPen(Paint::Ink(face), 1.0));
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawRect(first.adjusted(-0.5, -0.5, 0.5, 0.5));
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawRect(second.adjusted(-0.5, -0.5, 0.5, 0.5));
}

void PaintCaptionButton(QPainter& p, const Face& face, Glyph glyph, bool warm) {
    QPainterPath circle;
    circle.addEllipse(QPointF(7.5, 8), 6.8, 6.8);
    Face look = face;
    Paint::RaisedFace(p, circle, look);
    if (warm && face.hover) {
        p.fillPath(circle, QColor(0xD0, 0x4A, 0x3C, 200));
    }
    const QColor ink = warm && face.hover ? QColor(0xFF, 0xFF, 0xFF) : Paint::Ink(face);
    DrawGlyph(p, glyph, QRectF(2, 2.5, 11, 11).translated(0, face.pressed ? 0.5 : 0), ink);
}

void PaintModeButton(QPainter& p, const Face& face, QSize size, QRect hitBounds, Glyph glyph,
                     const char* text) {
    const QRectF disc = QRectF(hitBounds).adjusted(0.5, 0.5, 0.5, 0.5);
    QPainterPath path;
    path.addEllipse(disc);
    Paint::RaisedFace(p, path, face);
    DrawGlyph(p, glyph, disc.adjusted(5, 5, -5, -5), Paint::Ink(face));
    const QRectF textBox(0, disc.bottom() + 3, size.width(), 13);
    const QColor ink = face.checked ? Palette::kAccentDark : (face.hover ? Palette::kAccent : Palette::kInk);
    Paint::EngravedText(p, textBox, QString::fromUtf8(text), 10, ink);
    // The lamp under the name shows which mode is on.
    const QRectF lamp(size.width() / 2.0 - 9, textBox.bottom() + 4, 18, 4);
    QPainterPath lampPath = Paint::Rounded(lamp, 2);
    if (face.checked) {
        Paint::Shadow(p, lampPath, QPointF(0, 0), 4, 140);
        Paint::FillVertical(p, lampPath, Palette::kAccentLight, Palette::kAccent);
    } else {
        Paint::Well(p, lampPath, Palette::kWell);
    }
}

void PaintServiceTile(QPainter& p, const Face& face, QSize size, Glyph glyph, const char* text) {
    const QRectF body = QRectF(0, 0, size.width(), size.height()).adjusted(1.5, 1.5, -1.5, -2.5);
    Paint::RaisedFace(p, Paint::Rounded(body, 6), face);
    const QPointF offset(0, face.pressed ? 1 : 0);
    DrawGlyph(p, glyph, QRectF((size.width() - 24) / 2.0, 5, 24, 24).translated(offset), Paint::Ink(face));
    Paint::Text(p, QRectF(0, 30, size.width(), 13).translated(offset), QString::fromUtf8(text), 9.5,
                Paint::Ink(face));
}

void PaintPrint(QPainter& p, const Face& face) {
    QPainterPath disc;
    disc.addEllipse(QRectF(kPrintBounds).adjusted(0.8, 0.8, -0.8, -0.8));
    Paint::RaisedFace(p, disc, face);
    // A second, inner ring gives the disc the look of a big key.
    QPainterPath inner;
    inner.addEllipse(QRectF(kPrintBounds).adjusted(9, 9, -9, -9));
    QColor ring = face.hover ? Palette::kAccentLight : QColor(0xFF, 0xFF, 0xFF, 160);
    p.setPen(QPen(ring, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(inner);
    const QPointF offset(0, face.pressed ? 1.5 : 0);
    DrawGlyph(p, Glyph::Printer, QRectF(22.5, 21, 52, 52).translated(offset), Paint::Ink(face));
}

SkinButton LabelButton(const KnobLabel& label) {
    return MakeButton(label.table, PushStates(label.base), label.position, label.shape, label.hit,
                      [label](QPainter& p, const Face& f) { PaintLabel(p, f, label); });
}

struct StripTool {
    const char* table;
    const char* base;
    int x;
    int width;
    int height;
    Glyph glyph;
};

} // namespace

// The controls are listed from the bottom of the z-order to the top.
SkinWindow MainWindowSkin() {
    SkinWindow window;
    window.name =
        "Main window: buttons in client coordinates of each button, placed at skin origin + position";
    window.bitmapName = "MAIN_WND";
    window.size = QSize(800, 600);
    window.probe = QPoint(96, 395);
    window.paintBackground = PaintMainBackground;

    window.buttons.push_back(
        MakeButton("MainMinimize", PushStates("MINIMIZE"), {768, 6},
                   {{1, 0}, {16, 0}, {16, 16}, {0, 16}, {0, 0}}, {{1, 0}, {16, 0}, {16, 16}, {0, 16}, {0, 0}},
                   [](QPainter& p, const Face& f) { PaintCaptionButton(p, f, Glyph::Minimize, false); }));
    window.buttons.push_back(
        MakeButton("MainClose", PushStates("CLOSE"), {785, 6}, {{1, 0}, {15, 0}, {15, 16}, {0, 16}, {0, 0}},
                   {{1, 0}, {15, 0}, {15, 16}, {0, 16}, {0, 0}},
                   [](QPainter& p, const Face& f) { PaintCaptionButton(p, f, Glyph::Close, true); }));
    window.buttons.push_back(
        MakeButton("MainAbout", PushStates("ABOUT"), {656, 14}, RoundedOutline(Span(1, 1, 98, 10), 4.5, 12),
                   RoundedOutline(Span(1, 1, 95, 10), 4.5, 12), [](QPainter& p, const Face& f) {
                       // On a button 10 pixels high the dots of the "Ü" fit only with a smaller text set
                       // low enough to clear the pill's top border.
                       KnobLabel about = Label("", "", "Über Vellumcraft", QPoint(),
                                               RoundedOutline(Span(1, 1, 98, 10), 4.5, 12), {}, 7);
                       about.textTopInset = 1;
                       PaintLabel(p, f, about);
                   }));

    const std::vector<KnobLabel> labels = KnobLabels();
    for (size_t i = 3; i < labels.size(); ++i) {
        window.buttons.push_back(LabelButton(labels[i]));
    }

    // The knob: one bitmap per position; its shape is the outline less the "Print" disc.
    const Outline knobOutline = EllipseOutline(Span(37, 40, 179, 182), 256);
    const Outline printShape = EllipseOutline(kPrintBounds, 177);
    std::vector<ButtonState> knobStates;
    for (size_t i = 0; i < labels.size(); ++i) {
        knobStates.push_back(
            {std::string("KNOB") + labels[i].base + "U", {.position = static_cast<int>(i) + 1}});
    }
    SkinButton knob = MakeButton("MainKnob", knobStates, {0, 0}, knobOutline, {},
                                 [](QPainter& p, const Face& f) { PaintKnob(p, f.position); });
    knob.shapeSuffix = "Outline";
    knob.comment =
        "The knob's outline; its window region is this less kMainPrintShape moved by the \"Print\" "
        "button's position (62, 62).";
    knob.holes.push_back(Moved(printShape, kPrintPosition));
    knob.bitmapSize = QSize(200, 210);
    window.buttons.push_back(knob);
    window.buttons.push_back(
        MakeButton("MainPrint", PushStates("PRINT"), kPrintPosition, printShape, printShape, PaintPrint));

    // "Laden", "Speichern" and "Album" lie above the knob, the other labels below it.
    for (size_t i = 0; i < 3; ++i) {
        window.buttons.push_back(LabelButton(labels[i]));
    }

    window.buttons.push_back(MakeButton(
        "MainEditMode", RadioStates("EDIT_MODE_"), {13, 229}, {{2, 1}, {67, 1}, {67, 70}, {1, 70}, {1, 1}},
        EllipseOutline(Span(20, 6, 45, 32), 45), [](QPainter& p, const Face& f) {
            PaintModeButton(p, f, {67, 70}, Span(20, 6, 45, 32), Glyph::Pencil, "Bearbeiten");
        }));
    window.buttons.push_back(
        MakeButton("MainNormalMode", RadioStates("NORMAL_MODE_"), {98, 229},
                   {{2, 1}, {39, 1}, {39, 70}, {1, 70}, {1, 1}}, EllipseOutline(Span(6, 6, 31, 32), 43),
                   [](QPainter& p, const Face& f) {
                       PaintModeButton(p, f, {39, 70}, Span(6, 6, 31, 32), Glyph::Photo, "Normal");
                   }));
    const Outline internet{{0, 0}, {46, 0}, {46, 48}, {0, 48}};
    window.buttons.push_back(MakeButton("MainInternet", PushStates("INTERNET_"), {30, 320}, internet,
                                        internet, [](QPainter& p, const Face& f) {
                                            PaintServiceTile(p, f, {46, 48}, Glyph::Globe, "Internet");
                                        }));
    const Outline library{{0, 0}, {56, 0}, {56, 48}, {0, 48}};
    window.buttons.push_back(MakeButton("MainResMgr", PushStates("RES_MGR_"), {90, 320}, library, library,
                                        [](QPainter& p, const Face& f) {
                                            PaintServiceTile(p, f, {56, 48}, Glyph::Library, "Bibliothek");
                                        }));

    const StripTool tools[] = {
        {"Main2Colors", "MS_2COLORS", 200, 20, 22, Glyph::TwoColors},
        {"MainGray", "MS_GRAY", 230, 20, 22, Glyph::Grayscale},
        {"Main256Colors", "MS_256COLORS", 260, 20, 22, Glyph::Colors256},
        {"MainTrueColors", "MS_TRUECOLORS", 290, 20, 22, Glyph::TrueColors},
        {"MainBrightness", "MS_BRIGHTNESS", 320, 20, 22, Glyph::Sun},
        {"MainSaturation", "MS_SATURATION", 350, 20, 22, Glyph::Drop},
        {"MainContrast", "MS_CONTRAST", 380, 20, 22, Glyph::Contrast},
        {"MainSharpness", "MS_SHARPNESS", 410, 20, 22, Glyph::Sharpness},
        {"MainGamma", "MS_GAMMA", 440, 20, 22, Glyph::Gamma},
        {"MainRotate", "MS_ROTATE", 470, 23, 22, Glyph::Rotate},
        {"MainMirror", "MS_MIRROR", 500, 20, 22, Glyph::Mirror},
        {"MainMove", "MS_MOVE", 530, 20, 22, Glyph::Move},
        {"MainMerge", "MS_MERGE", 560, 20, 22, Glyph::Merge},
        {"MainOrigPict", "MS_ORIGPICT", 590, 20, 22, Glyph::Original},
        {"MainText", "MAIN_TEXT", 615, 20, 23, Glyph::Text},
    };
    for (const StripTool& tool : tools) {
        const QSize size(tool.width, tool.height);
        const Glyph glyph = tool.glyph;
        FacePainter paint =
            glyph == Glyph::TwoColors
                ? FacePainter([size](QPainter& p, const Face& f) { PaintTwoColors(p, f, size); })
                : FacePainter(
                      [size, glyph](QPainter& p, const Face& f) { PaintStripButton(p, f, size, glyph); });
        window.buttons.push_back(MakeButton(tool.table, PushStatesWithX(tool.base), {tool.x, 3},
                                            StripShape(tool.width, tool.height),
                                            StripShape(tool.width, tool.height), paint));
    }
    return window;
}

} // namespace SkinGen
