// The stencil album: grey shapes, white where the picture shows, black around it, with soft grey edges.
#include "tools/libgen/LibraryItems.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <functional>

namespace {

const QSize kSize(1000, 750);

struct Stencil {
    const char* file;
    const char* title;
    int softness; // the width of the grey edge in pixels, about
    std::function<void(QPainter&)> draw;
};

QPainterPath Heart() {
    QPainterPath path({500, 230});
    path.cubicTo(560, 60, 860, 80, 830, 320);
    path.cubicTo(810, 460, 620, 560, 500, 690);
    path.cubicTo(380, 560, 190, 460, 170, 320);
    path.cubicTo(140, 80, 440, 60, 500, 230);
    return path;
}

QPainterPath Star() {
    QPolygonF corners;
    for (int i = 0; i < 10; ++i) {
        const qreal angle = qDegreesToRadians(-90 + i * 36.0);
        const qreal r = i % 2 ? 140 : 340;
        corners << QPointF(500 + r * qCos(angle), 400 + r * qSin(angle));
    }
    QPainterPath path;
    path.addPolygon(corners);
    path.closeSubpath();
    return path;
}

QPainterPath Cloud() {
    QPainterPath path;
    const struct {
        qreal x, y, r;
    } puffs[] = {{300, 430, 170}, {470, 320, 200}, {660, 360, 180},
                 {780, 460, 130}, {520, 500, 170}, {220, 520, 110}};
    for (const auto& puff : puffs) {
        QPainterPath circle;
        circle.addEllipse(QPointF(puff.x, puff.y), puff.r, puff.r);
        path = path.united(circle);
    }
    return path;
}

// A wide stroke of a dry brush: many parallel hairs of slightly different lengths.
void BrushStroke(QPainter& p) {
    for (int hair = 0; hair < 80; ++hair) {
        const qreal offset = -230 + hair * 5.8;
        const qreal start = 110 + 40 * qAbs(qSin(hair * 1.3)) + 25 * qSin(hair * 0.37);
        const qreal end = 890 - 45 * qAbs(qSin(hair * 0.7 + 2)) - 20 * qSin(hair * 0.51);
        QPainterPath path({start, 375 + offset});
        path.cubicTo(400, 330 + offset, 600, 420 + offset, end, 375 + offset);
        p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
    }
}

void Fill(QPainter& p, const QPainterPath& path) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(path);
}

// Softens the edges by scaling down and up again smoothly.
QImage Softened(const QImage& sharp, int softness) {
    if (softness <= 1)
        return sharp;
    const QSize small = sharp.size() / softness;
    return sharp.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

std::vector<LibraryAlbum> WriteStencils(const QString& folder) {
    const Stencil stencils[] = {
        {"oval_weich.png", "Oval weich", 1,
         [](QPainter& p) {
             QRadialGradient soft(QPointF(500, 375 / 0.72), 430);
             soft.setColorAt(0.7, Qt::white);
             soft.setColorAt(1, Qt::black);
             p.setPen(Qt::NoPen);
             p.setBrush(soft);
             p.scale(1, 0.72);
             p.drawEllipse(QPointF(500, 375 / 0.72), 430, 430);
         }},
        {"kreis.png", "Kreis", 6,
         [](QPainter& p) {
             Fill(p, [] {
                 QPainterPath circle;
                 circle.addEllipse(QPointF(500, 375), 320, 320);
                 return circle;
             }());
         }},
        {"herz.png", "Herz", 8, [](QPainter& p) { Fill(p, Heart()); }},
        {"stern.png", "Stern", 6, [](QPainter& p) { Fill(p, Star()); }},
        {"wolke.png", "Wolke", 12, [](QPainter& p) { Fill(p, Cloud()); }},
        {"abgerundetes_rechteck.png", "Abgerundetes Rechteck", 6,
         [](QPainter& p) {
             QPainterPath box;
             box.addRoundedRect(QRectF(90, 70, 820, 610), 90, 90);
             Fill(p, box);
         }},
        {"pinselstrich.png", "Pinselstrich", 3, BrushStroke},
        {"vignette.png", "Vignette", 1,
         [](QPainter& p) {
             QRadialGradient fade(QPointF(500, 375), 620);
             fade.setColorAt(0, Qt::white);
             fade.setColorAt(0.55, Qt::white);
             fade.setColorAt(1, Qt::black);
             p.setPen(Qt::NoPen);
             p.setBrush(fade);
             p.drawRect(QRect(QPoint(0, 0), kSize));
         }},
    };
    LibraryAlbum album{"Schablonen", {}};
    for (const Stencil& stencil : stencils) {
        QImage picture(kSize, QImage::Format_Grayscale8);
        picture.fill(Qt::black);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        stencil.draw(painter);
        painter.end();
        SavePicture(Softened(picture, stencil.softness).convertToFormat(QImage::Format_Grayscale8),
                    folder + '/' + stencil.file);
        album.items.push_back({stencil.file, QString::fromUtf8(stencil.title)});
    }
    return {album};
}
