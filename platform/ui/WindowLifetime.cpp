// Window creation and destruction, the registry of live handles, and the objects that receive a window's
// messages.

#include "platform/gdi/GdiObject.h"
#include "platform/ui/TopLevelMessages.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"
#include "platform/ui/Wnd.h"

#include <QWidget>
#include <algorithm>
#include <unordered_set>

namespace {

std::unordered_set<HWND>& LiveWindows() {
    static std::unordered_set<HWND> windows;
    return windows;
}

Qt::WindowFlags WidgetFlags(const CREATESTRUCT& create) {
    if (create.style & WS_CHILD)
        return Qt::Widget;
    Qt::WindowFlags flags = Qt::Window;
    // Overlapped windows always have a caption; popups only when asked for one.
    if ((create.style & WS_POPUP) && (create.style & WS_CAPTION) != WS_CAPTION)
        flags |= Qt::FramelessWindowHint;
    if (create.dwExStyle & WS_EX_TOPMOST)
        flags |= Qt::WindowStaysOnTopHint;
    if (create.dwExStyle & WS_EX_TOOLWINDOW)
        flags |= Qt::Tool;
    return flags;
}

bool SubtreeIsDispatching(QWidget* widget) {
    for (QWidget* w : widget->findChildren<QWidget*>()) {
        const HWND window = WindowOfWidget(w);
        if (window && window->dispatchDepth > 0)
            return true;
    }
    const HWND window = WindowOfWidget(widget);
    return window && window->dispatchDepth > 0;
}

// The widget goes with its window. Qt must not lose a widget from under its own event handling, so a
// widget that is handling an event (itself or a descendant) is deleted once control is back in the
// event loop.
void DeleteWidget(QWidget* widget) {
    widget->hide();
    if (SubtreeIsDispatching(widget))
        widget->deleteLater();
    else
        delete widget;
}

void EndWindow(HWND window) {
    window->phase = WindowRecord::Phase::Gone;
    if (window->permanent) {
        window->permanent->m_hWnd = nullptr;
        window->permanent = nullptr;
    }
    if (window->temporary)
        window->temporary->m_hWnd = nullptr;
    if (window->windowRegion) {
        DeleteObject(window->windowRegion);
        window->windowRegion = nullptr;
    }
    UnregisterWindow(window);
}

// WM_DESTROY to the window, then its children and owned windows, each completely, then WM_NCDESTROY.
void SendDestroyMessages(HWND window) {
    window->phase = WindowRecord::Phase::Destroying;
    ForgetMouseState(window);
    KillAllTimers(window);
    SendToWindow(window, WM_DESTROY, 0, 0);
    for (HWND child : ChildWindowsOf(window, true)) {
        if (IsLiveWindow(child) && child->phase < WindowRecord::Phase::Destroying)
            SendDestroyMessages(child);
    }
    SendToWindow(window, WM_NCDESTROY, 0, 0);
    EndWindow(window);
}

// A window whose WM_CREATE refused goes without WM_DESTROY and WM_NCDESTROY of its own: its object
// stays as it was, without a window. Children made meanwhile are destroyed as usual.
void AbandonWindow(HWND window) {
    window->phase = WindowRecord::Phase::Destroying;
    ForgetMouseState(window);
    KillAllTimers(window);
    for (HWND child : ChildWindowsOf(window, true)) {
        if (IsLiveWindow(child) && child->phase < WindowRecord::Phase::Destroying)
            SendDestroyMessages(child);
    }
    EndWindow(window);
    DeleteWidget(WidgetOf(window));
}

} // namespace

std::mutex& WindowRegistryLock() {
    static std::mutex lock;
    return lock;
}

void RegisterWindow(HWND window) {
    std::lock_guard lock(WindowRegistryLock());
    LiveWindows().insert(window);
}

void UnregisterWindow(HWND window) {
    std::lock_guard lock(WindowRegistryLock());
    LiveWindows().erase(window);
}

bool IsLiveWindowLocked(HWND window) {
    return window && LiveWindows().count(window) != 0;
}

bool IsLiveWindow(HWND window) {
    std::lock_guard lock(WindowRegistryLock());
    return IsLiveWindowLocked(window);
}

BOOL IsWindow(HWND window) {
    return IsLiveWindow(window) ? TRUE : FALSE;
}

HWND WindowOfWidget(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* host = dynamic_cast<WindowHost*>(const_cast<QWidget*>(w)))
            return host->Handle();
    }
    return nullptr;
}

QWidget* WidgetOf(HWND window) {
    return window && window->host ? window->host->Widget() : nullptr;
}

CWnd* WndOf(HWND window) {
    if (window->permanent)
        return window->permanent;
    if (!window->temporary) {
        window->temporary.reset(window->windowClass->makeWrapper());
        window->temporary->m_hWnd = window;
    }
    return window->temporary.get();
}

HWND TopLevelOf(HWND window) {
    while (window && window->IsChild() && window->parent)
        window = window->parent;
    return window;
}

std::vector<HWND> ChildWindowsOf(HWND window, bool owned) {
    std::vector<HWND> children;
    QWidget* widget = WidgetOf(window);
    if (!widget)
        return children;
    // Qt keeps siblings bottom first; windows count from the top.
    const QObjectList& objects = widget->children();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        auto* host = dynamic_cast<WindowHost*>(*it);
        if (!host)
            continue;
        const HWND child = host->Handle();
        if (child->phase == WindowRecord::Phase::Gone || (!owned && !child->IsChild()))
            continue;
        children.push_back(child);
    }
    return children;
}

HWND CreateWindowFor(CREATESTRUCT create, CWnd* object) {
    const WindowClass* windowClass = FindWindowClass(create.lpszClass);
    if (!windowClass)
        return nullptr;
    HWND parent = create.hwndParent;
    if (parent && !IsLiveWindow(parent))
        return nullptr;
    if (parent && !(create.style & WS_CHILD))
        parent = TopLevelOf(parent); // a popup's owner is a top-level window
    if (parent && parent == DesktopWindowIfMade())
        parent = nullptr;
    if ((create.style & WS_CHILD) && !parent)
        return nullptr;
    if (object && object->m_hWnd)
        return nullptr;

    WatchApplicationActivation();
    WatchDisplayChanges();
    WindowHost* host = windowClass->makeWidget(create, WidgetOf(parent), WidgetFlags(create));
    QWidget* widget = host->Widget();
    const HWND window = host->Handle();
    window->windowClass = windowClass;
    window->style = static_cast<DWORD>(create.style) & ~WS_VISIBLE;
    window->exStyle = create.dwExStyle;
    window->id =
        (create.style & WS_CHILD) ? static_cast<UINT>(reinterpret_cast<std::uintptr_t>(create.hMenu)) : 0;
    window->text = create.lpszName;
    window->parent = parent;
    // A top-level window's text is its title on the desktop (task bar, window list).
    if (!(create.style & WS_CHILD))
        widget->setWindowTitle(QString::fromUtf8(window->text.GetString()));
    RegisterWindow(window);
    if (object) {
        object->m_hWnd = window;
        window->permanent = object;
    }

    if (!windowClass->nativeWidget) {
        widget->setAttribute(Qt::WA_OpaquePaintEvent);
        widget->setAttribute(Qt::WA_NoSystemBackground);
    }
    const QPoint inParent = QPoint(create.x, create.y) + ParentClientOffset(window);
    widget->setGeometry(inParent.x(), inParent.y(), std::max(create.cx, 0), std::max(create.cy, 0));
    if (create.style & WS_CHILD) {
        // New child windows go to the bottom of their siblings, so the first one made lies on top.
        widget->lower();
        widget->hide();
    }
    widget->setEnabled(!(create.style & WS_DISABLED));
    ResizeSurface(window);

    if (SendToWindow(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1 ||
        !IsLiveWindow(window)) {
        if (IsLiveWindow(window) && window->phase == WindowRecord::Phase::Creating)
            AbandonWindow(window);
        return nullptr;
    }
    window->phase = WindowRecord::Phase::Alive;
    SendClientSize(window);
    SendClientPosition(window);
    if (IsLiveWindow(window) && (create.style & WS_VISIBLE))
        CWnd::FromHandle(window)->ShowWindow(SW_SHOW);
    return IsLiveWindow(window) ? window : nullptr;
}

HWND CreateWindowEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, HINSTANCE instance, LPVOID param) {
    const CREATESTRUCT create{
        param,      instance,  idOrMenu, parent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    return CreateWindowFor(create, nullptr);
}

BOOL DestroyWindow(HWND window) {
    if (!IsLiveWindow(window) || window->phase >= WindowRecord::Phase::Destroying)
        return FALSE;
    QWidget* widget = WidgetOf(window);
    widget->hide();
    SendDestroyMessages(window);
    DeleteWidget(widget);
    return TRUE;
}

void OnWindowWidgetDeleted(HWND window) {
    // Qt deletes a widget on its own when its parent widget goes; the window ends with it.
    if (window->phase < WindowRecord::Phase::Destroying)
        SendDestroyMessages(window);
    else if (window->phase == WindowRecord::Phase::Destroying)
        EndWindow(window);
    window->temporary.reset();
}

BOOL CWnd::Attach(HWND window) {
    if (m_hWnd || !IsLiveWindow(window) || window->permanent)
        return FALSE;
    m_hWnd = window;
    window->permanent = this;
    return TRUE;
}

HWND CWnd::Detach() {
    const HWND window = m_hWnd;
    if (window && IsLiveWindow(window) && window->permanent == this)
        window->permanent = nullptr;
    m_hWnd = nullptr;
    return window;
}

CWnd::~CWnd() {
    if (!m_hWnd || !IsLiveWindow(m_hWnd) || m_hWnd->permanent != this)
        return;
    // The window outlives its object: its last messages go to the class's stand-in.
    const HWND window = Detach();
    if (window->phase < WindowRecord::Phase::Destroying)
        ::DestroyWindow(window);
}

CWnd* CWnd::FromHandle(HWND window) {
    return IsLiveWindow(window) ? WndOf(window) : nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    return IsLiveWindow(window) ? window->permanent : nullptr;
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  LPVOID /*createContext*/) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param) {
    const CRect r(rect);
    return CreateEx(exStyle, className, windowName, style, r.left, r.top, r.Width(), r.Height(),
                    parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, LPVOID param) {
    CREATESTRUCT create{
        param,      nullptr,   idOrMenu, parent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    BOOL accepted = FALSE;
    if (!Guarded([&] { accepted = PreCreateWindow(create); }) || !accepted)
        return FALSE;
    return CreateWindowFor(create, this) ? TRUE : FALSE;
}

BOOL CWnd::DestroyWindow() {
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& /*create*/) {
    return TRUE;
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    CWnd* item = parent ? parent->GetDlgItem(static_cast<int>(id)) : nullptr;
    return item ? SubclassWindow(item->m_hWnd) : FALSE;
}
