#include "platform/gdi/Coverage.h"

#include <QPainter>

QRect DeviceBounds(const QRectF& extent, const QRegion& drawable) {
    const QRect box = drawable.boundingRect();
    const QRectF clipped = extent.normalized() & QRectF(box);
    return clipped.isEmpty() ? QRect() : clipped.toAlignedRect() & box;
}

CoverageMask CoverageMask::Render(const QRect& bounds, const QTransform& logicalToDevice, bool antialias,
                                  const std::function<void(QPainter&)>& draw) {
    CoverageMask result;
    if (bounds.isEmpty())
        return result;
    result.bounds = bounds;
    result.mask = QImage(bounds.size(), QImage::Format_Grayscale8);
    result.mask.fill(0);
    QPainter painter(&result.mask);
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    painter.setRenderHint(QPainter::TextAntialiasing, antialias);
    painter.setTransform(logicalToDevice * QTransform::fromTranslate(-bounds.left(), -bounds.top()));
    draw(painter);
    return result;
}

QRegion RegionOfMask(const CoverageMask& mask) {
    QRegion region;
    if (mask.IsEmpty())
        return region;
    for (int y = 0; y < mask.bounds.height(); ++y) {
        const BYTE* row = mask.mask.constScanLine(y);
        for (int x = 0; x < mask.bounds.width();) {
            if (!row[x]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < mask.bounds.width() && row[x])
                ++x;
            region += QRect(mask.bounds.left() + start, mask.bounds.top() + y, x - start, 1);
        }
    }
    return region;
}
