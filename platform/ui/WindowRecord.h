#pragma once
// The window behind a handle: what the window system keeps per window (class, styles, id, text, the
// retained pixels, timers, tracking) and the Qt widget that shows it. Private to platform/ui.

#include "platform/base/String.h"
#include "platform/ui/UiTypes.h"

#include <QImage>
#include <QRegion>
#include <memory>
#include <mutex>
#include <vector>

class CWnd;
class QEvent;
class QWidget;
struct WindowClass;

// State that a window class keeps per window (a button's check state, a progress bar's range).
struct WindowClassData {
    virtual ~WindowClassData() = default;
};

// The Qt side of a window: its widget, and the widget's own handling of an event, which is the default
// processing of the controls that Qt draws itself.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual QWidget* Widget() = 0;
    virtual HWND Handle() = 0;
    virtual bool RunNativeEvent(QEvent* event) = 0;
};

struct TimerEntry {
    enum class Kind { User, Hover, ScrollRepeat };
    Kind kind = Kind::User;
    UINT_PTR id = 0;
    UINT period = 0;
    TIMERPROC proc = nullptr;
    int qtTimer = 0; // 0 while the timer runs on the manual test clock
};

struct WindowRecord {
    enum class Phase { Creating, Alive, Destroying, Gone };

    WindowHost* host = nullptr;
    const WindowClass* windowClass = nullptr;
    Phase phase = Phase::Creating;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT id = 0;
    CString text;
    HFONT font = nullptr;
    // The parent of a child window, the owner of a top-level one.
    HWND parent = nullptr;

    // The object that subclassed the window, and the wrapper that stands in for it when there is none.
    CWnd* permanent = nullptr;
    std::unique_ptr<CWnd> temporary;
    std::unique_ptr<WindowClassData> classData;
    // The state of the WS_HSCROLL and WS_VSCROLL bars, made on first use.
    std::unique_ptr<WindowClassData> scrollBars;

    // Painting: the retained pixels of the client area, what must be painted again, and whether the
    // background is to be erased first.
    QImage surface;
    // The client area's part of surface, sharing its pixels, for windows with a frame.
    QImage clientPixels;
    QRegion invalid;
    bool erasePending = false;
    bool paintRequested = false;
    bool painting = false;      // WM_PAINT is being handled
    bool beganPaint = false;    // ... and its handler called BeginPaint
    bool inWidgetPaint = false; // Qt is showing the image: nothing needs showing again
    bool redrawOff = false;     // WM_SETREDRAW FALSE: invalid parts wait until it is back on
    // The shape handed over by SetWindowRgn; the window owns and deletes it.
    HRGN windowRegion = nullptr;

    std::vector<TimerEntry> timers;
    bool trackLeave = false;
    bool trackHover = false;
    UINT hoverTime = 0;

    // Messages being handled by this window; its widget is deleted only when none is.
    int dispatchDepth = 0;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
};

// The live windows. Handles are checked here before they are used, from any thread.
void RegisterWindow(HWND window);
void UnregisterWindow(HWND window);
bool IsLiveWindow(HWND window);
std::mutex& WindowRegistryLock();
bool IsLiveWindowLocked(HWND window);
// Runs f(live) under the registry's lock, so that a live window cannot go away meanwhile.
template <typename F>
void WithLiveWindow(HWND window, F&& f) {
    std::lock_guard lock(WindowRegistryLock());
    f(IsLiveWindowLocked(window));
}

// The window of a widget of this layer, or of its nearest ancestor that is one; null otherwise.
HWND WindowOfWidget(const QWidget* widget);
QWidget* WidgetOf(HWND window);
// The object messages go to: the permanent one, else the class's temporary wrapper.
CWnd* WndOf(HWND window);
