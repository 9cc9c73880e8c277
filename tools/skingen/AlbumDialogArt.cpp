// The album dialog: 800 by 600 in a deep slate, so the photos and their white captions stand out; a
// tool bar of small round keys, each named on the background beneath it, and twelve tile slots.

#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Outline.h"
#include "tools/skingen/Painting.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinModel.h"

#include <optional>

namespace SkinGen {

namespace {

constexpr int kToolBarBottom = 50;

const QRect kTiles[12] = {Span(48, 61, 202, 212),   Span(229, 61, 383, 212),  Span(409, 61, 563, 214),
                          Span(589, 62, 743, 214),  Span(48, 244, 202, 396),  Span(230, 244, 384, 395),
                          Span(409, 245, 563, 398), Span(589, 245, 743, 397), Span(48, 432, 202, 583),
                          Span(230, 432, 384, 583), Span(409, 432, 563, 584), Span(590, 432, 744, 584)};

const QPoint kInfoPositions[12] = {{192, 215}, {371, 215}, {553, 215}, {735, 215}, {189, 400}, {371, 400},
                                   {553, 400}, {732, 400}, {191, 585}, {373, 585}, {555, 585}, {734, 585}};

struct ToolKey {
    QPoint position;
    const char* label;
};

// The keys that share the sort key's bitmaps, in the order of the dialog's table.
const ToolKey kToolKeys[] = {
    {{450, 8}, "Album\nsortieren"},  {{235, 9}, "Scanner"},          {{285, 9}, "Kamera"},
    {{191, 9}, "Fotos\nhinzufügen"}, {{385, 9}, "Fotos\nentfernen"}, {{566, 9}, "Album\nlöschen"},
    {{334, 9}, "Foto\nsuchen"},      {{616, 9}, "Index\ndrucken"},   {{509, 8}, "Neues\nAlbum"}};

void PaintAlbumBackground(QPainter& p) {
    Paint::FillVertical(p, QRectF(0, 0, 800, 600), Palette::kSlateTop, Palette::kSlateBottom);
    Paint::FillVertical(p, QRectF(0, 0, 800, kToolBarBottom), QColor(0x4E, 0x5B, 0x54),
                        QColor(0x40, 0x4B, 0x45));
    p.setPen(QPen(QColor(0x1E, 0x24, 0x21), 1.0));
    p.drawLine(QPointF(0, kToolBarBottom + 0.5), QPointF(800, kToolBarBottom + 0.5));
    p.setPen(QPen(Palette::kSlateLine, 1.0));
    p.drawLine(QPointF(0, kToolBarBottom + 1.5), QPointF(800, kToolBarBottom + 1.5));
    p.setPen(QPen(QColor(0x6A, 0x77, 0x70), 1.0));
    p.drawLine(QPointF(0, 0.5), QPointF(800, 0.5));

    // The album choice sits in a dark well; the combo box paints its own pale face.
    Paint::Well(p, Paint::Rounded(QRectF(6.5, 10.5, 163, 25), 4), QColor(0x2A, 0x32, 0x2E));
    for (const ToolKey& key : kToolKeys) {
        Paint::Text(p, QRectF(key.position.x() + 6 - 30, 26, 60, 22), QString::fromUtf8(key.label), 9,
                    Palette::kSlateText, Qt::AlignHCenter | Qt::AlignTop, false);
    }
    for (const QRect& tile : kTiles) {
        QPainterPath well = Paint::Rounded(QRectF(tile).adjusted(-3.5, -3.5, 4.5, 4.5), 4);
        p.fillPath(well, Palette::kSlateWell);
        p.save();
        p.setClipPath(well);
        QPainterPath outside;
        outside.addRect(QRectF(tile).adjusted(-20, -20, 20, 20));
        Paint::Shadow(p, outside.subtracted(well), QPointF(0, 2), 5, 200);
        p.restore();
        p.setPen(QPen(Palette::kSlateLine, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(well.translated(0, 1));
        p.setPen(QPen(QColor(0x1A, 0x20, 0x1D), 1.0));
        p.drawPath(well);
    }
}

// A round key with a soft shadow falling to the lower right, as all keys of this dialog have.
void PaintShadowedDisc(QPainter& p, const Face& face, const QRectF& disc, std::optional<Glyph> glyph,
                       double inset, bool accent) {
    QPainterPath path;
    path.addEllipse(disc);
    if (!face.disabled) {
        Paint::Shadow(p, path, QPointF(face.pressed ? 0.8 : 2.0, face.pressed ? 0.8 : 2.0), 3, 170);
    }
    if (accent && !face.disabled) {
        QColor top = face.hover ? Palette::kAccentLight.lighter(110) : Palette::kAccentLight;
        QColor bottom = face.pressed ? Palette::kAccentDark : Palette::kAccent;
        Paint::FillVertical(p, path, face.pressed ? Palette::kAccent : top, bottom);
        p.setPen(QPen(Palette::kAccentDark, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    } else {
        Face look = face;
        look.checked = false;
        Paint::RaisedFace(p, path, look);
    }
    if (glyph) {
        const QColor ink = accent && !face.disabled ? QColor(0xFF, 0xFF, 0xFF) : Paint::Ink(face);
        DrawGlyph(p, *glyph,
                  disc.adjusted(inset, inset, -inset, -inset).translated(0, face.pressed ? 0.5 : 0), ink,
                  face.disabled);
    }
}

void PaintToolKey(QPainter& p, const Face& face) {
    PaintShadowedDisc(p, face, QRectF(0.5, 0.5, 11, 12), std::nullopt, 0, false);
    // A bead of colour in the middle of the key.
    QPainterPath bead;
    bead.addEllipse(QPointF(6, 6.5 + (face.pressed ? 0.5 : 0)), 2.4, 2.4);
    p.fillPath(bead, face.hover ? Palette::kWarm : Palette::kAccent);
}

void PaintExit(QPainter& p, const Face& face) {
    const QPainterPath box = Paint::Rounded(QRectF(0.5, 0.5, 13, 13), 3);
    Paint::RaisedFace(p, box, face);
    if (face.hover) {
        p.fillPath(box, QColor(0xD0, 0x4A, 0x3C, 210));
    }
    DrawGlyph(p, Glyph::Close, QRectF(1.5, 1.5 + (face.pressed ? 0.5 : 0), 11, 11),
              face.hover ? QColor(0xFF, 0xFF, 0xFF) : Paint::Ink(face));
}

void PaintInfoPlate(QPainter& p, const Face& face, const Outline& octagon) {
    QPainterPath plate = ToPath(octagon).translated(0.5, 0.5);
    plate = QTransform::fromTranslate(8.5, 8.5).scale(0.94, 0.94).translate(-8.5, -8.5).map(plate);
    QColor top = face.hover ? Palette::kAccentLight.lighter(110) : Palette::kAccentLight;
    QColor bottom = face.pressed ? Palette::kAccentDark : Palette::kAccent;
    Paint::FillVertical(p, plate, face.pressed ? Palette::kAccent : top, bottom);
    p.setPen(QPen(face.hover ? QColor(0xFF, 0xFF, 0xFF) : Palette::kAccentDark, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(plate);
    DrawGlyph(p, Glyph::Info, QRectF(3.5, 3 + (face.pressed ? 0.5 : 0), 10, 11), QColor(0xFF, 0xFF, 0xFF));
}

} // namespace

SkinWindow AlbumDialogSkin() {
    SkinWindow window;
    window.name = "Album dialog: client coordinates of each button";
    window.bitmapName = "ALBUM_WND";
    window.size = QSize(800, 600);
    window.probe = QPoint(20, 580);
    window.paintBackground = PaintAlbumBackground;

    window.buttons.push_back(
        MakeButton("AlbumClose", PushStates("ALBUM_CLOSE"), {735, 14}, EllipseOutline(Span(0, 0, 23, 22), 37),
                   EllipseOutline(Span(0, 0, 19, 18), 19), [](QPainter& p, const Face& f) {
                       PaintShadowedDisc(p, f, QRectF(0.5, 0.5, 19, 18), Glyph::Check, 3.5, true);
                   }));

    SkinButton sort = MakeButton("AlbumSort", PushStates("ALBUM_SORT"), kToolKeys[0].position,
                                 RoundedOutline(Span(0, 0, 17, 15), 7, 28),
                                 EllipseOutline(Span(0, 0, 11, 12), 18), PaintToolKey);
    for (size_t i = 1; i < std::size(kToolKeys); ++i) {
        sort.otherPositions.push_back(kToolKeys[i].position);
    }
    window.buttons.push_back(sort);

    const Outline square{{1, 0}, {14, 0}, {14, 14}, {0, 14}, {0, 0}};
    window.buttons.push_back(
        MakeButton("AlbumExit", PushStates("ALBUM_EXIT"), {775, 14}, square, square, PaintExit));

    window.buttons.push_back(MakeButton(
        "AlbumLeft", PushStatesWithX("ALBUM_LEFT"), {5, 304}, EllipseOutline(Span(0, 0, 32, 31), 52),
        EllipseOutline(Span(3, 2, 29, 28), 51), [](QPainter& p, const Face& f) {
            PaintShadowedDisc(p, f, QRectF(3.5, 2.5, 26, 26), Glyph::Prev, 4, false);
        }));
    window.buttons.push_back(MakeButton(
        "AlbumRight", PushStatesWithX("ALBUM_RIGHT"), {765, 304}, EllipseOutline(Span(1, 1, 31, 31), 44),
        EllipseOutline(Span(0, 0, 24, 24), 36), [](QPainter& p, const Face& f) {
            PaintShadowedDisc(p, f, QRectF(0.5, 0.5, 24, 24), Glyph::Next, 3.5, false);
        }));

    const Outline octagon{{1, 3},  {2, 2},  {3, 1},   {4, 0},   {12, 0},  {13, 1},  {14, 2},
                          {15, 3}, {16, 4}, {16, 12}, {15, 13}, {14, 14}, {13, 15}, {12, 16},
                          {4, 16}, {3, 15}, {2, 14},  {1, 13},  {0, 12},  {0, 4}};
    SkinButton info = MakeButton("AlbumInfo", PushStates("ALBUM_INFO"), kInfoPositions[0], octagon, octagon,
                                 [octagon](QPainter& p, const Face& f) { PaintInfoPlate(p, f, octagon); });
    for (size_t i = 1; i < std::size(kInfoPositions); ++i) {
        info.otherPositions.push_back(kInfoPositions[i]);
    }
    window.buttons.push_back(info);
    return window;
}

} // namespace SkinGen
