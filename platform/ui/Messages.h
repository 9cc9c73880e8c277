#pragma once
// Delivery of messages to windows: sent messages, queued ones with pre-translation, the message being
// handled, and the guard that keeps exceptions out of Qt's event loop. Private to platform/ui.

#include "platform/ui/WindowRecord.h"

#include <QEvent>

// Calls the window's WindowProc now. native is the Qt event the message came from, which the default
// processing of Qt-drawn controls hands back to Qt. Returns 0 for a window that is gone.
LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, QEvent* native = nullptr);
// Delivers a queued message: PreTranslateMessage of the window and its ancestors first, then WindowProc.
// Returns true when pre-translation swallowed it.
bool DeliverQueued(HWND window, UINT message, WPARAM wParam, LPARAM lParam, QEvent* native = nullptr);

// The message being handled on this thread, and the Qt event it came from (null when none).
struct CurrentMessage {
    MSG msg{};
    QEvent* native = nullptr;
};
const CurrentMessage* TopMessage();

// Runs f and reports any exception it throws the way the framework reports unhandled ones; returns
// false when one was thrown.
template <typename F>
bool Guarded(F&& f);
void ReportUnhandledException();
template <typename F>
bool Guarded(F&& f) {
    try {
        f();
        return true;
    } catch (...) {
        ReportUnhandledException();
        return false;
    }
}

// Qt events that carry what the window system queues: posted messages and the request to paint.
class PostedMessageEvent final : public QEvent {
public:
    PostedMessageEvent(UINT message, WPARAM wParam, LPARAM lParam);
    static QEvent::Type EventType();
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
QEvent::Type PaintRequestEventType();
