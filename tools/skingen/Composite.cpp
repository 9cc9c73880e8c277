#include "tools/skingen/Composite.h"

#include "tools/skingen/Outline.h"
#include "tools/skingen/Painting.h"

#include <algorithm>
#include <vector>

namespace SkinGen {

namespace {

void Paste(QImage& target, const QImage& source, const SkinButton& button, QPoint at) {
    const std::vector<bool> mask = RegionMask(button);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QPoint pixel = at + QPoint(x, y);
            if (target.rect().contains(pixel) && mask[static_cast<size_t>(y * source.width() + x)]) {
                target.setPixel(pixel, source.pixel(x, y));
            }
        }
    }
}

} // namespace

QImage CompositeWindow(const RenderedWindow& window, const StateChoice& choice) {
    QImage composite = window.background.image.convertToFormat(QImage::Format_ARGB32);
    for (const RenderedButton& button : window.buttons) {
        const QImage& face = button.states[std::min(choice(*button.button), button.states.size() - 1)].image;
        Paste(composite, face, *button.button, button.button->position);
        for (QPoint other : button.button->otherPositions) {
            Paste(composite, face, *button.button, other);
        }
    }
    return composite;
}

QImage ShapedWindow(const QImage& composite, const Outline& region) {
    QImage shaped = composite.convertToFormat(QImage::Format_ARGB32);
    const std::vector<bool> mask = Coverage(region, shaped.size());
    for (int y = 0; y < shaped.height(); ++y) {
        for (int x = 0; x < shaped.width(); ++x) {
            if (!mask[static_cast<size_t>(y * shaped.width() + x)]) {
                shaped.setPixel(x, y, qRgba(0, 0, 0, 0));
            }
        }
    }
    return shaped;
}

QImage StateSheet(const RenderedWindow& window, int scale) {
    constexpr int kGap = 6;
    constexpr int kNameHeight = 14;
    int width = 0;
    int height = 0;
    for (const RenderedButton& button : window.buttons) {
        int row = 0;
        for (const RenderedBitmap& state : button.states) {
            row += std::max(state.image.width() * scale, 90) + kGap;
        }
        width = std::max(width, row);
        height += button.states.front().image.height() * scale + kNameHeight + kGap;
    }
    QImage sheet(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    sheet.fill(QColor(0x80, 0x80, 0x80));
    QPainter painter(&sheet);
    int y = 0;
    for (const RenderedButton& button : window.buttons) {
        int x = 0;
        for (const RenderedBitmap& state : button.states) {
            painter.drawImage(
                QRect(x, y + kNameHeight, state.image.width() * scale, state.image.height() * scale),
                state.image);
            painter.setPen(Qt::red);
            painter.drawRect(QRect(x + state.probe.x() * scale, y + kNameHeight + state.probe.y() * scale,
                                   scale - 1, scale - 1));
            Paint::Text(painter, QRectF(x, y, 200, kNameHeight), QString::fromStdString(state.name), 10,
                        Qt::white, Qt::AlignLeft | Qt::AlignVCenter, false);
            x += std::max(state.image.width() * scale, 90) + kGap;
        }
        y += button.states.front().image.height() * scale + kNameHeight + kGap;
    }
    return sheet;
}

} // namespace SkinGen
