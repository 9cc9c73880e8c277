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
    result.mask = QImage(bounds.size(), QImage::Format_Alpha8);
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

void ApplyMask(const Surface& target, const QRegion& area, const CoverageMask& mask,
               const std::function<bool(int x, int y, BYTE coverage, DWORD& pixel)>& op) {
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
