#pragma once
// CObjectTools: selects an object's pen and brush (or the null ones where its flags are clear) into a
// context for the time of a drawing, and restores the previous ones.

#include "platform/gdi/GdiObjects.h"

class CDC;
class CDrawObj;

class CObjectTools {
public:
    CObjectTools(CDC* pDC, const CDrawObj& object);
    ~CObjectTools();
    CObjectTools(const CObjectTools&) = delete;
    CObjectTools& operator=(const CObjectTools&) = delete;

    // False when the pen or brush could not be made: then nothing is selected and nothing is drawn.
    bool IsReady() const { return m_bReady; }

private:
    CDC* m_pDC;
    CPen m_pen;
    CBrush m_brush;
    CGdiObject* m_pOldPen = nullptr;
    CGdiObject* m_pOldBrush = nullptr;
    bool m_bReady = false;
};
