// The off-screen image of the effects dialog's picture windows, and the inverted frames drawn over them.

#include "editing/EffectWindowBase.h"

#include "platform/gdi/GdiObject.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>

CEffectWindowBase::~CEffectWindowBase() {
    ReleaseImage();
}

int CEffectWindowBase::OnCreate(LPCREATESTRUCT create) {
    if (CWnd::OnCreate(create) == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    m_clientSize = client.Size();
    CClientDC dc(this);
    if (!m_memoryDC.CreateCompatibleDC(&dc) ||
        !m_memoryBitmap.CreateCompatibleBitmap(&dc, std::max<int>(m_clientSize.cx, 1),
                                               std::max<int>(m_clientSize.cy, 1)))
        return -1;
    m_oldBitmap = m_memoryDC.SelectObject(&m_memoryBitmap);
    return 0;
}

void CEffectWindowBase::ReleaseImage() {
    if (m_oldBitmap) {
        m_memoryDC.SelectObject(m_oldBitmap);
        m_oldBitmap = nullptr;
    }
}

void CEffectWindowBase::OnDestroy() {
    ReleaseImage();
    CWnd::OnDestroy();
}

BOOL CEffectWindowBase::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

void CEffectWindowBase::CopyImage(CDC* dc) {
    if (m_oldBitmap)
        dc->BitBlt(0, 0, m_clientSize.cx, m_clientSize.cy, &m_memoryDC, 0, 0, SRCCOPY);
}

void DrawInvertedFrame(CDC* dc, const CRect& frame, bool ellipse) {
    const int oldMode = dc->SetROP2(R2_NOT);
    CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
    if (ellipse)
        dc->Ellipse(&frame);
    else
        dc->Rectangle(&frame);
    dc->SelectObject(oldBrush);
    dc->SetROP2(oldMode);
    for (const CPoint corner : {CPoint(frame.left, frame.top), CPoint(frame.right, frame.top),
                                CPoint(frame.right, frame.bottom), CPoint(frame.left, frame.bottom)})
        dc->PatBlt(corner.x - 2, corner.y - 2, 5, 5, DSTINVERT);
}
