// Edges, frame controls and focus rectangles, drawn line by line in the system colours.

#include "platform/gdi/Dc.h"
#include "platform/gdi/SystemColors.h"

#include <algorithm>

namespace {

struct LineColors {
    int topLeft;
    int bottomRight;
};

// The colours of one line of an edge; outer is the line on the rectangle's border.
LineColors ColorsOf(UINT edge, bool outer, UINT flags) {
    if (flags & BF_MONO)
        return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
    if (flags & BF_FLAT)
        return outer ? LineColors{COLOR_3DSHADOW, COLOR_3DSHADOW} : LineColors{COLOR_3DFACE, COLOR_3DFACE};
    if (outer)
        return (edge & BDR_SUNKENOUTER) ? LineColors{COLOR_3DSHADOW, COLOR_3DHILIGHT}
                                        : LineColors{COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    return (edge & BDR_SUNKENINNER) ? LineColors{COLOR_3DDKSHADOW, COLOR_3DLIGHT}
                                    : LineColors{COLOR_3DHILIGHT, COLOR_3DSHADOW};
}

void DrawLine(CDC* dc, const CRect& r, LineColors colors, UINT sides) {
    if (r.IsRectEmpty())
        return;
    const COLORREF topLeft = GetSysColor(colors.topLeft);
    const COLORREF bottomRight = GetSysColor(colors.bottomRight);
    if (sides & BF_TOP)
        dc->FillSolidRect(r.left, r.top, r.Width(), 1, topLeft);
    if (sides & BF_LEFT)
        dc->FillSolidRect(r.left, r.top, 1, r.Height(), topLeft);
    if (sides & BF_BOTTOM)
        dc->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, bottomRight);
    if (sides & BF_RIGHT)
        dc->FillSolidRect(r.right - 1, r.top, 1, r.Height(), bottomRight);
}

void Shrink(CRect* r, UINT sides) {
    r->left += (sides & BF_LEFT) ? 1 : 0;
    r->top += (sides & BF_TOP) ? 1 : 0;
    r->right -= (sides & BF_RIGHT) ? 1 : 0;
    r->bottom -= (sides & BF_BOTTOM) ? 1 : 0;
}

// A filled triangle pointing in the scroll direction, centred in r.
void DrawArrow(CDC* dc, const CRect& r, UINT direction, COLORREF color) {
    const int size = std::max(1, std::min(r.Width(), r.Height()) / 4);
    const CPoint centre = r.CenterPoint();
    POINT points[3];
    switch (direction) {
    case DFCS_SCROLLUP:
        points[0] = {centre.x - size, centre.y + size / 2};
        points[1] = {centre.x + size, centre.y + size / 2};
        points[2] = {centre.x, centre.y - size / 2 - 1};
        break;
    case DFCS_SCROLLLEFT:
        points[0] = {centre.x + size / 2, centre.y - size};
        points[1] = {centre.x + size / 2, centre.y + size};
        points[2] = {centre.x - size / 2 - 1, centre.y};
        break;
    case DFCS_SCROLLRIGHT:
        points[0] = {centre.x - size / 2, centre.y - size};
        points[1] = {centre.x - size / 2, centre.y + size};
        points[2] = {centre.x + size / 2 + 1, centre.y};
        break;
    default: // down and the combo box arrow
        points[0] = {centre.x - size, centre.y - size / 2};
        points[1] = {centre.x + size, centre.y - size / 2};
        points[2] = {centre.x, centre.y + size / 2 + 1};
        break;
    }
    CBrush brush(color);
    CPen pen(PS_SOLID, 1, color);
    CBrush* oldBrush = dc->SelectObject(&brush);
    CPen* oldPen = dc->SelectObject(&pen);
    dc->Polygon(points, 3);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

// The face of a push button or scroll arrow: raised, or flat and shadowed while pushed.
void DrawButtonFace(CDC* dc, CRect* r, UINT state) {
    dc->FillSolidRect(r, GetSysColor(COLOR_3DFACE));
    if (state & (DFCS_PUSHED | DFCS_FLAT))
        dc->DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_ADJUST);
    else
        dc->DrawEdge(r, EDGE_RAISED, BF_RECT | BF_ADJUST);
}

} // namespace

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags) {
    if (!m_hDC || !rect)
        return FALSE;
    const UINT sides = flags & BF_RECT;
    CRect r(*rect);
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        DrawLine(this, r, ColorsOf(edge, true, flags), sides);
        Shrink(&r, sides);
    }
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        DrawLine(this, r, ColorsOf(edge, false, flags), sides);
        Shrink(&r, sides);
    }
    if ((flags & BF_MIDDLE) && !r.IsRectEmpty())
        FillSolidRect(&r, GetSysColor(COLOR_3DFACE));
    if (flags & BF_ADJUST)
        *rect = r;
    return TRUE;
}

BOOL CDC::DrawFrameControl(LPRECT rect, UINT type, UINT state) {
    if (!m_hDC || !rect || (type != DFC_SCROLL && type != DFC_BUTTON))
        return FALSE;
    CRect face(*rect);
    DrawButtonFace(this, &face, state);
    if (type == DFC_BUTTON)
        return TRUE;
    if (state & DFCS_PUSHED)
        face.OffsetRect(1, 1);
    DrawArrow(this, face, state & 0x000F,
              GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    return TRUE;
}

void CDC::DrawFocusRect(LPCRECT rect) {
    if (!m_hDC || !rect)
        return;
    const CRect r(*rect);
    if (r.IsRectEmpty())
        return;
    // Walks the outline once, inverting every other pixel.
    int step = 0;
    auto invert = [&](int x, int y) {
        if (step++ % 2 == 0)
            PatBlt(x, y, 1, 1, DSTINVERT);
    };
    for (int x = r.left; x < r.right; ++x)
        invert(x, r.top);
    for (int y = r.top + 1; y < r.bottom; ++y)
        invert(r.right - 1, y);
    for (int x = r.right - 2; x >= r.left && r.Height() > 1; --x)
        invert(x, r.bottom - 1);
    for (int y = r.bottom - 2; y > r.top && r.Width() > 1; --y)
        invert(r.left, y);
}

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
    return dc ? CDC::FromHandle(dc)->DrawEdge(rect, edge, flags) : FALSE;
}

BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state) {
    return dc ? CDC::FromHandle(dc)->DrawFrameControl(rect, type, state) : FALSE;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    if (!dc)
        return FALSE;
    CDC::FromHandle(dc)->DrawFocusRect(rect);
    return TRUE;
}
