// The value bar of the effects dialog and the adjustment panel.

#include "editing/StrengthBar.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/Wnd.h"

bool CStrengthBar::Contains(CPoint clientPoint) const {
    return CRect(m_bar).PtInRect(clientPoint) != FALSE;
}

bool CStrengthBar::IsUnder(const CWnd* dialog, CPoint screenPoint) const {
    CPoint client = screenPoint;
    dialog->ScreenToClient(&client);
    return Contains(client);
}

void CStrengthBar::PaintMarker(CDC* dc, int value) const {
    const int x = MarkerX(value);
    dc->Rectangle(x, m_bar.top, x + 2, m_bar.bottom);
}

void CStrengthBar::Invalidate(CWnd* dialog) const {
    dialog->InvalidateRect(&m_bar, TRUE);
}
