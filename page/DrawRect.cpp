// The rectangle-shaped object: archive record, handles and drawing of its four shapes.
#include "page/DrawRect.h"

#include "page/ObjectTools.h"
#include "platform/base/Archive.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"

IMPLEMENT_SERIAL(CDrawRect, CDrawObj, 0)

namespace {

constexpr int kDefaultRoundness = 16;
constexpr COLORREF kShapeGrey = 0x808080;

// Moves the ends of a line inward so that a wide pen stays inside the position, whichever way it runs.
void InsetLineEnds(LONG& first, LONG& second, int penWidth) {
    if (first <= second) {
        first += (penWidth + 1) / 2;
        second -= penWidth / 2;
    } else {
        first -= penWidth / 2;
        second += (penWidth + 1) / 2;
    }
}

} // namespace

CDrawRect::CDrawRect() = default;

CDrawRect::CDrawRect(const CRect& position)
    : CDrawObj(position), m_roundness(kDefaultRoundness, kDefaultRoundness) {}

void CDrawRect::Serialize(CArchive& ar) {
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(m_nShape) << m_roundness;
        return;
    }
    WORD shape = 0;
    ar >> shape >> m_roundness;
    m_nShape = shape;
}

int CDrawRect::GetHandleCount() {
    if (m_nShape == kShapeLine)
        return 2;
    if (m_nShape == kShapeRoundRectangle)
        return 9;
    return CDrawObj::GetHandleCount();
}

CPoint CDrawRect::GetHandle(int nHandle) {
    if (m_nShape == kShapeLine && nHandle == 2)
        return {m_position.right, m_position.bottom};
    if (m_nShape == kShapeRoundRectangle && nHandle == 9) {
        CRect normal = m_position;
        normal.NormalizeRect();
        return {normal.right - m_roundness.x / 2, normal.bottom - m_roundness.y / 2};
    }
    return CDrawObj::GetHandle(nHandle);
}

void CDrawRect::Draw(CDC* pDC, int dx, int dy, float scale) {
    m_logbrush.lbColor = kShapeGrey;
    m_logpen.lopnStyle = PS_INSIDEFRAME;
    m_logpen.lopnColor = 0;

    CObjectTools tools(pDC, *this);
    if (!tools.IsReady())
        return;
    CRect r = ScaledPosition(dx, dy, scale);
    switch (m_nShape) {
    case kShapeRectangle:
        pDC->Rectangle(r);
        break;
    case kShapeRoundRectangle:
        pDC->RoundRect(r, m_roundness);
        break;
    case kShapeEllipse:
        pDC->Ellipse(r);
        break;
    case kShapeLine:
        InsetLineEnds(r.top, r.bottom, m_logpen.lopnWidth.y);
        InsetLineEnds(r.left, r.right, m_logpen.lopnWidth.x);
        pDC->MoveTo(r.left, r.top);
        pDC->LineTo(r.right, r.bottom);
        break;
    default:
        break;
    }
}

CDrawObj* CDrawRect::Clone() {
    auto* clone = new CDrawRect(m_position);
    clone->m_savedPosition = m_savedPosition;
    clone->m_nShape = m_nShape;
    clone->m_roundness = m_roundness;
    CopyPenAndBrushTo(*clone);
    return clone;
}
