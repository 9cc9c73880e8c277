#include "tools/skingen/SkinRenderer.h"

#include "tools/skingen/Outline.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>

namespace SkinGen {

namespace {

double DistanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    double t = length2 > 0 ? QPointF::dotProduct(p - a, ab) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

double DistanceToEdges(QPointF p, const Outline& outline) {
    double best = std::numeric_limits<double>::max();
    for (size_t i = 0; i < outline.size(); ++i) {
        best = std::min(best, DistanceToSegment(p, outline[i], outline[(i + 1) % outline.size()]));
    }
    return best;
}

QImage NewCanvas(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

// Moves one channel of the colour a few steps, away from the end of its range.
QRgb Nudged(QRgb colour, int step) {
    int channels[3] = {qRed(colour), qGreen(colour), qBlue(colour)};
    const int channel = 2 - step % 3;
    const int amount = 3 * (1 + step / 3);
    int& value = channels[channel];
    value = value + amount <= 255 ? value + amount : value - amount;
    return qRgb(channels[0], channels[1], channels[2]);
}

} // namespace

std::vector<bool> RegionMask(const SkinButton& button) {
    std::vector<bool> mask = Coverage(button.shape, button.bitmapSize);
    for (const Outline& hole : button.holes) {
        const std::vector<bool> cut = Coverage(hole, button.bitmapSize);
        for (size_t i = 0; i < mask.size(); ++i) {
            mask[i] = mask[i] && !cut[i];
        }
    }
    return mask;
}

QPoint ChooseProbe(const SkinButton& button) {
    std::vector<bool> inside = RegionMask(button);
    if (!button.hit.empty()) {
        const std::vector<bool> hit = Coverage(button.hit, button.bitmapSize);
        for (size_t i = 0; i < inside.size(); ++i) {
            inside[i] = inside[i] && hit[i];
        }
    }
    QPoint best(-1, -1);
    double bestDistance = -1.0;
    const int width = button.bitmapSize.width();
    for (int y = 0; y < button.bitmapSize.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            if (!inside[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]) {
                continue;
            }
            const QPointF centre(x + 0.5, y + 0.5);
            double distance = DistanceToEdges(centre, button.shape);
            if (!button.hit.empty()) {
                distance = std::min(distance, DistanceToEdges(centre, button.hit));
            }
            for (const Outline& hole : button.holes) {
                distance = std::min(distance, DistanceToEdges(centre, hole));
            }
            if (distance > bestDistance) {
                bestDistance = distance;
                best = QPoint(x, y);
            }
        }
    }
    if (bestDistance < 0) {
        throw std::runtime_error("no interior pixel for " + button.tableName);
    }
    return best;
}

RenderedWindow RenderWindow(const SkinWindow& window) {
    RenderedWindow rendered;
    rendered.window = &window;
    QImage background = NewCanvas(window.size);
    {
        QPainter painter(&background);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        window.paintBackground(painter);
    }
    rendered.background = {window.bitmapName, background, window.probe, background.pixel(window.probe)};

    for (const SkinButton& button : window.buttons) {
        RenderedButton out;
        out.button = &button;
        const QPoint probe = ChooseProbe(button);
        const QPoint under = button.position + probe;
        std::set<QRgb> used;
        if (QRect(QPoint(0, 0), window.size).contains(under)) {
            used.insert(background.pixel(under));
        }
        for (const ButtonState& state : button.states) {
            QImage image = background.copy(QRect(button.position, button.bitmapSize));
            {
                QPainter painter(&image);
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setRenderHint(QPainter::TextAntialiasing);
                button.paint(painter, state.face);
            }
            QRgb colour = image.pixel(probe);
            for (int step = 0; used.count(colour) != 0; ++step) {
                colour = Nudged(image.pixel(probe), step);
            }
            image.setPixel(probe, colour);
            used.insert(colour);
            out.states.push_back({state.bitmapName, image, probe, colour});
        }
        rendered.buttons.push_back(std::move(out));
    }

    for (const SkinBitmap& bitmap : window.bitmaps) {
        QImage image = NewCanvas(bitmap.size);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            bitmap.paint(painter);
        }
        rendered.extras.push_back({bitmap.name, image, bitmap.probe, image.pixel(bitmap.probe)});
    }
    return rendered;
}

} // namespace SkinGen
