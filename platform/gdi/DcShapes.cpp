// Lines and filled shapes of CDC, with pens, brushes and the binary raster operation.

#include "platform/gdi/Coverage.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/DeviceContext.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cmath>
#include <vector>

namespace {

// Dash lengths of thin styled pens, in pixels, on and off in turn.
const QList<qreal> kDash{18, 6};
const QList<qreal> kDot{3, 3};
const QList<qreal> kDashDot{9, 6, 3, 6};
const QList<qreal> kDashDotDot{9, 3, 3, 3, 3, 3};

struct PenStyle {
    bool visible = false;
    bool insideFrame = false;
    int width = 1;
    QList<qreal> dashes;
    DWORD color = 0;
};

PenStyle PenStyleOf(const DeviceContextRecord& dc) {
    PenStyle style;
    const LOGPEN& pen = dc.state.pen->pen;
    if (pen.lopnStyle == PS_NULL)
        return style;
    style.visible = true;
    style.width = std::max<int>(1, pen.lopnWidth.x);
    style.insideFrame = pen.lopnStyle == PS_INSIDEFRAME;
    style.color = dc.ResolveColor(pen.lopnColor);
    // Styled pens wider than a pixel draw solid.
    if (style.width == 1) {
        switch (pen.lopnStyle) {
        case PS_DASH:
            style.dashes = kDash;
            break;
        case PS_DOT:
            style.dashes = kDot;
            break;
        case PS_DASHDOT:
            style.dashes = kDashDot;
            break;
        case PS_DASHDOTDOT:
            style.dashes = kDashDotDot;
            break;
        default:
            break;
        }
    }
    return style;
}

QPen QtPen(const PenStyle& style, bool withDashes, const QColor& color) {
    QPen pen(color);
    pen.setWidth(style.width == 1 ? 0 : style.width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (withDashes && !style.dashes.isEmpty())
        pen.setDashPattern(style.dashes);
    return pen;
}

Qt::BrushStyle QtHatch(DWORD hatch) {
    switch (hatch) {
    case HS_HORIZONTAL:
        return Qt::HorPattern;
    case HS_VERTICAL:
        return Qt::VerPattern;
    case HS_FDIAGONAL:
        return Qt::FDiagPattern;
    case HS_BDIAGONAL:
        return Qt::BDiagPattern;
    case HS_CROSS:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

// The pen colour's effect through a binary raster operation on a painter; false when it leaves the
// destination alone.
bool PainterOperation(int rop2, DWORD operand, QPainter::CompositionMode& mode, QColor& color) {
    const int table = (rop2 - 1) & 0xF;
    const QColor operandColor(QRgb(operand | 0xFF000000));
    mode = QPainter::CompositionMode_SourceOver;
    switch (table) {
    case 0xA:
        return false;
    case 0x0:
        color = Qt::black;
        return true;
    case 0xF:
        color = Qt::white;
        return true;
    case 0xC:
        color = operandColor;
        return true;
    case 0x3:
        color = QColor(QRgb(~operand | 0xFF000000));
        return true;
    default:
        mode = static_cast<QPainter::CompositionMode>(PainterModeOfTable(table));
        color = operandColor;
        return true;
    }
}

// Draws a shape given as painter calls in logical units: closed shapes are filled with the brush and
// outlined with the pen, open ones only outlined. logicalBounds is the geometry's extent.
void PaintShape(DeviceContextRecord& dc, const QRectF& logicalBounds, bool closed,
                const std::function<void(QPainter&)>& draw) {
    const PenStyle pen = PenStyleOf(dc);
    const BrushRecord* brushRecord = dc.state.brush.get();
    const bool filled = closed && brushRecord && brushRecord->brush.lbStyle != BS_NULL;
    if (!pen.visible && !filled)
        return;
    const QTransform toDevice = dc.LogicalToDevice();
    const double reach = toDevice.mapRect(QRectF(0, 0, pen.width, pen.width)).width() + 2;
    const QRegion area = dc.DrawableArea();
    const QRect bounds =
        DeviceBounds(toDevice.mapRect(logicalBounds).adjusted(-reach, -reach, reach, reach), area);
    if (bounds.isEmpty())
        return;
    const bool opaque = dc.state.bkMode == OPAQUE;
    const DWORD background = dc.ResolveColor(dc.state.bkColor);

    if (dc.target == DeviceContextRecord::Target::Painter) {
        QPainter& painter = *dc.painter;
        // Sets up the painter for one pass inside clip; false when the pass leaves the pixels alone.
        const auto begin = [&](const QRegion& clip, DWORD operand) {
            QPainter::CompositionMode mode;
            QColor color;
            if (!PainterOperation(dc.state.rop2, operand, mode, color))
                return QColor();
            painter.save();
            painter.setClipRegion(clip, Qt::IntersectClip);
            painter.setTransform(toDevice, true);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
            painter.setBackground(QColor(QRgb(background | 0xFF000000)));
            painter.setCompositionMode(mode);
            return color;
        };
        if (filled) {
            // A raster operation must not reach the pixels under the pen twice: the brush leaves them out.
            QRegion brushArea = area;
            if (pen.visible && dc.state.rop2 != R2_COPYPEN)
                brushArea -=
                    RegionOfMask(CoverageMask::Render(bounds, toDevice, false, [&](QPainter& outline) {
                        outline.setPen(QtPen(pen, false, kCoverageInk));
                        draw(outline);
                    }));
            const QColor color = begin(brushArea, dc.ResolveColor(brushRecord->brush.lbColor));
            if (color.isValid()) {
                painter.setPen(Qt::NoPen);
                if (!brushRecord->pattern.isNull())
                    painter.setBrush(QBrush(brushRecord->pattern));
                else if (brushRecord->brush.lbStyle == BS_HATCHED)
                    painter.setBrush(QBrush(color, QtHatch(brushRecord->brush.lbHatch)));
                else
                    painter.setBrush(QBrush(color));
                draw(painter);
                painter.restore();
            }
        }
        if (pen.visible) {
            const QColor color = begin(area, pen.color);
            if (color.isValid()) {
                painter.setPen(QtPen(pen, true, color));
                painter.setBrush(Qt::NoBrush);
                draw(painter);
                painter.restore();
            }
        }
        return;
    }

    const Surface surface = dc.TargetSurface();
    if (!surface.IsValid())
        return;
    CoverageMask brushMask, penMask, gapMask;
    if (filled) {
        brushMask = CoverageMask::Render(bounds, toDevice, false, [&](QPainter& painter) {
            painter.setBrush(kCoverageInk);
            painter.setPen(Qt::NoPen);
            draw(painter);
        });
    }
    if (pen.visible) {
        const auto outline = [&](bool withDashes) {
            return CoverageMask::Render(bounds, toDevice, false, [&](QPainter& painter) {
                painter.setPen(QtPen(pen, withDashes, kCoverageInk));
                painter.setBrush(Qt::NoBrush);
                draw(painter);
            });
        };
        penMask = outline(true);
        if (opaque && !pen.dashes.isEmpty())
            gapMask = outline(false);
    }
    const BYTE code = RopCodeOfRop2(dc.state.rop2);
    const BrushPattern pattern = filled ? dc.PatternOf(brushRecord) : BrushPattern{};
    // The brush first, then the pen over it, so that no pixel takes the raster operation twice.
    ApplyMask(surface, area, brushMask, [&](int x, int y, BYTE, DWORD& pixel) {
        if (!penMask.IsEmpty() && penMask.At(x, y))
            return false;
        if (pattern.IsHatched() && !pattern.HatchBitAt(x, y) && !opaque)
            return false;
        pixel = ApplyRop(code, pattern.At(x, y), 0, pixel);
        return true;
    });
    ApplyMask(surface, area, penMask, [&](int, int, BYTE, DWORD& pixel) {
        pixel = ApplyRop(code, pen.color, 0, pixel);
        return true;
    });
    ApplyMask(surface, area, gapMask, [&](int x, int y, BYTE, DWORD& pixel) {
        if (penMask.At(x, y))
            return false;
        pixel = ApplyRop(code, background, 0, pixel);
        return true;
    });
}

Qt::FillRule QtFillRule(int mode) {
    return mode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
}

// The path a box's outline follows. A one-pixel pen covers left .. right - 1, as the painter draws a
// rectangle one pixel larger than its size; wider pens are centred on the border pixels, or kept
// inside the box for PS_INSIDEFRAME.
QRectF OutlineRect(int left, int top, int right, int bottom, const DeviceContextRecord& dc) {
    const double l = std::min(left, right), r = std::max(left, right);
    const double t = std::min(top, bottom), b = std::max(top, bottom);
    const LOGPEN& pen = dc.state.pen->pen;
    const int width = pen.lopnStyle == PS_NULL ? 1 : std::max<int>(1, pen.lopnWidth.x);
    if (width == 1)
        return QRectF(l, t, r - l - 1, b - t - 1);
    const double inset = pen.lopnStyle == PS_INSIDEFRAME ? width / 2.0 : 0.5;
    return QRectF(l, t, r - l, b - t).adjusted(inset, inset, -inset, -inset);
}

QPolygon PolygonOf(const POINT* points, int count) {
    QPolygon polygon(count);
    for (int i = 0; i < count; ++i)
        polygon.setPoint(i, points[i].x, points[i].y);
    return polygon;
}

QRectF BoundsOf(const POINT* points, int count) {
    double left = points[0].x, right = left, top = points[0].y, bottom = top;
    for (int i = 1; i < count; ++i) {
        left = std::min<double>(left, points[i].x), right = std::max<double>(right, points[i].x);
        top = std::min<double>(top, points[i].y), bottom = std::max<double>(bottom, points[i].y);
    }
    return QRectF(left, top, right - left, bottom - top);
}

enum class ArcShape { Open, Chord, Pie };

// Qt's angles (sixteenths of a degree, counterclockwise on the screen) of the arc from the radial
// through the start point counterclockwise to the radial through the end point; a full turn when the two
// radials meet.
void ArcAngles(const QRectF& box, int xStart, int yStart, int xEnd, int yEnd, int& start, int& span) {
    const QPointF centre = box.center();
    const double from = std::atan2(centre.y() - yStart, xStart - centre.x()) * 180.0 / M_PI;
    const double to = std::atan2(centre.y() - yEnd, xEnd - centre.x()) * 180.0 / M_PI;
    double sweep = to - from;
    while (sweep <= 0)
        sweep += 360.0;
    start = static_cast<int>(std::lround(from * 16));
    span = static_cast<int>(std::lround(sweep * 16));
}

void PaintArc(DeviceContextRecord& dc, ArcShape shape, int left, int top, int right, int bottom, int xStart,
              int yStart, int xEnd, int yEnd) {
    const QRectF box = OutlineRect(left, top, right, bottom, dc);
    int start = 0, span = 0;
    ArcAngles(box, xStart, yStart, xEnd, yEnd, start, span);
    PaintShape(dc, box, shape != ArcShape::Open, [=](QPainter& painter) {
        if (shape == ArcShape::Open)
            painter.drawArc(box, start, span);
        else if (shape == ArcShape::Chord)
            painter.drawChord(box, start, span);
        else
            painter.drawPie(box, start, span);
    });
}

} // namespace

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    if (!m_hDC)
        return FALSE;
    const QRectF box = OutlineRect(left, top, right, bottom, *m_hDC);
    PaintShape(*m_hDC, box, true, [box](QPainter& painter) { painter.drawRect(box); });
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
    if (!m_hDC)
        return FALSE;
    const QRectF box = OutlineRect(left, top, right, bottom, *m_hDC);
    PaintShape(*m_hDC, box, true, [box](QPainter& painter) { painter.drawEllipse(box); });
    return TRUE;
}

BOOL CDC::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    if (!m_hDC)
        return FALSE;
    const QRectF box = OutlineRect(left, top, right, bottom, *m_hDC);
    const qreal rx = std::min<qreal>(std::abs(ellipseWidth), box.width()) / 2.0;
    const qreal ry = std::min<qreal>(std::abs(ellipseHeight), box.height()) / 2.0;
    PaintShape(*m_hDC, box, true,
               [=](QPainter& painter) { painter.drawRoundedRect(box, rx, ry, Qt::AbsoluteSize); });
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count) {
    if (!m_hDC || !points || count < 2)
        return FALSE;
    const QPolygon polygon = PolygonOf(points, count);
    const Qt::FillRule rule = QtFillRule(m_hDC->state.polyFillMode);
    PaintShape(*m_hDC, BoundsOf(points, count), true,
               [&](QPainter& painter) { painter.drawPolygon(polygon, rule); });
    return TRUE;
}

BOOL CDC::PolyPolygon(const POINT* points, const int* counts, int polygonCount) {
    if (!m_hDC || !points || !counts || polygonCount < 1)
        return FALSE;
    QPainterPath path;
    path.setFillRule(QtFillRule(m_hDC->state.polyFillMode));
    int total = 0;
    for (int i = 0; i < polygonCount; ++i) {
        if (counts[i] < 2)
            return FALSE;
        QPolygonF polygon(PolygonOf(points + total, counts[i]));
        polygon << polygon.first();
        path.addPolygon(polygon);
        total += counts[i];
    }
    PaintShape(*m_hDC, BoundsOf(points, total), true, [&](QPainter& painter) { painter.drawPath(path); });
    return TRUE;
}

BOOL CDC::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    if (!m_hDC)
        return FALSE;
    PaintArc(*m_hDC, ArcShape::Open, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
    return TRUE;
}

BOOL CDC::Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    if (!m_hDC)
        return FALSE;
    PaintArc(*m_hDC, ArcShape::Chord, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
    return TRUE;
}

BOOL CDC::Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    if (!m_hDC)
        return FALSE;
    PaintArc(*m_hDC, ArcShape::Pie, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count) {
    if (!m_hDC || !points || count < 2)
        return FALSE;
    const QPolygon polygon = PolygonOf(points, count);
    PaintShape(*m_hDC, BoundsOf(points, count), false,
               [&](QPainter& painter) { painter.drawPolyline(polygon); });
    return TRUE;
}

CPoint CDC::MoveTo(int x, int y) {
    if (!m_hDC)
        return CPoint();
    return std::exchange(m_hDC->state.position, POINT{x, y});
}

BOOL CDC::LineTo(int x, int y) {
    if (!m_hDC)
        return FALSE;
    const POINT line[2] = {m_hDC->state.position, POINT{x, y}};
    Polyline(line, 2);
    m_hDC->state.position = POINT{x, y};
    return TRUE;
}

CPoint CDC::GetCurrentPosition() const {
    return m_hDC ? CPoint(m_hDC->state.position) : CPoint();
}
