#include "platform/ui/Messages.h"

#include "platform/base/AppServices.h"
#include "platform/base/Exception.h"
#include "platform/ui/Wnd.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThread>
#include <QWidget>
#include <exception>
#include <vector>

namespace {

thread_local std::vector<CurrentMessage> t_messages;

// Keeps the message on the stack and the window's widget alive while the window handles it.
class MessageScope {
public:
    MessageScope(HWND window, const MSG& msg, QEvent* native) : m_window(window) {
        ++m_window->dispatchDepth;
        t_messages.push_back({msg, native});
    }
    ~MessageScope() {
        t_messages.pop_back();
        --m_window->dispatchDepth;
    }
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

private:
    HWND m_window;
};

bool WalkPreTranslate(MSG& msg) {
    for (HWND window = msg.hwnd; window && IsLiveWindow(window); window = window->parent) {
        CWnd* object = window->permanent;
        BOOL swallowed = FALSE;
        if (object && !Guarded([&] { swallowed = object->PreTranslateMessage(&msg); }))
            return true;
        if (swallowed)
            return true;
        if (!window->IsChild())
            break;
    }
    return false;
}

LRESULT SendOnThisThread(HWND window, UINT message, WPARAM wParam, LPARAM lParam, QEvent* native) {
    if (!IsLiveWindow(window))
        return 0;
    CWnd* object = WndOf(window);
    const MSG msg{window, message, wParam, lParam, GetTickCount(), {}};
    MessageScope scope(window, msg, native);
    LRESULT result = 0;
    // The object may delete itself while it handles the message: nothing touches it afterwards.
    if (!Guarded([&] { result = object->WindowProc(message, wParam, lParam); }))
        result = message == WM_CREATE ? -1 : 0;
    return result;
}

} // namespace

LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, QEvent* native) {
    if (QThread::currentThread() == QCoreApplication::instance()->thread())
        return SendOnThisThread(window, message, wParam, lParam, native);
    // From another thread the caller waits until the window's thread has handled the message.
    LRESULT result = 0;
    QPointer<QWidget> widget;
    WithLiveWindow(window, [&](bool live) { widget = live ? WidgetOf(window) : nullptr; });
    if (!widget)
        return 0;
    QMetaObject::invokeMethod(
        widget.data(), [&] { result = SendOnThisThread(window, message, wParam, lParam, nullptr); },
        Qt::BlockingQueuedConnection);
    return result;
}

bool DeliverQueued(HWND window, UINT message, WPARAM wParam, LPARAM lParam, QEvent* native) {
    MSG msg{window, message, wParam, lParam, GetTickCount(), {}};
    GetCursorPos(&msg.pt);
    if (WalkPreTranslate(msg))
        return true;
    SendToWindow(window, message, wParam, lParam, native);
    return false;
}

const CurrentMessage* TopMessage() {
    return t_messages.empty() ? nullptr : &t_messages.back();
}

void ReportUnhandledException() {
    CString text = "Ein interner Fehler ist aufgetreten.";
    try {
        throw;
    } catch (CException* e) {
        char buffer[512];
        if (e->GetErrorMessage(buffer, sizeof buffer))
            text = buffer;
        e->Delete();
    } catch (const std::exception& e) {
        text += CString(" (") + e.what() + ")";
    } catch (...) {
    }
    AppServices().MessageBoxText(text, MB_ICONEXCLAMATION);
}

PostedMessageEvent::PostedMessageEvent(UINT msg, WPARAM w, LPARAM l)
    : QEvent(EventType()), message(msg), wParam(w), lParam(l) {}

QEvent::Type PostedMessageEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QEvent::Type PaintRequestEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendToWindow(window, message, wParam, lParam);
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    BOOL posted = FALSE;
    WithLiveWindow(window, [&](bool live) {
        if (!live)
            return;
        QCoreApplication::postEvent(WidgetOf(window), new PostedMessageEvent(message, wParam, lParam));
        posted = TRUE;
    });
    return posted;
}

const MSG* CWnd::GetCurrentMessage() {
    const CurrentMessage* current = TopMessage();
    return current ? &current->msg : nullptr;
}

void PostQuitMessage(int exitCode) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}
