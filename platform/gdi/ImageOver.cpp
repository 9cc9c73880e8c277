// Pictures with alpha laid over a context: the image list's drawing, which no raster operation does.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/QtInterop.h"

#include <QPainter>

namespace {

// One channel of a premultiplied source over the destination.
DWORD Over(DWORD source, DWORD dest, DWORD alpha, int shift) {
    const DWORD s = (source >> shift) & 0xFF;
    const DWORD d = (dest >> shift) & 0xFF;
    return ((s + (d * (255 - alpha) + 127) / 255) & 0xFF) << shift;
}

void BlendOntoSurface(const Surface& surface, const QRegion& area, QPoint origin, const QImage& picture) {
    for (const QRect& rect : area) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y - origin.y()));
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb source = row[x - origin.x()];
                const DWORD alpha = static_cast<DWORD>(qAlpha(source));
                if (alpha == 0)
                    continue;
                const DWORD dest = surface.Get(x, y);
                // QRgb and device pixels share the 0x00RRGGBB layout below the alpha byte.
                surface.Put(x, y,
                            Over(source, dest, alpha, 0) | Over(source, dest, alpha, 8) |
                                Over(source, dest, alpha, 16));
            }
        }
    }
}

} // namespace

BOOL DrawImageOver(HDC dc, int x, int y, const QImage& image) {
    if (!dc || image.isNull())
        return FALSE;
    const QImage picture = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QPoint origin = dc->ToDevice(x, y);
    const QRegion area = dc->DrawableArea().intersected(QRect(origin, picture.size()));
    if (dc->target == DeviceContextRecord::Target::Painter) {
        QPainter& painter = *dc->painter;
        painter.save();
        painter.setClipRegion(area);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(origin, picture);
        painter.restore();
        return TRUE;
    }
    const Surface surface = dc->TargetSurface();
    if (!surface.IsValid())
        return FALSE;
    BlendOntoSurface(surface, area, origin, picture);
    return TRUE;
}
