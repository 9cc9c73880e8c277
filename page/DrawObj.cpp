// The common part of every drawing object: its archive record, handles, hit test, tracker and rotation.
#include "page/DrawObj.h"

#include "page/PageWindow.h"
#include "platform/base/Archive.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"

#include <algorithm>
#include <array>
#include <cmath>

IMPLEMENT_SERIAL(CDrawObj, CObject, 0)

namespace {

// The squares of the tracker: 7 x 7 around each handle.
constexpr int kTrackerHalf = 3;
constexpr int kTrackerSide = 7;
// Both rotation routines keep their own approximations of pi, so outlines and bounds land on the
// same pixels as pages made before.
constexpr double kOutlinePi = 3.141592;
constexpr double kRotationPi = 3.14159265538;

void StorePen(CArchive& ar, const LOGPEN& pen) {
    ar << static_cast<DWORD>(pen.lopnStyle) << pen.lopnWidth << static_cast<DWORD>(pen.lopnColor);
}

void LoadPen(CArchive& ar, LOGPEN& pen) {
    DWORD style = 0;
    DWORD colour = 0;
    ar >> style >> pen.lopnWidth >> colour;
    pen.lopnStyle = style;
    pen.lopnColor = colour;
}

void StoreBrush(CArchive& ar, const LOGBRUSH& brush) {
    ar << static_cast<DWORD>(brush.lbStyle) << static_cast<DWORD>(brush.lbColor) << brush.lbHatch;
}

void LoadBrush(CArchive& ar, LOGBRUSH& brush) {
    DWORD style = 0;
    DWORD colour = 0;
    ar >> style >> colour >> brush.lbHatch;
    brush.lbStyle = style;
    brush.lbColor = colour;
}

// Flags are stored as WORDs 0 or 1; any non-zero WORD reads as set.
void StoreFlag(CArchive& ar, BYTE flag) {
    ar << static_cast<WORD>(flag ? 1 : 0);
}

BYTE LoadFlag(CArchive& ar) {
    WORD flag = 0;
    ar >> flag;
    return flag != 0 ? TRUE : FALSE;
}

} // namespace

CDrawObj::CDrawObj() = default;

CDrawObj::CDrawObj(const CRect& position) : m_position(position), m_savedPosition(position) {}

// 48 bytes: position, pen flag, LOGPEN, brush flag, LOGBRUSH.
void CDrawObj::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_position;
        StoreFlag(ar, m_bPen);
        StorePen(ar, m_logpen);
        StoreFlag(ar, m_bBrush);
        StoreBrush(ar, m_logbrush);
        return;
    }
    ar >> m_position;
    m_bPen = LoadFlag(ar);
    LoadPen(ar, m_logpen);
    m_bBrush = LoadFlag(ar);
    LoadBrush(ar, m_logbrush);
    m_savedPosition = m_position;
}

int CDrawObj::GetHandleCount() {
    return 8;
}

CPoint CDrawObj::GetHandle(int nHandle) {
    const CRect& r = m_position;
    const int cx = r.left + (r.right - r.left) / 2;
    const int cy = r.top + (r.bottom - r.top) / 2;
    switch (nHandle) {
    case 2:
        return {cx, r.top};
    case 3:
        return {r.right, r.top};
    case 4:
        return {r.right, cy};
    case 5:
        return {r.right, r.bottom};
    case 6:
        return {cx, r.bottom};
    case 7:
        return {r.left, r.bottom};
    case 8:
        return {r.left, cy};
    default:
        return {r.left, r.top};
    }
}

BOOL CDrawObj::Intersects(const CRect& rect) {
    CRect position = m_position;
    position.NormalizeRect();
    CRect other = rect;
    other.NormalizeRect();
    CRect overlap;
    return overlap.IntersectRect(position, other) ? TRUE : FALSE;
}

void CDrawObj::MoveTo(const CRect& position, CPageWindow* pWnd) {
    if (position == static_cast<const RECT&>(m_savedPosition))
        return;
    if (m_bTrackerShown)
        DrawRotatedTracker(pWnd);
    m_savedPosition = position;
    if (m_bTrackerShown)
        DrawRotatedTracker(pWnd);
}

int CDrawObj::GetKind() {
    return kDrawKindShape;
}

void CDrawObj::Draw(CDC*, int, int, float) {}

void CDrawObj::DrawTracker(CDC* pDC, int state) {
    if (state != 1 && state != 2)
        return;
    const int count = GetHandleCount();
    for (int n = 1; n <= count; ++n) {
        const CPoint handle = GetHandle(n);
        pDC->PatBlt(handle.x - kTrackerHalf, handle.y - kTrackerHalf, kTrackerSide, kTrackerSide, DSTINVERT);
    }
}

void CDrawObj::Remove() {
    delete this;
}

void CDrawObj::DrawFrame(CDC*, float, int, int) {}

CDrawObj* CDrawObj::Clone() {
    return nullptr;
}

void CDrawObj::RotatePoint(const CPoint& centre, CPoint& point, int direction) const {
    double angle = m_nRotation * kRotationPi / 1800.0;
    if (direction == 1)
        angle = -angle;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const int dx = point.x - centre.x;
    const int dy = point.y - centre.y;
    point.x = centre.x + static_cast<int>(c * dx) + static_cast<int>(s * dy);
    point.y = centre.y - static_cast<int>(s * dx) + static_cast<int>(c * dy);
}

CRect CDrawObj::GetRotatedBounds() const {
    const CRect& r = m_position;
    const CPoint centre((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    std::array<CPoint, 4> corners = {CPoint(r.left, r.top), CPoint(r.left, r.bottom),
                                     CPoint(r.right, r.bottom), CPoint(r.right, r.top)};
    for (CPoint& corner : corners)
        RotatePoint(centre, corner, 0);
    CRect bounds(corners[0].x, corners[0].y, corners[0].x, corners[0].y);
    for (const CPoint& corner : corners) {
        bounds.left = std::min<int>(bounds.left, corner.x);
        bounds.top = std::min<int>(bounds.top, corner.y);
        bounds.right = std::max<int>(bounds.right, corner.x);
        bounds.bottom = std::max<int>(bounds.bottom, corner.y);
    }
    return bounds;
}

std::array<CPoint, 4> CDrawObj::RotatedCorners(const CRect& r, int rotation) {
    const double a = rotation / 10.0;
    const double hw = (r.right - r.left) / 2.0;
    const double hh = (r.bottom - r.top) / 2.0;
    const double radius = std::sqrt(hw * hw + hh * hh);
    const double cx = r.left + hw;
    const double cy = r.top + hh;
    // An empty rectangle has no corner angle; 0 keeps its outline a point instead of not-a-number.
    const double beta = (hw == 0.0 && hh == 0.0) ? 0.0 : std::atan(hw / hh) * 180.0 / kOutlinePi;
    const std::array<double, 4> angles = {180.0 + beta + a, 180.0 - beta + a, beta + a, 360.0 - beta + a};
    std::array<CPoint, 4> corners;
    for (size_t i = 0; i < angles.size(); ++i) {
        const double theta = angles[i] * kOutlinePi / 180.0;
        corners[i] = CPoint(static_cast<int>(std::sin(theta) * radius + cx + 0.5),
                            static_cast<int>(std::cos(theta) * radius + cy + 0.5));
    }
    return corners;
}

void CDrawObj::DrawRotatedTracker(CPageWindow* pWnd) const {
    const std::array<CPoint, 4> corners = RotatedCorners(m_savedPosition, m_nRotation);
    std::array<CPoint, 5> outline;
    for (size_t i = 0; i < corners.size(); ++i)
        outline[i] = pWnd->PageToWindow(corners[i]);
    outline[4] = outline[0];

    CDC* pDC = pWnd->GetClientDC();
    if (!pDC)
        return;
    CPen dotted(PS_DOT, 1, 0);
    CPen* oldPen = pDC->SelectObject(&dotted);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    const int oldRop = pDC->SetROP2(R2_XORPEN);
    pDC->Polyline(outline.data(), static_cast<int>(outline.size()));
    pDC->SetROP2(oldRop);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
    pWnd->ReleaseClientDC(pDC);
}

void CDrawObj::CopyPenAndBrushTo(CDrawObj& target) const {
    target.m_bPen = m_bPen;
    target.m_logpen = m_logpen;
    target.m_bBrush = m_bBrush;
    target.m_logbrush = m_logbrush;
}

CRect CDrawObj::ScaledPosition(int dx, int dy, float scale) const {
    return {ScaleCoordinate(m_position.left, scale, dx), ScaleCoordinate(m_position.top, scale, dy),
            ScaleCoordinate(m_position.right, scale, dx), ScaleCoordinate(m_position.bottom, scale, dy)};
}
