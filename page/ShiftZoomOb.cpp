// The undo record of a picture's placement.
#include "page/ShiftZoomOb.h"

IMPLEMENT_DYNCREATE(CShiftZoomOb, CObject)

CShiftZoomOb::CShiftZoomOb() = default;

CShiftZoomOb::CShiftZoomOb(int shiftX, int shiftY, int rotation, int zoom, int index)
    : m_nShiftX(shiftX), m_nShiftY(shiftY), m_nRotation(rotation), m_nZoom(zoom), m_nIndex(index) {}

CShiftZoomOb::~CShiftZoomOb() = default;
