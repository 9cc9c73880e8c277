#pragma once
// Shapes and text drawn through coverage masks: the painter only decides which pixels a pen, brush or
// glyph covers, and our own loop writes them with the raster operation. Private to platform/gdi.

#include "platform/gdi/Surface.h"

#include <QImage>
#include <QRect>
#include <QRegion>
#include <functional>

class QPainter;

// The device pixels a drawing's extent may touch: the extent clipped to what the context can draw.
QRect DeviceBounds(const QRectF& extent, const QRegion& drawable);

// An 8-bit coverage mask over a device rectangle.
struct CoverageMask {
    QRect bounds;
    QImage mask;

    // Renders draw (given a painter mapped from logical to device units) into a mask over bounds.
    static CoverageMask Render(const QRect& bounds, const QTransform& logicalToDevice, bool antialias,
                               const std::function<void(QPainter&)>& draw);
    BYTE At(int x, int y) const { return mask.constScanLine(y - bounds.top())[x - bounds.left()]; }
    bool IsEmpty() const { return mask.isNull(); }
};

// The pixels a mask covers, as a region.
QRegion RegionOfMask(const CoverageMask& mask);

// Pixels inside area where mask is set get op(x, y, dest); mask may be empty (then nothing).
void ApplyMask(const Surface& target, const QRegion& area, const CoverageMask& mask,
               const std::function<bool(int x, int y, BYTE coverage, DWORD& pixel)>& op);
