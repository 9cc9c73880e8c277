#include "tools/skingen/BrandArt.h"

#include "tools/skingen/Painting.h"
#include "tools/skingen/Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace SkinGen {

namespace {

// A photo print: white border, sky, hills and a sun.
void PhotoCard(QPainter& p, const QRectF& card, bool detailed) {
    const double border = card.width() * 0.08;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xFF, 0xFD));
    p.drawRoundedRect(card, card.width() * 0.03, card.width() * 0.03);
    const QRectF picture = card.adjusted(border, border, -border, -border * (detailed ? 2.6 : 1.0));
    QLinearGradient sky(picture.topLeft(), picture.bottomLeft());
    sky.setColorAt(0, QColor(0x9F, 0xD3, 0xE8));
    sky.setColorAt(1, QColor(0xE6, 0xF3, 0xF0));
    p.fillRect(picture, sky);
    p.save();
    p.setClipRect(picture);
    p.setBrush(QColor(0xF2, 0xB6, 0x4A));
    p.drawEllipse(QPointF(picture.left() + picture.width() * 0.72, picture.top() + picture.height() * 0.3),
                  picture.width() * 0.1, picture.width() * 0.1);
    QPainterPath far;
    far.moveTo(picture.left(), picture.bottom());
    far.lineTo(picture.left(), picture.top() + picture.height() * 0.62);
    far.quadTo(QPointF(picture.left() + picture.width() * 0.3, picture.top() + picture.height() * 0.3),
               QPointF(picture.left() + picture.width() * 0.6, picture.top() + picture.height() * 0.66));
    far.lineTo(picture.right(), picture.top() + picture.height() * 0.5);
    far.lineTo(picture.right(), picture.bottom());
    far.closeSubpath();
    p.setBrush(QColor(0x6F, 0xAE, 0x7E));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(picture.left(), picture.bottom());
    near.lineTo(picture.left(), picture.top() + picture.height() * 0.85);
    near.quadTo(QPointF(picture.left() + picture.width() * 0.55, picture.top() + picture.height() * 0.55),
                QPointF(picture.right(), picture.top() + picture.height() * 0.8));
    near.lineTo(picture.right(), picture.bottom());
    near.closeSubpath();
    p.setBrush(QColor(0x3E, 0x86, 0x5E));
    p.drawPath(near);
    p.restore();
}

void Cards(QPainter& p, const QPointF& centre, double size, bool detailed) {
    const QRectF card(-size * 0.36, -size * 0.42, size * 0.72, size * 0.84);
    if (detailed) {
        p.save();
        p.translate(centre + QPointF(-size * 0.06, size * 0.02));
        p.rotate(-12);
        QPainterPath back;
        back.addRoundedRect(card, size * 0.02, size * 0.02);
        Paint::Shadow(p, back, QPointF(0, size * 0.02), size * 0.04, 110);
        p.fillPath(back, QColor(0xF3, 0xEF, 0xE2));
        p.restore();
    }
    p.save();
    p.translate(centre + QPointF(size * 0.05, 0));
    p.rotate(7);
    QPainterPath front;
    front.addRoundedRect(card, size * 0.02, size * 0.02);
    if (detailed) {
        Paint::Shadow(p, front, QPointF(0, size * 0.025), size * 0.045, 130);
    }
    PhotoCard(p, card, detailed);
    p.restore();
}

void TealGround(QPainter& p, const QRectF& area) {
    QLinearGradient ground(area.topLeft(), area.bottomRight());
    ground.setColorAt(0.0, QColor(0x3F, 0x9C, 0x8A));
    ground.setColorAt(0.55, Palette::kAccent);
    ground.setColorAt(1.0, QColor(0x17, 0x45, 0x3C));
    p.fillRect(area, ground);
    QRadialGradient glow(area.topLeft() + QPointF(area.width() * 0.2, area.height() * 0.1),
                         area.width() * 0.7);
    glow.setColorAt(0, QColor(0xFF, 0xFF, 0xFF, 50));
    glow.setColorAt(1, QColor(0xFF, 0xFF, 0xFF, 0));
    p.fillRect(area, glow);
}

} // namespace

QImage ProgramIcon(int side) {
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = side;
    const QRectF tile(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
    QPainterPath shape;
    shape.addRoundedRect(tile, s * 0.2, s * 0.2);
    p.setClipPath(shape);
    TealGround(p, tile);
    Cards(p, QPointF(s * 0.5, s * 0.52), s * 0.62, side >= 32);
    p.setClipping(false);
    p.setPen(QPen(QColor(0x12, 0x3A, 0x33, 160), std::max(1.0, s / 128)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    return icon;
}

QImage SplashPicture(const QString& version) {
    QImage splash(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
    QPainter p(&splash);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    TealGround(p, QRectF(0, 0, kSplashWidth, kSplashHeight));
    Cards(p, QPointF(170, 200), 250, true);
    const QColor white(0xFF, 0xFF, 0xFF);
    QColor soft = white;
    soft.setAlpha(200);
    Paint::Text(p, QRectF(330, 120, 300, 60), QStringLiteral("Vellumcraft"), 46, white,
                Qt::AlignLeft | Qt::AlignVCenter);
    Paint::Text(p, QRectF(333, 180, 300, 28), QStringLiteral("Fotoseiten gestalten"), 19, soft,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 110), 1.0));
    p.drawLine(QPointF(334, 218.5), QPointF(560, 218.5));
    Paint::Text(p, QRectF(333, 226, 300, 18), QStringLiteral("Version ") + version, 12, soft,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    Paint::Text(p, QRectF(333, 350, 290, 18), QStringLiteral("Wird gestartet …"), 12, soft,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    return splash;
}

QImage AboutPicture(const QString& version) {
    QImage about(kAboutWidth, kAboutHeight, QImage::Format_RGB32);
    QPainter p(&about);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    constexpr double kBand = 250;
    Paint::FillVertical(p, QRectF(0, 0, kAboutWidth, kAboutHeight), Palette::kConsoleTop,
                        Palette::kConsoleBottom);
    TealGround(p, QRectF(0, 0, kAboutWidth, kBand));
    Cards(p, QPointF(150, 135), 190, true);
    const QColor white(0xFF, 0xFF, 0xFF);
    QColor soft = white;
    soft.setAlpha(210);
    Paint::Text(p, QRectF(265, 95, 270, 46), QStringLiteral("Vellumcraft"), 36, white,
                Qt::AlignLeft | Qt::AlignVCenter);
    Paint::Text(p, QRectF(267, 141, 270, 22), QStringLiteral("Fotoseiten gestalten"), 15, soft,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    Paint::Text(p, QRectF(267, 166, 270, 18), QStringLiteral("Version ") + version, 12, soft,
                Qt::AlignLeft | Qt::AlignVCenter, false);

    const QRectF body(40, kBand + 34, kAboutWidth - 80, 200);
    Paint::Text(p, QRectF(body.left(), body.top(), body.width(), 24),
                QStringLiteral("Ihre Bilder, Ihre Seiten"), 16, Palette::kAccentDark,
                Qt::AlignLeft | Qt::AlignVCenter);
    Paint::Text(
        p, body.adjusted(0, 34, 0, 0),
        QStringLiteral("Setzen Sie Fotos in Seitenvorlagen, legen Sie Rahmen und Schablonen darüber und "
                       "ergänzen Sie Cliparts und Texte. Helligkeit, Kontrast und Farben lassen sich "
                       "jederzeit ändern, ohne das Original anzutasten.\n\n"
                       "Fertige Seiten drucken Sie aus, speichern sie als Projekt oder Bild, "
                       "verschicken sie per E-Mail oder zeigen sie im Web."),
        12, Palette::kInkSoft, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, false);
    p.setPen(QPen(Palette::kSeparator, 1.0));
    p.drawLine(QPointF(40, kAboutHeight - 62.5), QPointF(kAboutWidth - 40, kAboutHeight - 62.5));
    Paint::Text(p, QRectF(40, kAboutHeight - 56, kAboutWidth - 80, 18), QStringLiteral("© Morrowgate"), 11,
                Palette::kInkSoft, Qt::AlignLeft | Qt::AlignVCenter, false);
    Paint::Text(p, QRectF(40, kAboutHeight - 36, kAboutWidth - 80, 18),
                QStringLiteral("Ein Klick schließt dieses Fenster."), 11, Palette::kCaption,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    return about;
}

} // namespace SkinGen
