#pragma once
// CDrawRect: a drawing object shaped as a rectangle, a round rectangle, an ellipse or a line across its
// position; the base of the picture object.

#include "page/DrawObj.h"

enum DrawShape : int {
    kShapeRectangle = 0,
    kShapeRoundRectangle = 1,
    kShapeEllipse = 2,
    kShapeLine = 3,
};

class CDrawRect : public CDrawObj {
    DECLARE_SERIAL(CDrawRect)
public:
    CDrawRect();
    // Shape rectangle, roundness 16 x 16.
    explicit CDrawRect(const CRect& position);

    // 58 bytes: the common part, the shape as a WORD and the roundness.
    void Serialize(CArchive& ar) override;
    // 2 for a line, 9 for a round rectangle (the ninth sets the roundness), else 8.
    int GetHandleCount() override;
    CPoint GetHandle(int nHandle) override;
    // Sets grey fill, an inside-frame black pen into the object first; a line is inset by its pen.
    void Draw(CDC* pDC, int dx, int dy, float scale) override;
    CDrawObj* Clone() override;

    int GetShape() const { return m_nShape; }
    void SetShape(int shape) { m_nShape = shape; }
    CPoint GetRoundness() const { return m_roundness; }
    void SetRoundness(const CPoint& roundness) { m_roundness = roundness; }

protected:
    int m_nShape = kShapeRectangle;
    CPoint m_roundness;
};
