// The "ScrollBar" window class: the whole window is one bar (SBS_VERT upright, else lying). Presses and
// drags report to the parent with the control as sender; with the focus, the arrow keys scroll by a
// line, the page keys by a page, Home and End to the ends, each followed by SB_ENDSCROLL.

#include "platform/ui/ControlClasses.h"
#include "platform/ui/Messages.h"
#include "platform/ui/ScrollBarState.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

namespace {

struct ScrollControl final : WindowClassData {
    ScrollBarState bar;
};

ScrollBarState& BarOf(HWND control) {
    if (!control->classData)
        control->classData = std::make_unique<ScrollControl>();
    return static_cast<ScrollControl&>(*control->classData).bar;
}

bool IsVertical(HWND control) {
    return (control->style & SBS_VERT) != 0;
}

CRect BarRect(HWND control) {
    const QSize size = ClientSize(control);
    return {0, 0, size.width(), size.height()};
}

void Report(HWND control, const std::vector<ScrollRequest>& requests) {
    SendScrollRequests(control->parent, IsVertical(control) ? WM_VSCROLL : WM_HSCROLL, control, requests);
}

void Paint(HWND control) {
    PAINTSTRUCT paint;
    CDC* dc = CDC::FromHandle(BeginPaint(control, &paint));
    DrawScrollBar(dc, BarRect(control), IsVertical(control), BarOf(control));
    EndPaint(control, &paint);
}

UINT KeyRequest(HWND control, UINT key) {
    const bool vertical = IsVertical(control);
    switch (key) {
    case VK_UP:
        return vertical ? SB_LINEUP : SB_ENDSCROLL;
    case VK_DOWN:
        return vertical ? SB_LINEDOWN : SB_ENDSCROLL;
    case VK_LEFT:
        return vertical ? SB_ENDSCROLL : SB_LINELEFT;
    case VK_RIGHT:
        return vertical ? SB_ENDSCROLL : SB_LINERIGHT;
    case VK_PRIOR:
        return SB_PAGEUP;
    case VK_NEXT:
        return SB_PAGEDOWN;
    case VK_HOME:
        return SB_TOP;
    case VK_END:
        return SB_BOTTOM;
    default:
        return SB_ENDSCROLL; // not a scroll key
    }
}

LRESULT ScrollBarWindowProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    ScrollBarState& bar = BarOf(control);
    const CPoint point(static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam))),
                       static_cast<SHORT>(HIWORD(static_cast<DWORD>(lParam))));
    switch (message) {
    case WM_PAINT:
        Paint(control);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const std::vector<ScrollRequest> requests =
            PressScrollBar(bar, BarRect(control), IsVertical(control), point);
        if (bar.pressed == ScrollPart::None)
            return 0;
        SetCapture(control);
        if (RepeatsWhileHeld(bar.pressed))
            StartScrollRepeatTimer(control, kScrollRepeatDelay);
        RedrawScrollControl(control);
        Report(control, requests);
        return 0;
    }
    case WM_MOUSEMOVE: {
        const std::vector<ScrollRequest> requests =
            DragScrollBar(bar, BarRect(control), IsVertical(control), point);
        if (requests.empty())
            return 0;
        RedrawScrollControl(control);
        Report(control, requests);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
        const std::vector<ScrollRequest> requests = ReleaseScrollBar(bar);
        if (requests.empty())
            return 0;
        StopScrollRepeatTimer(control);
        if (message == WM_LBUTTONUP)
            ReleaseCapture();
        RedrawScrollControl(control);
        Report(control, requests);
        return 0;
    }
    case WM_KEYDOWN: {
        const UINT code = KeyRequest(control, static_cast<UINT>(wParam));
        if (code == SB_ENDSCROLL || !ScrollBarUsable(bar))
            return DefWindowProc(control, message, wParam, lParam);
        Report(control, {{code, 0}, {SB_ENDSCROLL, 0}});
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    default:
        return DefWindowProc(control, message, wParam, lParam);
    }
}

WindowHost* MakeScrollBarWidget(const CREATESTRUCT& create, QWidget* parent, Qt::WindowFlags flags) {
    auto* widget = new WindowWidget<QWidget>(parent, flags);
    if (create.style & WS_TABSTOP)
        widget->setFocusPolicy(Qt::StrongFocus);
    return widget;
}

CWnd* MakeScrollBarWrapper() {
    return new CScrollBar;
}

} // namespace

ScrollBarState* ScrollControlState(HWND control) {
    return control->windowClass == &kScrollBarClass ? &BarOf(control) : nullptr;
}

void RepeatScrollControlPress(HWND control) {
    ScrollBarState& bar = BarOf(control);
    if (!RepeatsWhileHeld(bar.pressed)) {
        StopScrollRepeatTimer(control);
        return;
    }
    StartScrollRepeatTimer(control, kScrollRepeatInterval);
    POINT pointer;
    GetCursorPos(&pointer);
    CWnd::FromHandle(control)->ScreenToClient(&pointer);
    Report(control, RepeatScrollBar(bar, BarRect(control), IsVertical(control), pointer));
}

void RedrawScrollControl(HWND control) {
    InvalidateWindow(control, ClientArea(control), false);
}

const WindowClass kScrollBarClass{.name = WC_SCROLLBAR,
                                  .style = CS_DBLCLKS,
                                  .standardCursor = IDC_ARROW,
                                  .proc = ScrollBarWindowProc,
                                  .makeWidget = MakeScrollBarWidget,
                                  .makeWrapper = MakeScrollBarWrapper};
