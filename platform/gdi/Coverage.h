#pragma once
// Shapes and text drawn through coverage masks: the painter only decides which pixels a pen, brush or
// glyph covers, and our own loop writes them with the raster operation. Private to platform/gdi.

#include "platform/gdi/Surface.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <functional>

class QPainter;

// The device pixels a drawing's extent may touch: the extent clipped to what the context can draw.
QRect DeviceBounds(const QRectF& extent, const QRegion& drawable);

// What drawings into a coverage mask paint with: the mask is a grey picture on black, where the
// painter's fast paths draw text and shapes.
inline const QColor kCoverageInk = Qt::white;

// An 8-bit coverage mask over a device rectangle.
struct CoverageMask {
    QRect bounds;
    QImage mask;

    // Renders draw (given a painter mapped from logical to device units) into a mask over bounds; draw
    // paints with kCoverageInk.
    static CoverageMask Render(const QRect& bounds, const QTransform& logicalToDevice, bool antialias,
                               const std::function<void(QPainter&)>& draw);
    BYTE At(int x, int y) const { return mask.constScanLine(y - bounds.top())[x - bounds.left()]; }
    bool IsEmpty() const { return mask.isNull(); }
};

// The pixels a mask covers, as a region.
QRegion RegionOfMask(const CoverageMask& mask);

// Pixels inside area where mask is set get op(x, y, coverage, pixel), which returns whether it changed
// the pixel; mask may be empty (then nothing).
template <typename Op>
void ApplyMask(const Surface& target, const QRegion& area, const CoverageMask& mask, Op op) {
    if (mask.IsEmpty())
        return;
    for (const QRect& r : area.intersected(mask.bounds)) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const BYTE* coverage = mask.mask.constScanLine(y - mask.bounds.top()) - mask.bounds.left();
            BYTE* p = target.Row(y) + r.left() * target.bytesPerPixel;
            for (int x = r.left(); x <= r.right(); ++x, p += target.bytesPerPixel) {
                if (!coverage[x])
                    continue;
                DWORD pixel = target.LoadPixel(p);
                if (op(x, y, coverage[x], pixel))
                    target.StorePixel(p, pixel);
            }
        }
    }
}
