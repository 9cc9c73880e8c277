// Mouse input as the window system delivers it: to the window with the capture, else to the window
// under the pointer (Qt hands a press to the widget under it, masks respected, but keeps later moves
// and the release for that widget). Before each message the window is asked where the point lies
// (WM_NCHITTEST) and which cursor to show (WM_SETCURSOR); HTCAPTION makes a press drag the window.

#include "platform/ui/Cursor.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowScrollBars.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <memory>

namespace {

HWND g_capture = nullptr;
// The window under the pointer as of the last mouse message.
HWND g_hot = nullptr;
// The window asked last for its cursor: SetCursor shows the shape there.
HWND g_cursorWindow = nullptr;
bool g_cursorKnown = false;
QPoint g_cursorPos;

struct CaptionDrag {
    HWND window = nullptr;
    QPoint startPointer;
    QPoint startPosition;
};
CaptionDrag g_drag;

// The system's default hover time, in milliseconds.
constexpr UINT kDefaultHoverTime = 400;
// The non-client mouse messages follow the client ones at this distance.
constexpr UINT kNonClientOffset = WM_MOUSEMOVE - WM_NCMOUSEMOVE;

LPARAM PackPoint(const QPoint& point) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(point.x())),
                      static_cast<WORD>(static_cast<SHORT>(point.y())));
}

UINT KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

UINT ClientMessage(QEvent::Type type, Qt::MouseButton button) {
    if (type == QEvent::MouseMove)
        return WM_MOUSEMOVE;
    UINT base = 0;
    switch (button) {
    case Qt::LeftButton:
        base = WM_LBUTTONDOWN;
        break;
    case Qt::RightButton:
        base = WM_RBUTTONDOWN;
        break;
    case Qt::MiddleButton:
        base = WM_MBUTTONDOWN;
        break;
    default:
        return 0;
    }
    if (type == QEvent::MouseButtonRelease)
        return base + 1;
    if (type == QEvent::MouseButtonDblClick)
        return base + 2;
    return base;
}

// Input to a disabled window goes to its nearest enabled ancestor; a disabled top-level window takes
// none.
HWND EnabledWindow(HWND window) {
    while (window && IsLiveWindow(window) && !WidgetOf(window)->isEnabled())
        window = window->IsChild() ? window->parent : nullptr;
    return IsLiveWindow(window) ? window : nullptr;
}

HWND WindowUnder(const QPoint& global) {
    const HWND window = WindowOfWidget(QApplication::widgetAt(global));
    return window && window->phase == WindowRecord::Phase::Alive ? EnabledWindow(window) : nullptr;
}

void SetHot(HWND window) {
    if (window == g_hot)
        return;
    const HWND left = g_hot;
    g_hot = window;
    if (!IsLiveWindow(left))
        return;
    StopHoverTimer(left);
    left->trackHover = false;
    if (left->trackLeave) {
        left->trackLeave = false;
        PostMessage(left, WM_MOUSELEAVE, 0, 0);
    }
}

void MoveDraggedWindow(const QPoint& pointer) {
    CWnd* window = CWnd::FromHandle(g_drag.window);
    if (!window)
        return;
    const QPoint position = g_drag.startPosition + (pointer - g_drag.startPointer);
    window->SetWindowPos(nullptr, position.x(), position.y(), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

UINT CurrentKeyFlags() {
    return KeyFlags(QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers());
}

void RouteMouseEvent(HWND receiver, QMouseEvent* event) {
    event->accept();
    const QPoint global = event->globalPosition().toPoint();
    g_cursorPos = global;
    g_cursorKnown = true;
    const QEvent::Type type = event->type();
    if (g_drag.window) {
        if (type == QEvent::MouseMove)
            MoveDraggedWindow(global);
        else if (type == QEvent::MouseButtonRelease)
            g_drag = CaptionDrag{};
        return;
    }
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const HWND under = press ? EnabledWindow(receiver) : WindowUnder(global);
    SetHot(under);
    const HWND target = IsLiveWindow(g_capture) ? g_capture : under;
    UINT message = ClientMessage(type, event->button());
    if (!target || !message)
        return;
    if (type == QEvent::MouseButtonDblClick && !(target->windowClass->style & CS_DBLCLKS))
        message -= 2; // without CS_DBLCLKS the second press of a double click is a plain press
    int hit = HTCLIENT;
    if (target != g_capture) {
        hit = static_cast<int>(SendToWindow(target, WM_NCHITTEST, 0, PackPoint(global)));
        if (!IsLiveWindow(target))
            return;
        g_cursorWindow = target;
        SendToWindow(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                     MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(hit)), static_cast<WORD>(message)));
        if (!IsLiveWindow(target))
            return;
    }
    if (target == g_capture && FollowWindowScrollBar(target, type, global))
        return;
    const UINT flags = KeyFlags(event->buttons(), event->modifiers());
    if (hit != HTCLIENT) {
        DeliverQueued(target, message - kNonClientOffset, static_cast<WPARAM>(hit), PackPoint(global));
        return;
    }
    QWidget* widget = WidgetOf(target);
    const QPoint local = widget->mapFromGlobal(global) - ClientOffset(target);
    std::unique_ptr<QMouseEvent> mapped;
    QEvent* native = event;
    if (target != receiver) {
        mapped = std::make_unique<QMouseEvent>(type, QPointF(local), event->globalPosition(), event->button(),
                                               event->buttons(), event->modifiers());
        native = mapped.get();
    }
    DeliverQueued(target, message, flags, PackPoint(local), native);
    if (type == QEvent::MouseMove && IsLiveWindow(target) && target->trackHover && target == g_hot)
        StartHoverTimer(target, target->hoverTime);
}

void RouteWheelEvent(HWND receiver, QWheelEvent* event) {
    event->accept();
    const QPoint global = event->globalPosition().toPoint();
    const HWND target = IsLiveWindow(g_capture) ? g_capture : EnabledWindow(receiver);
    if (!target)
        return;
    const auto delta = static_cast<SHORT>(event->angleDelta().y());
    const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(KeyFlags(event->buttons(), event->modifiers())),
                                     static_cast<WORD>(delta));
    DeliverQueued(target, WM_MOUSEWHEEL, wParam, PackPoint(global), target == receiver ? event : nullptr);
}

void OnWidgetLeave(HWND window) {
    // Leaving a top-level window leaves every window in it; moves inside it are tracked by the routing.
    if (!WidgetOf(window)->isWindow() || !IsLiveWindow(g_hot) || TopLevelOf(g_hot) != window)
        return;
    SetHot(nullptr);
}

void StartCaptionDrag(HWND window, POINT screenPoint) {
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
        return;
    g_drag = CaptionDrag{window, QPoint(screenPoint.x, screenPoint.y), WidgetOf(window)->pos()};
}

void ForgetMouseState(HWND window) {
    if (g_capture == window)
        g_capture = nullptr;
    if (g_hot == window)
        g_hot = nullptr;
    if (g_cursorWindow == window)
        g_cursorWindow = nullptr;
    if (g_drag.window == window)
        g_drag = CaptionDrag{};
}

void ShowCursorShape(const QCursor* cursor) {
    const HWND window = IsLiveWindow(g_capture) ? g_capture : g_cursorWindow;
    if (!IsLiveWindow(window))
        return;
    WidgetOf(window)->setCursor(cursor ? *cursor : QCursor(Qt::BlankCursor));
}

HWND GetCapture() {
    return IsLiveWindow(g_capture) ? g_capture : nullptr;
}

HWND SetCapture(HWND window) {
    const HWND previous = GetCapture();
    if (!IsLiveWindow(window))
        return previous;
    g_capture = window;
    if (previous && previous != window)
        SendToWindow(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
    return previous;
}

BOOL ReleaseCapture() {
    const HWND previous = GetCapture();
    g_capture = nullptr;
    if (previous)
        SendToWindow(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT) || !IsLiveWindow(track->hwndTrack))
        return FALSE;
    const HWND window = track->hwndTrack;
    if (track->dwFlags & TME_CANCEL) {
        if (track->dwFlags & TME_LEAVE)
            window->trackLeave = false;
        if (track->dwFlags & TME_HOVER) {
            window->trackHover = false;
            StopHoverTimer(window);
        }
        return TRUE;
    }
    if (track->dwFlags & TME_LEAVE) {
        // A window the pointer is not over hears at once that it was left.
        if (window == g_hot)
            window->trackLeave = true;
        else
            PostMessage(window, WM_MOUSELEAVE, 0, 0);
    }
    if (track->dwFlags & TME_HOVER) {
        window->trackHover = true;
        window->hoverTime = track->dwHoverTime == HOVER_DEFAULT ? kDefaultHoverTime : track->dwHoverTime;
        if (window == g_hot)
            StartHoverTimer(window, window->hoverTime);
    }
    return TRUE;
}

BOOL GetCursorPos(LPPOINT point) {
    const QPoint position = g_cursorKnown ? g_cursorPos : QCursor::pos();
    point->x = position.x();
    point->y = position.y();
    return TRUE;
}

SHORT GetKeyState(int virtualKey) {
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    const Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers();
    bool down = false;
    switch (virtualKey) {
    case VK_LBUTTON:
        down = buttons & Qt::LeftButton;
        break;
    case VK_RBUTTON:
        down = buttons & Qt::RightButton;
        break;
    case VK_MBUTTON:
        down = buttons & Qt::MiddleButton;
        break;
    case VK_SHIFT:
        down = modifiers & Qt::ShiftModifier;
        break;
    case VK_CONTROL:
        down = modifiers & Qt::ControlModifier;
        break;
    case VK_MENU:
        down = modifiers & Qt::AltModifier;
        break;
    default:
        down = IsKeyHeldDown(virtualKey);
        break;
    }
    return down ? static_cast<SHORT>(0x8000) : 0;
}

SHORT GetAsyncKeyState(int virtualKey) {
    return GetKeyState(virtualKey);
}
