// The pen and brush of a drawing object, selected for one drawing.
#include "page/ObjectTools.h"

#include "page/DrawObj.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"

CObjectTools::CObjectTools(CDC* pDC, const CDrawObj& object) : m_pDC(pDC) {
    if (!m_brush.CreateBrushIndirect(&object.GetLogBrush()) || !m_pen.CreatePenIndirect(&object.GetLogPen()))
        return;
    m_pOldBrush = object.HasBrush() ? m_pDC->SelectObject(&m_brush) : m_pDC->SelectStockObject(NULL_BRUSH);
    m_pOldPen = object.HasPen() ? m_pDC->SelectObject(&m_pen) : m_pDC->SelectStockObject(NULL_PEN);
    m_bReady = true;
}

CObjectTools::~CObjectTools() {
    if (!m_bReady)
        return;
    m_pDC->SelectObject(m_pOldPen);
    m_pDC->SelectObject(m_pOldBrush);
}
