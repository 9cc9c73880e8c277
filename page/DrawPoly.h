#pragma once
// CDrawPoly: a polygon object; its points are in page units, one handle per point.

#include "page/DrawObj.h"

#include <memory>

class CDrawPoly : public CDrawObj {
    DECLARE_SERIAL(CDrawPoly)
public:
    CDrawPoly();
    explicit CDrawPoly(const CRect& position);
    ~CDrawPoly() override;

    // The common part, the count and allocated size as WORDs, then count points. A count above the
    // allocated size is refused (CArchiveException) and leaves the points as they were.
    void Serialize(CArchive& ar) override;
    int GetHandleCount() override;
    CPoint GetHandle(int nHandle) override;
    void Draw(CDC* pDC, int dx, int dy, float scale) override;
    // Position, count, allocated size and points; pen and brush as a new polygon's.
    CDrawObj* Clone() override;

    // Replaces the points; the allocated size becomes the count.
    void SetPoints(const CPoint* points, int count);
    int GetPointCount() const { return m_nPoints; }
    int GetAllocated() const { return m_nAllocPoints; }
    const CPoint* GetPoints() const { return m_points.get(); }
    // Multiplies every used point by factor, truncating toward zero.
    void ScalePoints(float factor);

private:
    int m_nPoints = 0;
    int m_nAllocPoints = 0;
    std::unique_ptr<CPoint[]> m_points;
};
