// The colour request of a control before it erases: the parent (or the control itself, reflected)
// answers the brush. A hollow brush erases nothing, so the control shows what its parent painted below
// it, as a window without its own background does on the screen.

#include "platform/gdi/Dc.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/Wnd.h"

#include <QWidget>

namespace {

bool IsHollow(HBRUSH brush) {
    LOGBRUSH info{};
    return brush && GetObject(brush, sizeof info, &info) && info.lbStyle == BS_NULL;
}

// Copies the parent's pixels under the control into the control's own.
void ShowParentBelow(HWND control, CDC* dc, const CRect& area) {
    const HWND parent = control->parent;
    if (!control->IsChild() || !IsLiveWindow(parent) || parent->surface.isNull())
        return;
    const QPoint offset = WidgetOf(control)->pos() + ClientOffset(control);
    const QImage below = parent->surface.copy(
        QRect(offset.x() + area.left, offset.y() + area.top, area.Width(), area.Height()));
    const QImage pixels = below.convertToFormat(QImage::Format_RGB32);
    CBitmap bitmap;
    if (pixels.isNull() || !bitmap.CreateBitmap(pixels.width(), pixels.height(), 1, 32, pixels.constBits()))
        return;
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* previous = memory.SelectObject(&bitmap);
    dc->BitBlt(area.left, area.top, area.Width(), area.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
}

} // namespace

HBRUSH RequestControlBrush(HWND control, HDC dc, UINT message) {
    if (!control->IsChild() || !IsLiveWindow(control->parent))
        return reinterpret_cast<HBRUSH>(
            DefWindowProc(control, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    return reinterpret_cast<HBRUSH>(SendToWindow(control->parent, message, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(control)));
}

void EraseControl(HWND control, CDC* dc, const CRect& area, UINT message) {
    HBRUSH brush = RequestControlBrush(control, dc->m_hDC, message);
    if (IsHollow(brush)) {
        ShowParentBelow(control, dc, area);
        return;
    }
    CBrush* fill = CBrush::FromHandle(brush ? brush : GetSysColorBrush(COLOR_3DFACE));
    dc->FillRect(&area, fill);
}

HBRUSH DefaultControlBrush(UINT message) {
    const bool isField = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    return GetSysColorBrush(isField ? COLOR_WINDOW : COLOR_3DFACE);
}
