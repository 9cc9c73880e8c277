#pragma once
// Polygon outlines with an exact number of points, as the windows' point tables need them.

#include "tools/skingen/SkinModel.h"

#include <QPainterPath>
#include <QPointF>
#include <QRect>

namespace SkinGen {

// The rectangle between two corner points, both inside it: Span(1, 1, 38, 35) for "(1,1)-(38,35)".
inline QRect Span(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// `count` points on the ellipse that touches the sides of `bounds` (inclusive corner points),
// clockwise on screen from the right-most point; every point stays inside the bounds.
Outline EllipseOutline(QRect bounds, int count);

// A rounded rectangle spanning `bounds` (inclusive corner points) with `count` points: the points
// are shared out over the four corner arcs; what is left over goes onto the middles of the edges.
Outline RoundedOutline(QRect bounds, double radius, int count);

Outline Moved(const Outline& outline, QPoint offset);

QRect Bounds(const Outline& outline);

// The area of the polygon as Windows fills it, for every pixel of an area of `size` (index
// y * width + x): pixel (x, y) belongs to it when its centre (x + 0.5, y + 0.5) lies inside under the
// winding rule.
std::vector<bool> Coverage(const Outline& outline, QSize size);

QPainterPath ToPath(const Outline& outline);

} // namespace SkinGen
