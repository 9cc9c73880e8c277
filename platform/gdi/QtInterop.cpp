#include "platform/gdi/QtInterop.h"

#include "platform/gdi/GdiRecords.h"

QRegion RegionToQRegion(HRGN region) {
    const RegionRecord* record = RegionOf(region);
    return record ? record->region : QRegion();
}

QFont FontToQFont(HFONT font) {
    const FontRecord* record = RecordOf<FontRecord>(font, GdiKind::Font);
    return record ? record->QtFont() : QFont();
}

QPolygon RegionOutline(HRGN region) {
    const RegionRecord* record = RegionOf(region);
    return record ? record->polygon : QPolygon();
}

QImage BitmapMemoryImage(HBITMAP bitmap) {
    const BitmapRecord* record = BitmapOf(bitmap);
    if (!record)
        return QImage();
    const Surface& s = record->surface;
    return QImage(s.bits, s.width, s.height, s.stride,
                  s.bytesPerPixel == 3 ? QImage::Format_BGR888 : QImage::Format_RGB32);
}

QImage BitmapToImage(HBITMAP bitmap) {
    const QImage memory = BitmapMemoryImage(bitmap);
    if (memory.isNull())
        return memory;
    const bool bottomUp = BitmapOf(bitmap)->surface.bottomUp;
    return memory.convertToFormat(QImage::Format_RGB32).mirrored(false, bottomUp);
}

QImage BitmapToImageWithAlpha(HBITMAP bitmap) {
    QImage memory = BitmapMemoryImage(bitmap);
    if (memory.isNull())
        return memory;
    if (memory.format() == QImage::Format_RGB32)
        memory.reinterpretAsFormat(QImage::Format_ARGB32);
    const bool bottomUp = BitmapOf(bitmap)->surface.bottomUp;
    return memory.convertToFormat(QImage::Format_ARGB32).mirrored(false, bottomUp);
}
