#include "tools/skingen/Painting.h"

#include "tools/skingen/Palette.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <algorithm>
#include <cmath>
#include <vector>

namespace SkinGen::Paint {

QFont Font(double pixelSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void Text(QPainter& painter, const QRectF& box, const QString& text, double pixelSize, const QColor& color,
          int align, bool bold) {
    painter.save();
    painter.setFont(Font(pixelSize, bold));
    painter.setPen(color);
    painter.drawText(box, align, text);
    painter.restore();
}

void EngravedText(QPainter& painter, const QRectF& box, const QString& text, double pixelSize,
                  const QColor& color, int align, bool bold) {
    QColor rim = Palette::kEdgeLight;
    rim.setAlpha(170);
    Text(painter, box.translated(0, 1), text, pixelSize, rim, align, bold);
    Text(painter, box, text, pixelSize, color, align, bold);
}

void FillVertical(QPainter& painter, const QPainterPath& path, const QColor& top, const QColor& bottom) {
    const QRectF bounds = path.boundingRect();
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomLeft());
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(1.0, bottom);
    painter.fillPath(path, gradient);
}

void FillVertical(QPainter& painter, const QRectF& rect, const QColor& top, const QColor& bottom) {
    QPainterPath path;
    path.addRect(rect);
    FillVertical(painter, path, top, bottom);
}

namespace {

// One horizontal and one vertical box pass over a premultiplied image, with running sums.
void BoxBlur(QImage& image, int radius) {
    const int width = image.width();
    const int height = image.height();
    auto pass = [radius](QRgb* first, int length, int step) {
        std::vector<QRgb> line(static_cast<size_t>(length));
        for (int i = 0; i < length; ++i) {
            line[static_cast<size_t>(i)] = first[static_cast<ptrdiff_t>(i) * step];
        }
        int sums[4] = {0, 0, 0, 0};
        auto add = [&](int index, int sign) {
            if (index < 0 || index >= length) {
                return;
            }
            const QRgb c = line[static_cast<size_t>(index)];
            sums[0] += sign * qAlpha(c);
            sums[1] += sign * qRed(c);
            sums[2] += sign * qGreen(c);
            sums[3] += sign * qBlue(c);
        };
        for (int k = 0; k < radius; ++k) {
            add(k, 1);
        }
        const int span = 2 * radius + 1;
        for (int i = 0; i < length; ++i) {
            add(i + radius, 1);
            add(i - radius - 1, -1);
            first[static_cast<ptrdiff_t>(i) * step] =
                qRgba(sums[1] / span, sums[2] / span, sums[3] / span, sums[0] / span);
        }
    };
    auto* pixels = reinterpret_cast<QRgb*>(image.bits());
    const int stride = static_cast<int>(image.bytesPerLine() / 4);
    for (int y = 0; y < height; ++y) {
        pass(pixels + static_cast<ptrdiff_t>(y) * stride, width, 1);
    }
    for (int x = 0; x < width; ++x) {
        pass(pixels + x, height, stride);
    }
}

} // namespace

void Shadow(QPainter& painter, const QPainterPath& path, QPointF offset, double blur, int alpha) {
    const int margin = static_cast<int>(std::ceil(blur)) * 2 + 2;
    const QRect bounds = path.boundingRect().toAlignedRect().adjusted(-margin, -margin, margin, margin);
    QImage shadow(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter p(&shadow);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(-bounds.topLeft());
        p.fillPath(path, QColor(0x1A, 0x20, 0x18, alpha));
    }
    const int radius = std::max(1, static_cast<int>(std::lround(blur / 2.0)));
    for (int i = 0; i < 2; ++i) {
        BoxBlur(shadow, radius);
    }
    painter.drawImage(QPointF(bounds.topLeft()) + offset, shadow);
}

void Well(QPainter& painter, const QPainterPath& path, const QColor& fill) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, fill);
    painter.setClipPath(path);
    // The shadow of the rim falls on the upper part of the well.
    QPainterPath outside;
    outside.addRect(path.boundingRect().adjusted(-20, -20, 20, 20));
    outside = outside.subtracted(path);
    Shadow(painter, outside, QPointF(0, 1.5), 4.0, 110);
    painter.setClipping(false);
    painter.setBrush(Qt::NoBrush);
    QColor rim = Palette::kEdgeLight;
    rim.setAlpha(200);
    painter.setPen(QPen(rim, 1.0));
    painter.drawPath(path.translated(0, 1));
    QColor edge = Palette::kEdgeDark;
    edge.setAlpha(180);
    painter.setPen(QPen(edge, 1.0));
    painter.drawPath(path);
    painter.restore();
}

void RaisedFace(QPainter& painter, const QPainterPath& path, const Face& face) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor top = Palette::kFaceTop;
    QColor bottom = Palette::kFaceBottom;
    QColor border = Palette::kFaceBorder;
    if (face.checked) {
        top = face.hover ? Palette::kAccentLight.lighter(108) : Palette::kAccentLight;
        bottom = Palette::kAccent;
        border = Palette::kAccentDark;
    } else if (face.pressed) {
        top = Palette::kFacePressedTop;
        bottom = Palette::kFacePressedBottom;
        border = Palette::kFaceBorder.darker(115);
    } else if (face.disabled) {
        top = Palette::kConsoleTop;
        bottom = Palette::kConsoleBottom;
        border = Palette::kInkMuted;
    } else if (face.hover) {
        top = QColor(0xFF, 0xFF, 0xFF);
        bottom = Palette::kAccentPale;
        border = Palette::kAccent;
    }
    if (!face.pressed && !face.disabled) {
        Shadow(painter, path, QPointF(0, 1.0), 2.0, 70);
    }
    FillVertical(painter, path, top, bottom);
    if (face.pressed) {
        painter.save();
        painter.setClipPath(path);
        QPainterPath outside;
        outside.addRect(path.boundingRect().adjusted(-10, -10, 10, 10));
        Shadow(painter, outside.subtracted(path), QPointF(0, 1.0), 3.0, 120);
        painter.restore();
    } else if (!face.disabled) {
        // A light rim along the upper inside of the face.
        painter.save();
        painter.setClipPath(path);
        QColor rim = Palette::kEdgeLight;
        rim.setAlpha(face.checked ? 110 : 230);
        painter.setPen(QPen(rim, 1.0));
        painter.drawPath(path.translated(0, 1));
        painter.restore();
    }
    painter.setPen(QPen(border, face.hover && !face.checked ? 1.4 : 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

QColor Ink(const Face& face) {
    if (face.disabled) {
        return Palette::kInkMuted;
    }
    if (face.checked) {
        return QColor(0xFF, 0xFF, 0xFF);
    }
    if (face.pressed) {
        return Palette::kAccentDark;
    }
    if (face.hover) {
        return Palette::kAccent;
    }
    return Palette::kInk;
}

void SectionCaption(QPainter& p, const QRectF& box, const QString& text) {
    EngravedText(p, box, text, 9, Palette::kCaption, Qt::AlignLeft | Qt::AlignVCenter);
    const double textWidth = QFontMetricsF(Font(9)).horizontalAdvance(text);
    const double y = std::floor(box.center().y()) + 0.5;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Palette::kSeparator, 1.0));
    p.drawLine(QPointF(box.left() + textWidth + 6, y), QPointF(box.right(), y));
    p.setPen(QPen(Palette::kEdgeLight, 1.0));
    p.drawLine(QPointF(box.left() + textWidth + 6, y + 1), QPointF(box.right(), y + 1));
    p.restore();
}

QPainterPath Rounded(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace SkinGen::Paint
