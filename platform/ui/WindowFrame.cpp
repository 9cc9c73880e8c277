// The frames this layer draws around child windows: WS_BORDER a 1-pixel line, WS_DLGFRAME a 3-pixel
// raised frame, WS_EX_CLIENTEDGE a 2-pixel sunken edge, outermost in that order. The window's pixels
// cover the frame too; its client area starts inside the frame. The bars of WS_HSCROLL and WS_VSCROLL
// (WindowScrollBars.cpp) sit inside the frame, on any window.

#include "platform/gdi/Dc.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowScrollBars.h"

#include <QWidget>

namespace {

QMargins BorderMargins(HWND window) {
    // Top-level frames are the desktop's; Qt-drawn controls draw their own.
    if (!window->IsChild() || window->windowClass->nativeWidget)
        return {};
    int width = 0;
    if (window->style & WS_BORDER)
        width += GetSystemMetrics(SM_CXBORDER);
    if (window->style & WS_DLGFRAME)
        width += GetSystemMetrics(SM_CXDLGFRAME);
    if (window->exStyle & WS_EX_CLIENTEDGE)
        width += GetSystemMetrics(SM_CXEDGE);
    return {width, width, width, width};
}

} // namespace

QMargins FrameMargins(HWND window) {
    if (!window)
        return {};
    return BorderMargins(window) + ScrollBarMargins(window);
}

QPoint ClientOffset(HWND window) {
    const QMargins margins = FrameMargins(window);
    return {margins.left(), margins.top()};
}

QSize ClientSize(HWND window) {
    const QSize size = WidgetOf(window)->rect().marginsRemoved(FrameMargins(window)).size();
    return size.expandedTo(QSize(0, 0));
}

QPoint ParentClientOffset(HWND window) {
    return window && window->IsChild() && IsLiveWindow(window->parent) ? ClientOffset(window->parent)
                                                                       : QPoint();
}

void DrawWindowFrame(HWND window) {
    if (FrameMargins(window).isNull() || window->surface.isNull())
        return;
    CDC dc;
    dc.CreateImageDC(&window->surface);
    CRect r(0, 0, window->surface.width(), window->surface.height());
    if (window->style & WS_BORDER) {
        CBrush line(GetSysColor(COLOR_WINDOWFRAME));
        dc.FrameRect(&r, &line);
        r.DeflateRect(1, 1);
    }
    if (window->style & WS_DLGFRAME) {
        dc.DrawEdge(&r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        CBrush face(GetSysColor(COLOR_3DFACE));
        dc.FrameRect(&r, &face);
        r.DeflateRect(1, 1);
    }
    if (window->exStyle & WS_EX_CLIENTEDGE)
        dc.DrawEdge(&r, EDGE_SUNKEN, BF_RECT);
    DrawWindowScrollBars(window);
}
