#pragma once
// What the other platform layers (windows, printing) need of drawing objects in Qt's terms. The
// program's own code never includes this.

#include "platform/gdi/GdiTypes.h"

#include <QFont>
#include <QImage>
#include <QPolygon>
#include <QRegion>

QRegion RegionToQRegion(HRGN region);
// The Qt font a font handle draws with; Qt's default font for null or a handle of another kind.
QFont FontToQFont(HFONT font);
// The outline a polygon region was made from; empty for other regions.
QPolygon RegionOutline(HRGN region);
// A view of the bitmap's own pixel bytes, rows in memory order: a bottom-up DIB section's last row
// comes first. Valid while the bitmap lives.
QImage BitmapMemoryImage(HBITMAP bitmap);
// A top-down copy of the bitmap's pixels.
QImage BitmapToImage(HBITMAP bitmap);
// The same with the fourth byte of 32-bit pixels as straight alpha; 24-bit bitmaps come out opaque.
QImage BitmapToImageWithAlpha(HBITMAP bitmap);
// Lays a picture with alpha over what the context holds, its top left corner at the logical point, one
// picture pixel per device pixel, inside the clip region.
BOOL DrawImageOver(HDC dc, int x, int y, const QImage& image);
