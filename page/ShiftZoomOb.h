#pragma once
// CShiftZoomOb: a picture's placement before a step: shift, rotation (tenths of a degree) and zoom
// (percent; 0 leaves the zoom alone on undo). Its index is CEffOb's.

#include "platform/base/Object.h"

class CShiftZoomOb : public CObject {
    DECLARE_DYNCREATE(CShiftZoomOb)
public:
    // All values 0, index -1.
    CShiftZoomOb();
    CShiftZoomOb(int shiftX, int shiftY, int rotation, int zoom, int index);
    ~CShiftZoomOb() override;

    int GetObjectIndex() const { return m_nIndex; }
    int GetShiftX() const { return m_nShiftX; }
    int GetShiftY() const { return m_nShiftY; }
    int GetRotation() const { return m_nRotation; }
    int GetZoom() const { return m_nZoom; }

private:
    int m_nShiftX = 0;
    int m_nShiftY = 0;
    int m_nRotation = 0;
    int m_nZoom = 0;
    int m_nIndex = -1;
};
