#include "resmanager/PictureWell.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObjects.h"

namespace {

constexpr COLORREF kLightEdge = RGB(238, 238, 238);
constexpr COLORREF kDarkEdge = RGB(68, 68, 68);
constexpr COLORREF kFill = RGB(221, 221, 221);

} // namespace

void DrawPictureWell(CDC* dc, const CRect& well) {
    CPen light(PS_SOLID, 1, kLightEdge);
    CPen dark(PS_SOLID, 1, kDarkEdge);
    CPen* old = dc->SelectObject(&light);
    dc->MoveTo(well.left - 2, well.bottom + 1);
    dc->LineTo(well.left - 2, well.top - 2);
    dc->LineTo(well.right + 2, well.top - 2);
    dc->SelectObject(&dark);
    dc->MoveTo(well.right + 1, well.top - 1);
    dc->LineTo(well.right + 1, well.bottom + 1);
    dc->LineTo(well.left - 2, well.bottom + 1);
    dc->SelectObject(old);
    dc->FillSolidRect(&well, kFill);
}
