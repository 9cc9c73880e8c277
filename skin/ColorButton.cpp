#include "skin/ColorButton.h"

#include "platform/gdi/Dc.h"

#include <utility>

namespace {

constexpr COLORREF kLightGrey = RGB(223, 223, 223);
constexpr COLORREF kDarkGrey = RGB(128, 128, 128);

// Top and left lines in one colour, bottom and right lines in the other, inset from rect's edge.
void DrawFrameLines(CDC* dc, const CRect& rect, int inset, COLORREF topLeft, COLORREF bottomRight) {
    const int left = rect.left + inset;
    const int top = rect.top + inset;
    const int right = rect.right - 1 - inset;
    const int bottom = rect.bottom - 1 - inset;
    dc->FillSolidRect(left, top, right - left, 1, topLeft);
    dc->FillSolidRect(left, top, 1, bottom - top, topLeft);
    dc->FillSolidRect(left, bottom, right - left + 1, 1, bottomRight);
    dc->FillSolidRect(right, top, 1, bottom - top + 1, bottomRight);
}

} // namespace

void CColorButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    CDC* dc = CDC::FromHandle(drawItem->hDC);
    const CRect rect(drawItem->rcItem);
    dc->FillSolidRect(&rect, m_color);
    COLORREF outerLight = RGB(255, 255, 255);
    COLORREF outerDark = RGB(0, 0, 0);
    COLORREF innerLight = kLightGrey;
    COLORREF innerDark = kDarkGrey;
    if (drawItem->itemState & ODS_SELECTED) {
        std::swap(outerLight, outerDark);
        std::swap(innerLight, innerDark);
    }
    DrawFrameLines(dc, rect, 0, outerLight, outerDark);
    DrawFrameLines(dc, rect, 1, innerLight, innerDark);
}
