// The polygon object: archive record with its point array, handles and drawing.
#include "page/DrawPoly.h"

#include "page/ObjectTools.h"
#include "platform/base/Archive.h"
#include "platform/gdi/Dc.h"

#include <algorithm>
#include <vector>

IMPLEMENT_SERIAL(CDrawPoly, CDrawObj, 0)

namespace {

constexpr ULONGLONG kStoredPointSize = 8;

} // namespace

CDrawPoly::CDrawPoly() {
    m_bPen = TRUE;
}

CDrawPoly::CDrawPoly(const CRect& position) : CDrawObj(position) {
    m_bPen = TRUE;
}

CDrawPoly::~CDrawPoly() = default;

void CDrawPoly::Serialize(CArchive& ar) {
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(m_nPoints) << static_cast<WORD>(m_nAllocPoints);
        for (int i = 0; i < m_nPoints; ++i)
            ar << m_points[i];
        return;
    }
    WORD count = 0;
    WORD allocated = 0;
    ar >> count >> allocated;
    // The invariant count <= allocated must hold whatever the file says.
    if (count > allocated)
        AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
    ar.EnsureRemaining(count * kStoredPointSize);
    auto points = std::make_unique<CPoint[]>(allocated);
    for (int i = 0; i < count; ++i)
        ar >> points[i];
    m_points = std::move(points);
    m_nPoints = count;
    m_nAllocPoints = allocated;
}

int CDrawPoly::GetHandleCount() {
    return m_nPoints;
}

CPoint CDrawPoly::GetHandle(int nHandle) {
    if (nHandle < 1 || nHandle > m_nPoints)
        return CDrawObj::GetHandle(nHandle);
    return m_points[nHandle - 1];
}

void CDrawPoly::Draw(CDC* pDC, int dx, int dy, float scale) {
    CObjectTools tools(pDC, *this);
    if (!tools.IsReady())
        return;
    std::vector<POINT> scaled(static_cast<size_t>(m_nPoints));
    for (int i = 0; i < m_nPoints; ++i)
        scaled[i] = {ScaleCoordinate(m_points[i].x, scale, dx), ScaleCoordinate(m_points[i].y, scale, dy)};
    pDC->Polygon(scaled.data(), m_nPoints);
}

CDrawObj* CDrawPoly::Clone() {
    auto* clone = new CDrawPoly(m_position);
    clone->m_nPoints = m_nPoints;
    clone->m_nAllocPoints = m_nAllocPoints;
    if (m_nAllocPoints > 0) {
        clone->m_points = std::make_unique<CPoint[]>(m_nAllocPoints);
        std::copy_n(m_points.get(), m_nPoints, clone->m_points.get());
    }
    return clone;
}

void CDrawPoly::SetPoints(const CPoint* points, int count) {
    m_points = count > 0 ? std::make_unique<CPoint[]>(count) : nullptr;
    std::copy_n(points, count, m_points.get());
    m_nPoints = count;
    m_nAllocPoints = count;
}

void CDrawPoly::ScalePoints(float factor) {
    for (int i = 0; i < m_nPoints; ++i) {
        m_points[i].x = static_cast<int>(static_cast<float>(m_points[i].x) * factor);
        m_points[i].y = static_cast<int>(static_cast<float>(m_points[i].y) * factor);
    }
}
