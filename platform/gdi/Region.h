#pragma once
// CRgn: regions for clipping and window shapes, in device units.

#include "platform/gdi/GdiObject.h"

class CRgn : public CGdiObject {
public:
    static CRgn* FromHandle(HRGN region);

    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom);
    BOOL CreateEllipticRgnIndirect(LPCRECT rect);
    // ellipseWidth and ellipseHeight size the corner ellipse.
    BOOL CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    // fillMode ALTERNATE or WINDING decides which parts of a self-crossing outline are inside.
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);

    // Sets this region to a combination of the two (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF; RGN_COPY takes
    // the first); returns the new region's type or ERROR.
    int CombineRgn(const CRgn* first, const CRgn* second, int mode);
    int CopyRgn(const CRgn* source);
    BOOL EqualRgn(const CRgn* other) const;
    int OffsetRgn(int dx, int dy);
    int OffsetRgn(POINT offset) { return OffsetRgn(offset.x, offset.y); }
    void SetRectRgn(int left, int top, int right, int bottom);
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    BOOL RectInRegion(LPCRECT rect) const;
    int GetRgnBox(LPRECT rect) const;
};

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
int CombineRgn(HRGN destination, HRGN first, HRGN second, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
BOOL PtInRegion(HRGN region, int x, int y);
int GetRgnBox(HRGN region, LPRECT rect);
