// The red-and-white selection frame.
#include "page/BlinkFrame.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"

namespace {

constexpr COLORREF kBlinkRed = 0x0000FF;
constexpr COLORREF kBlinkWhite = 0xFFFFFF;

} // namespace

void DrawBlinkRectangle(CDC* pDC, const CRect& rect, bool redPhase) {
    CPen solidPen(PS_SOLID, 1, redPhase ? kBlinkRed : kBlinkWhite);
    CPen dottedPen(PS_DOT, 1, redPhase ? kBlinkWhite : kBlinkRed);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    CPen* oldPen = pDC->SelectObject(&solidPen);
    pDC->Rectangle(rect);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->SelectObject(&dottedPen);
    pDC->Rectangle(rect);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}
