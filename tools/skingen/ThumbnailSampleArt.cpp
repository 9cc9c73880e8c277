#include "tools/skingen/ThumbnailSampleArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace SkinGen {

namespace {

constexpr QPoint kSun(74, 22);

QImage ThumbnailSamplePicture() {
    constexpr int side = kThumbnailSampleSide;
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    QLinearGradient sky(0, 0, 0, 62);
    sky.setColorAt(0, QColor(54, 116, 196));
    sky.setColorAt(1, QColor(176, 214, 240));
    painter.fillRect(QRect(0, 0, side, 62), sky);

    painter.setBrush(QColor(255, 214, 92));
    painter.drawEllipse(QPointF(kSun), 11, 11);

    QPainterPath farHill;
    farHill.moveTo(0, 64);
    farHill.cubicTo(20, 34, 44, 36, 64, 56);
    farHill.cubicTo(76, 46, 90, 44, side, 52);
    farHill.lineTo(side, 70);
    farHill.lineTo(0, 70);
    painter.setBrush(QColor(72, 128, 84));
    painter.drawPath(farHill);

    QLinearGradient lake(0, 62, 0, side);
    lake.setColorAt(0, QColor(64, 138, 178));
    lake.setColorAt(1, QColor(24, 72, 120));
    painter.fillRect(QRect(0, 66, side, side - 66), lake);

    QPainterPath shore;
    shore.moveTo(0, 78);
    shore.cubicTo(18, 70, 40, 76, 52, side);
    shore.lineTo(0, side);
    painter.setBrush(QColor(112, 162, 70));
    painter.drawPath(shore);

    // A red boat, so that the previews show a picture and not a pattern.
    QPainterPath boat;
    boat.moveTo(64, 80);
    boat.lineTo(86, 80);
    boat.lineTo(82, 86);
    boat.lineTo(68, 86);
    boat.closeSubpath();
    painter.setBrush(QColor(204, 52, 40));
    painter.drawPath(boat);
    painter.setBrush(QColor(246, 242, 228));
    painter.drawPolygon(QPolygonF({QPointF(75, 62), QPointF(75, 79), QPointF(66, 79)}));
    return image;
}

} // namespace

RenderedBitmap ThumbnailSampleBitmap() {
    const QImage image = ThumbnailSamplePicture();
    return {"6008", image, kSun, image.pixel(kSun)};
}

} // namespace SkinGen
