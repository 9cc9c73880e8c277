// The two clipart albums: decorations and festive motifs, drawn on transparent ground so that the PNG's
// alpha becomes the clipart's mask.
#include "tools/libgen/LibraryItems.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <functional>

namespace {

using Draw = std::function<void(QPainter&)>;

struct Clipart {
    const char* file;
    const char* title;
    QSize size;
    Draw draw;
};

// A calm fill from light (top left) to dark (bottom right) with a darker outline.
void Shape(QPainter& p, const QPainterPath& path, QColor light, QColor dark, qreal outline = 5) {
    const QRectF box = path.boundingRect();
    QLinearGradient gradient(box.topLeft(), box.bottomRight());
    gradient.setColorAt(0, light);
    gradient.setColorAt(1, dark);
    p.setPen(outline > 0 ? QPen(dark.darker(140), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                         : QPen(Qt::NoPen));
    p.setBrush(gradient);
    p.drawPath(path);
}

QPainterPath Ellipse(QPointF centre, qreal rx, qreal ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPainterPath Polygon(const QList<QPointF>& points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

QPainterPath Star(QPointF centre, qreal outer, qreal inner, int points, qreal turn = -90) {
    QList<QPointF> corners;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal angle = qDegreesToRadians(turn + i * 180.0 / points);
        const qreal r = i % 2 ? inner : outer;
        corners.append(centre + QPointF(r * qCos(angle), r * qSin(angle)));
    }
    return Polygon(corners);
}

QPainterPath Heart(QPointF centre, qreal size) {
    const qreal s = size / 2;
    QPainterPath path(centre + QPointF(0, -0.45 * s));
    path.cubicTo(centre + QPointF(0.2 * s, -1.05 * s), centre + QPointF(1.1 * s, -0.95 * s),
                 centre + QPointF(1.0 * s, -0.25 * s));
    path.cubicTo(centre + QPointF(0.95 * s, 0.25 * s), centre + QPointF(0.35 * s, 0.6 * s),
                 centre + QPointF(0, 1.0 * s));
    path.cubicTo(centre + QPointF(-0.35 * s, 0.6 * s), centre + QPointF(-0.95 * s, 0.25 * s),
                 centre + QPointF(-1.0 * s, -0.25 * s));
    path.cubicTo(centre + QPointF(-1.1 * s, -0.95 * s), centre + QPointF(-0.2 * s, -1.05 * s),
                 centre + QPointF(0, -0.45 * s));
    return path;
}

QPainterPath Rotated(const QPainterPath& path, QPointF centre, qreal degrees) {
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(degrees);
    turn.translate(-centre.x(), -centre.y());
    return turn.map(path);
}

void Line(QPainter& p, QColor colour, qreal width, const QPainterPath& path) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void DrawHeart(QPainter& p) {
    Shape(p, Heart({200, 205}, 340), QColor(240, 110, 120), QColor(180, 30, 50));
}

void DrawStar(QPainter& p) {
    Shape(p, Star({200, 210}, 185, 78, 5), QColor(255, 225, 120), QColor(215, 150, 30));
}

void DrawSun(QPainter& p) {
    Shape(p, Star({200, 200}, 190, 120, 12), QColor(255, 210, 90), QColor(240, 140, 40), 4);
    Shape(p, Ellipse({200, 200}, 115, 115), QColor(255, 240, 140), QColor(250, 180, 50), 4);
}

void DrawFlower(QPainter& p) {
    Line(p, QColor(70, 130, 60), 12, [] {
        QPainterPath stem({200, 230});
        stem.cubicTo(210, 300, 190, 350, 205, 395);
        return stem;
    }());
    for (int i = 0; i < 6; ++i)
        Shape(p, Rotated(Ellipse({200, 145}, 42, 80), {200, 200}, i * 60), QColor(250, 190, 215),
              QColor(215, 90, 140), 4);
    Shape(p, Ellipse({200, 200}, 45, 45), QColor(255, 225, 110), QColor(225, 160, 40), 4);
}

void DrawButterfly(QPainter& p) {
    for (const int side : {-1, 1}) {
        Shape(p, Rotated(Ellipse({200 + side * 95.0, 140}, 95, 75), {200 + side * 95.0, 140}, side * 25),
              QColor(150, 190, 240), QColor(60, 90, 190));
        Shape(p, Rotated(Ellipse({200 + side * 70.0, 275}, 65, 55), {200 + side * 70.0, 275}, side * -30),
              QColor(190, 170, 240), QColor(100, 70, 180));
    }
    Shape(p, Ellipse({200, 210}, 18, 110), QColor(110, 90, 80), QColor(50, 40, 35), 3);
    Line(p, QColor(50, 40, 35), 5, [] {
        QPainterPath feelers({195, 105});
        feelers.quadTo(175, 60, 150, 45);
        feelers.moveTo(205, 105);
        feelers.quadTo(225, 60, 250, 45);
        return feelers;
    }());
}

void DrawBow(QPainter& p) {
    for (const int side : {-1, 1}) {
        QPainterPath loop({200, 190});
        loop.cubicTo(200 + side * 90, 60, 200 + side * 200, 110, 200 + side * 185, 190);
        loop.cubicTo(200 + side * 175, 270, 200 + side * 90, 300, 200, 190);
        Shape(p, loop, QColor(240, 120, 140), QColor(170, 40, 70));
        Shape(p,
              Polygon({{200.0 + side * 8, 205},
                       {200.0 + side * 110, 375},
                       {200.0 + side * 70, 360},
                       {200.0 + side * 45, 385}}),
              QColor(230, 100, 125), QColor(160, 35, 65));
    }
    Shape(p, Ellipse({200, 195}, 34, 38), QColor(245, 140, 160), QColor(180, 50, 80));
}

void DrawCornerOrnament(QPainter& p) {
    const QColor gold(175, 130, 50);
    QPainterPath scroll({30, 370});
    scroll.lineTo(30, 30);
    scroll.lineTo(370, 30);
    Line(p, gold, 12, scroll);
    QPainterPath curls;
    for (const bool across : {false, true}) {
        auto at = [across](qreal x, qreal y) { return across ? QPointF(y, x) : QPointF(x, y); };
        curls.moveTo(at(60, 60));
        curls.cubicTo(at(160, 70), at(230, 130), at(300, 80));
        curls.cubicTo(at(340, 55), at(320, 20 + 85), at(290, 110));
        curls.moveTo(at(60, 60));
        curls.cubicTo(at(120, 120), at(170, 150), at(200, 200));
    }
    Line(p, gold.lighter(115), 8, curls);
    Shape(p, Star({70, 70}, 34, 14, 4, -45), QColor(240, 200, 110), gold, 3);
    for (const QPointF& bud : {QPointF(300, 80), QPointF(80, 300), QPointF(200, 200)})
        Shape(p, Ellipse(bud, 14, 14), QColor(240, 200, 110), gold, 3);
}

void DrawSpeechBubble(QPainter& p) {
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(20, 30, 420, 230), 90, 90);
    bubble = bubble.united(Polygon({{120, 240}, {95, 340}, {200, 250}}));
    Shape(p, bubble, QColor(255, 255, 255), QColor(215, 225, 235), 7);
}

void DrawArrow(QPainter& p) {
    Shape(p, Polygon({{20, 90}, {300, 90}, {300, 30}, {460, 130}, {300, 230}, {300, 170}, {20, 170}}),
          QColor(120, 170, 230), QColor(40, 90, 170));
}

void DrawClover(QPainter& p) {
    Line(p, QColor(60, 120, 50), 14, [] {
        QPainterPath stem({200, 210});
        stem.cubicTo(215, 290, 250, 340, 290, 385);
        return stem;
    }());
    for (int i = 0; i < 4; ++i)
        Shape(p, Rotated(Heart({200, 125}, 150), {200, 200}, 45 + i * 90), QColor(140, 205, 110),
              QColor(50, 130, 50), 4);
}

void DrawBalloons(QPainter& p) {
    const struct {
        QPointF centre;
        QColor light, dark;
    } balloons[] = {{{130, 140}, QColor(240, 120, 120), QColor(180, 40, 50)},
                    {{270, 130}, QColor(120, 170, 240), QColor(40, 80, 180)},
                    {{200, 220}, QColor(255, 215, 100), QColor(220, 150, 30)}};
    for (const auto& balloon : balloons) {
        const QPointF knot = balloon.centre + QPointF(0, 98);
        Line(p, QColor(110, 110, 110), 3, [&] {
            QPainterPath string(knot);
            string.cubicTo(knot + QPointF(-20, 60), QPointF(215, 400), QPointF(200, 480));
            return string;
        }());
        Shape(p, Ellipse(balloon.centre, 75, 95), balloon.light, balloon.dark, 4);
        Shape(p, Polygon({knot, knot + QPointF(-10, 14), knot + QPointF(10, 14)}), balloon.light,
              balloon.dark, 3);
    }
}

void DrawGift(QPainter& p) {
    Shape(p, Polygon({{60, 170}, {340, 170}, {340, 380}, {60, 380}}), QColor(120, 180, 230),
          QColor(40, 100, 170));
    Shape(p, Polygon({{40, 120}, {360, 120}, {360, 180}, {40, 180}}), QColor(140, 195, 240),
          QColor(50, 110, 180));
    const QColor ribbon(235, 80, 90), ribbonDark(170, 30, 50);
    Shape(p, Polygon({{180, 120}, {220, 120}, {220, 380}, {180, 380}}), ribbon, ribbonDark, 3);
    for (const int side : {-1, 1}) {
        QPainterPath loop({200, 120});
        loop.cubicTo(200 + side * 40, 30, 200 + side * 130, 40, 200 + side * 110, 95);
        loop.cubicTo(200 + side * 95, 125, 200 + side * 40, 125, 200, 120);
        Shape(p, loop, ribbon, ribbonDark, 4);
    }
}

void DrawCake(QPainter& p) {
    QPainterPath lower;
    lower.addRoundedRect(QRectF(40, 250, 320, 120), 20, 20);
    Shape(p, lower, QColor(245, 205, 170), QColor(200, 140, 100));
    QPainterPath upper;
    upper.addRoundedRect(QRectF(80, 170, 240, 95), 18, 18);
    Shape(p, upper, QColor(250, 220, 225), QColor(220, 150, 170));
    QPainterPath icing({40, 275});
    for (int i = 0; i < 8; ++i)
        icing.quadTo(60 + i * 40, 315, 80 + i * 40, 275);
    Line(p, QColor(250, 250, 250), 10, icing);
    for (int i = 0; i < 3; ++i) {
        const qreal x = 130 + i * 70;
        Shape(p, Polygon({{x - 9, 90}, {x + 9, 90}, {x + 9, 172}, {x - 9, 172}}), QColor(180, 210, 245),
              QColor(90, 130, 200), 3);
        QPainterPath flame({x, 35});
        flame.cubicTo(x + 22, 60, x + 14, 85, x, 86);
        flame.cubicTo(x - 14, 85, x - 22, 60, x, 35);
        Shape(p, flame, QColor(255, 235, 120), QColor(245, 140, 40), 0);
    }
}

void DrawCandle(QPainter& p) {
    QRadialGradient glow(QPointF(150, 100), 110);
    glow.setColorAt(0, QColor(255, 220, 120, 150));
    glow.setColorAt(1, QColor(255, 220, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(150, 100), 110, 110);
    QPainterPath body;
    body.addRoundedRect(QRectF(105, 150, 90, 300), 10, 10);
    Shape(p, body, QColor(250, 245, 235), QColor(215, 200, 180), 4);
    Line(p, QColor(60, 50, 40), 4, [] {
        QPainterPath wick({150, 150});
        wick.lineTo(150, 128);
        return wick;
    }());
    QPainterPath flame({150, 40});
    flame.cubicTo(178, 80, 170, 128, 150, 130);
    flame.cubicTo(130, 128, 122, 80, 150, 40);
    Shape(p, flame, QColor(255, 240, 150), QColor(245, 150, 40), 0);
}

void DrawFirTree(QPainter& p) {
    Shape(p, Polygon({{180, 400}, {220, 400}, {220, 450}, {180, 450}}), QColor(150, 100, 60),
          QColor(100, 60, 35));
    for (int i = 0; i < 3; ++i) {
        const qreal top = 40 + i * 90, half = 90 + i * 45;
        Shape(p, Polygon({{200, top}, {200 + half, top + 170}, {200 - half, top + 170}}), QColor(80, 160, 90),
              QColor(30, 100, 50));
    }
    const QColor balls[] = {QColor(220, 60, 60), QColor(240, 200, 70), QColor(80, 120, 210)};
    const QPointF places[] = {{170, 180}, {240, 250}, {150, 310}, {260, 360},
                              {200, 280}, {120, 390}, {290, 395}};
    for (std::size_t i = 0; i < std::size(places); ++i)
        Shape(p, Ellipse(places[i], 14, 14), balls[i % 3].lighter(130), balls[i % 3], 2);
    Shape(p, Star({200, 42}, 38, 16, 5), QColor(255, 225, 120), QColor(215, 150, 30), 3);
}

void DrawEasterEgg(QPainter& p) {
    QPainterPath egg({180, 20});
    egg.cubicTo(290, 20, 340, 230, 330, 330);
    egg.cubicTo(320, 420, 40, 420, 30, 330);
    egg.cubicTo(20, 230, 70, 20, 180, 20);
    Shape(p, egg, QColor(200, 230, 250), QColor(110, 160, 210));
    p.save();
    p.setClipPath(egg);
    for (int band = 0; band < 2; ++band) {
        const qreal y = 170 + band * 110;
        QPainterPath zigzag({0, y});
        for (int i = 0; i < 12; ++i)
            zigzag.lineTo(15 + i * 30, y + (i % 2 ? -22 : 22));
        Line(p, band ? QColor(240, 150, 170) : QColor(250, 210, 90), 18, zigzag);
    }
    for (int i = 0; i < 5; ++i)
        Shape(p, Ellipse({70.0 + i * 55, 110.0 + (i % 2) * 20}, 10, 10), QColor(255, 255, 255),
              QColor(220, 230, 240), 0);
    p.restore();
    Line(p, QColor(80, 125, 170), 5, egg);
}

void DrawChampagne(QPainter& p) {
    for (const int side : {-1, 1}) {
        QTransform turn;
        turn.translate(200 + side * 70, 250);
        turn.rotate(side * 14);
        QPainterPath glass({-45, -200});
        glass.lineTo(45, -200);
        glass.cubicTo(45, -60, 20, -20, 6, 0);
        glass.lineTo(6, 150);
        glass.lineTo(50, 175);
        glass.lineTo(-50, 175);
        glass.lineTo(-6, 150);
        glass.lineTo(-6, 0);
        glass.cubicTo(-20, -20, -45, -60, -45, -200);
        Shape(p, turn.map(glass), QColor(235, 240, 245, 220), QColor(180, 195, 210, 220), 4);
        QPainterPath wine({-40, -150});
        wine.lineTo(40, -150);
        wine.cubicTo(38, -60, 18, -25, 0, -8);
        wine.cubicTo(-18, -25, -38, -60, -40, -150);
        Shape(p, turn.map(wine), QColor(250, 230, 150), QColor(225, 180, 70), 0);
    }
    for (int i = 0; i < 6; ++i)
        Shape(p, Star({200.0 + (i % 3 - 1) * 40, 25.0 + (i / 3) * 30}, 12, 5, 4), QColor(255, 230, 140),
              QColor(220, 170, 50), 0);
}

void DrawConfetti(QPainter& p) {
    const QColor colours[] = {QColor(235, 90, 100), QColor(250, 200, 70), QColor(90, 160, 230),
                              QColor(120, 190, 100), QColor(190, 120, 210)};
    // A fixed scatter: a golden-angle spiral.
    for (int i = 0; i < 60; ++i) {
        const qreal radius = 15 * qSqrt(i + 1.0), angle = i * 137.508;
        const QPointF at(200 + radius * qCos(qDegreesToRadians(angle)),
                         200 + radius * qSin(qDegreesToRadians(angle)));
        const QColor colour = colours[i % 5];
        if (i % 3 == 0) {
            Shape(p, Ellipse(at, 9, 9), colour.lighter(115), colour, 0);
        } else {
            QPainterPath piece;
            piece.addRect(QRectF(at - QPointF(12, 5), QSizeF(24, 10)));
            Shape(p, Rotated(piece, at, angle), colour.lighter(115), colour, 0);
        }
    }
}

void DrawSchoolCone(QPainter& p) {
    QPainterPath crepe({95, 110});
    crepe.cubicTo(110, 20, 170, 60, 180, 25);
    crepe.cubicTo(200, 60, 250, 10, 265, 70);
    crepe.lineTo(305, 110);
    crepe.closeSubpath();
    Shape(p, crepe, QColor(170, 215, 245), QColor(80, 140, 200), 4);
    Shape(p, Polygon({{90, 110}, {310, 110}, {210, 470}}), QColor(250, 200, 90), QColor(220, 120, 50));
    for (int i = 0; i < 4; ++i)
        Shape(p, Star({170.0 + (i % 2) * 60, 170.0 + i * 60}, 20, 9, 5), QColor(240, 100, 110),
              QColor(180, 40, 60), 2);
    Line(p, QColor(80, 140, 200), 8, [] {
        QPainterPath band({95, 112});
        band.lineTo(305, 112);
        return band;
    }());
}

void DrawBell(QPainter& p) {
    QPainterPath bell({200, 60});
    bell.cubicTo(290, 60, 300, 150, 305, 230);
    bell.cubicTo(310, 290, 340, 320, 350, 340);
    bell.lineTo(50, 340);
    bell.cubicTo(60, 320, 90, 290, 95, 230);
    bell.cubicTo(100, 150, 110, 60, 200, 60);
    Shape(p, bell, QColor(255, 225, 130), QColor(205, 145, 40));
    Shape(p, Ellipse({200, 355}, 30, 24), QColor(240, 200, 100), QColor(190, 130, 40), 4);
    for (const int side : {-1, 1}) {
        QPainterPath loop({200, 55});
        loop.cubicTo(200 + side * 50, 5, 200 + side * 110, 20, 200 + side * 90, 60);
        loop.cubicTo(200 + side * 75, 80, 200 + side * 35, 70, 200, 55);
        Shape(p, loop, QColor(120, 180, 110), QColor(50, 120, 60), 4);
    }
}

QImage Drawn(const Clipart& clipart) {
    QImage picture(clipart.size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    clipart.draw(painter);
    painter.end();
    return picture.convertToFormat(QImage::Format_ARGB32);
}

LibraryAlbum WriteAlbum(const QString& folder, const char* title, const std::vector<Clipart>& cliparts) {
    LibraryAlbum album{QString::fromUtf8(title), {}};
    for (const Clipart& clipart : cliparts) {
        SavePicture(Drawn(clipart), folder + '/' + clipart.file);
        album.items.push_back({clipart.file, QString::fromUtf8(clipart.title)});
    }
    return album;
}

} // namespace

std::vector<LibraryAlbum> WriteCliparts(const QString& folder) {
    const QSize square(400, 400);
    return {WriteAlbum(folder, "Verzierungen",
                       {{"herz.png", "Herz", square, DrawHeart},
                        {"stern.png", "Stern", square, DrawStar},
                        {"sonne.png", "Sonne", square, DrawSun},
                        {"blume.png", "Blume", square, DrawFlower},
                        {"schmetterling.png", "Schmetterling", square, DrawButterfly},
                        {"schleife.png", "Schleife", square, DrawBow},
                        {"eckornament.png", "Eckornament", square, DrawCornerOrnament},
                        {"sprechblase.png", "Sprechblase", QSize(460, 360), DrawSpeechBubble},
                        {"pfeil.png", "Pfeil", QSize(480, 260), DrawArrow},
                        {"kleeblatt.png", "Kleeblatt", square, DrawClover}}),
            WriteAlbum(folder, "Feste und Feiern",
                       {{"luftballons.png", "Luftballons", QSize(400, 490), DrawBalloons},
                        {"geschenk.png", "Geschenk", square, DrawGift},
                        {"geburtstagstorte.png", "Geburtstagstorte", square, DrawCake},
                        {"kerze.png", "Kerze", QSize(300, 470), DrawCandle},
                        {"tannenbaum.png", "Tannenbaum", QSize(400, 470), DrawFirTree},
                        {"osterei.png", "Osterei", QSize(360, 420), DrawEasterEgg},
                        {"sektglaeser.png", "Sektgläser", QSize(400, 450), DrawChampagne},
                        {"konfetti.png", "Konfetti", square, DrawConfetti},
                        {"zuckertuete.png", "Zuckertüte", QSize(400, 490), DrawSchoolCone},
                        {"glocke.png", "Glocke", square, DrawBell}})};
}
