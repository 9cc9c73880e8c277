#include "tools/skingen/Outline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace SkinGen {

Outline EllipseOutline(QRect bounds, int count) {
    const double cx = (bounds.left() + bounds.right()) / 2.0;
    const double cy = (bounds.top() + bounds.bottom()) / 2.0;
    const double rx = (bounds.right() - bounds.left()) / 2.0;
    const double ry = (bounds.bottom() - bounds.top()) / 2.0;
    Outline points;
    points.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / count;
        const int x = static_cast<int>(std::lround(cx + rx * std::cos(angle)));
        const int y = static_cast<int>(std::lround(cy + ry * std::sin(angle)));
        points.emplace_back(std::clamp(x, bounds.left(), bounds.right()),
                            std::clamp(y, bounds.top(), bounds.bottom()));
    }
    return points;
}

Outline RoundedOutline(QRect bounds, double radius, int count) {
    // Each corner arc gets `perCorner` points from its first to its last tangent point.
    const int perCorner = count / 4;
    int spare = count - 4 * perCorner;
    const double left = bounds.left();
    const double top = bounds.top();
    const double right = bounds.right();
    const double bottom = bounds.bottom();
    const double r = std::min({radius, (right - left) / 2.0, (bottom - top) / 2.0});
    struct Corner {
        double cx, cy, startAngle;
    };
    // Clockwise on screen: top-right, bottom-right, bottom-left, top-left (y grows downwards).
    const Corner corners[4] = {{right - r, top + r, -90.0},
                               {right - r, bottom - r, 0.0},
                               {left + r, bottom - r, 90.0},
                               {left + r, top + r, 180.0}};
    // Edge middles that take the spare points, in the order right, bottom, left, top.
    const QPointF middles[4] = {{right, (top + bottom) / 2.0},
                                {(left + right) / 2.0, bottom},
                                {left, (top + bottom) / 2.0},
                                {(left + right) / 2.0, top}};
    Outline points;
    for (int c = 0; c < 4; ++c) {
        for (int i = 0; i < perCorner; ++i) {
            const double t = perCorner == 1 ? 0.5 : static_cast<double>(i) / (perCorner - 1);
            const double angle = (corners[c].startAngle + 90.0 * t) * std::numbers::pi / 180.0;
            points.emplace_back(static_cast<int>(std::lround(corners[c].cx + r * std::cos(angle))),
                                static_cast<int>(std::lround(corners[c].cy + r * std::sin(angle))));
        }
        if (spare > 0) {
            points.emplace_back(static_cast<int>(std::lround(middles[c].x())),
                                static_cast<int>(std::lround(middles[c].y())));
            --spare;
        }
    }
    return points;
}

Outline Moved(const Outline& outline, QPoint offset) {
    Outline moved = outline;
    for (QPoint& p : moved) {
        p += offset;
    }
    return moved;
}

QRect Bounds(const Outline& outline) {
    QRect bounds;
    for (const QPoint& p : outline) {
        bounds |= QRect(p, QSize(1, 1));
    }
    return bounds;
}

namespace {

struct Crossing {
    double x;
    int direction;
};

// Where the edges cross the horizontal line through pixel centres of row y, and in which direction.
std::vector<Crossing> RowCrossings(const Outline& outline, int y) {
    std::vector<Crossing> crossings;
    const double centre = y + 0.5;
    for (size_t i = 0; i < outline.size(); ++i) {
        const QPoint a = outline[i];
        const QPoint b = outline[(i + 1) % outline.size()];
        if (a.y() == b.y()) {
            continue;
        }
        const bool downwards = a.y() < b.y();
        const double low = downwards ? a.y() : b.y();
        const double high = downwards ? b.y() : a.y();
        if (centre < low || centre >= high) {
            continue;
        }
        const double t = (centre - a.y()) / (b.y() - a.y());
        crossings.push_back({a.x() + t * (b.x() - a.x()), downwards ? 1 : -1});
    }
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
    return crossings;
}

} // namespace

std::vector<bool> Coverage(const Outline& outline, QSize size) {
    std::vector<bool> covered(static_cast<size_t>(size.width()) * static_cast<size_t>(size.height()), false);
    for (int y = 0; y < size.height(); ++y) {
        const std::vector<Crossing> crossings = RowCrossings(outline, y);
        size_t next = 0;
        int winding = 0;
        for (int x = 0; x < size.width(); ++x) {
            while (next < crossings.size() && crossings[next].x <= x + 0.5) {
                winding += crossings[next++].direction;
            }
            covered[static_cast<size_t>(y) * static_cast<size_t>(size.width()) + static_cast<size_t>(x)] =
                winding != 0;
        }
    }
    return covered;
}

QPainterPath ToPath(const Outline& outline) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (outline.empty()) {
        return path;
    }
    path.moveTo(outline.front());
    for (size_t i = 1; i < outline.size(); ++i) {
        path.lineTo(outline[i]);
    }
    path.closeSubpath();
    return path;
}

} // namespace SkinGen
