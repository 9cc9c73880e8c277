#include "albums/CategoryTile.h"

#include "page/DrawObj.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObjects.h"

BOOL CCategoryTile::IsDrawClipart(CObject* object) {
    return object && CDrawObj::IsDrawClipart(object);
}

void CCategoryTile::DrawSelectionFrame(CDC& dc) const {
    CRect client;
    GetClientRect(&client);
    CPen pen(PS_SOLID, 3, kFrameColor);
    CPen* oldPen = dc.SelectObject(&pen);
    CGdiObject* oldBrush = dc.SelectStockObject(HOLLOW_BRUSH);
    dc.Rectangle(&client);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

BOOL CCategoryTile::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CCategoryTile::OnNcDestroy() {
    CWnd::OnNcDestroy();
    delete this;
}
