// Qt events of a window's widget, turned into the window's messages.

#include "platform/ui/Messages.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"
#include "platform/ui/Wnd.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTimerEvent>
#include <QWheelEvent>

namespace {

// Keeps the widget alive while the window layer handles one of its events.
class EventScope {
public:
    explicit EventScope(HWND window) : m_window(window) { ++m_window->dispatchDepth; }
    ~EventScope() { --m_window->dispatchDepth; }
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

private:
    HWND m_window;
};

void SendFocusChange(HWND window, QEvent::Type type) {
    if (type == QEvent::FocusIn) {
        const HWND previous = LastFocusWindow();
        NoteFocusWindow(window);
        SendToWindow(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous == window ? nullptr : previous),
                     0);
    } else {
        // Qt names the new focus widget before it tells the old one.
        const HWND next = GetFocus();
        SendToWindow(window, WM_KILLFOCUS, reinterpret_cast<WPARAM>(next == window ? nullptr : next), 0);
    }
}

} // namespace

bool HandleWindowEvent(HWND window, QEvent* event, bool* result) {
    const QEvent::Type type = event->type();
    const bool ours = type == PostedMessageEvent::EventType() || type == PaintRequestEventType();
    if (window->phase == WindowRecord::Phase::Gone || window->phase == WindowRecord::Phase::Destroying) {
        // Queued work of a window that is gone is dropped; Qt's own events (its deletion) go on.
        *result = ours;
        return ours;
    }
    EventScope scope(window);
    *result = true;
    if (type == PostedMessageEvent::EventType()) {
        const auto* posted = static_cast<PostedMessageEvent*>(event);
        DeliverQueued(window, posted->message, posted->wParam, posted->lParam);
        return true;
    }
    if (type == PaintRequestEventType()) {
        ProcessPaintRequest(window);
        return true;
    }
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        RouteMouseEvent(window, static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::Wheel:
        RouteWheelEvent(window, static_cast<QWheelEvent*>(event));
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        RouteKeyEvent(window, static_cast<QKeyEvent*>(event));
        return true;
    case QEvent::Leave:
        OnWidgetLeave(window);
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        SendFocusChange(window, type);
        return window->windowClass->nativeWidget ? false : true;
    case QEvent::Paint:
        if (window->windowClass->nativeWidget)
            return false;
        PaintWidget(window, static_cast<QPaintEvent*>(event));
        return true;
    case QEvent::Resize:
        ResizeSurface(window);
        return false;
    case QEvent::Timer:
        if (DeliverQtTimer(window, static_cast<QTimerEvent*>(event)->timerId()))
            return true;
        return false;
    case QEvent::Close:
        // The desktop's close button asks the window; it decides whether it goes.
        event->ignore();
        SendToWindow(window, WM_CLOSE, 0, 0);
        return true;
    default:
        return false;
    }
}
