#include "platform/ui/TopLevelMessages.h"

#include "platform/ui/Messages.h"
#include "platform/ui/WindowInternals.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace {

bool g_active = true;

struct DisplayMode {
    int bitsPerPixel = 0;
    int width = 0;
    int height = 0;
    bool operator==(const DisplayMode&) const = default;
};

DisplayMode g_displayMode;

DisplayMode PrimaryScreenMode() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return {screen->depth(), screen->geometry().width(), screen->geometry().height()};
}

void CheckPrimaryScreen() {
    const DisplayMode mode = PrimaryScreenMode();
    NotifyDisplayChange(mode.bitsPerPixel, mode.width, mode.height);
}

// Any screen may become the primary one; a change of another screen changes nothing.
void FollowScreen(QScreen* screen) {
    QObject::connect(screen, &QScreen::geometryChanged, qApp, [] { CheckPrimaryScreen(); });
}

void SendToTopLevelWindows(UINT message, WPARAM wParam, LPARAM lParam) {
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        windows.emplace_back(widget);
    // A window may close another one on the way.
    for (const QPointer<QWidget>& widget : windows) {
        const HWND window = widget ? WindowOfWidget(widget) : nullptr;
        if (window && IsLiveWindow(window) && !window->IsChild() && WidgetOf(window) == widget)
            SendToWindow(window, message, wParam, lParam);
    }
}

} // namespace

void WatchApplicationActivation() {
    static bool watching = false;
    if (watching || !qApp)
        return;
    watching = true;
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp, [](Qt::ApplicationState state) {
        NotifyApplicationActive(state == Qt::ApplicationActive);
    });
}

void WatchDisplayChanges() {
    static bool watching = false;
    if (watching || !qApp)
        return;
    watching = true;
    g_displayMode = PrimaryScreenMode();
    for (QScreen* screen : QGuiApplication::screens())
        FollowScreen(screen);
    QObject::connect(qApp, &QGuiApplication::screenAdded, qApp,
                     [](QScreen* screen) { FollowScreen(screen); });
    QObject::connect(qApp, &QGuiApplication::primaryScreenChanged, qApp,
                     [](QScreen*) { CheckPrimaryScreen(); });
}

void NotifyApplicationActive(bool active) {
    if (active == g_active)
        return;
    g_active = active;
    SendToTopLevelWindows(WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

void NotifyDisplayChange(int bitsPerPixel, int width, int height) {
    const DisplayMode mode{bitsPerPixel, width, height};
    if (mode == g_displayMode)
        return;
    g_displayMode = mode;
    SendToTopLevelWindows(WM_DISPLAYCHANGE, static_cast<WPARAM>(bitsPerPixel),
                          MAKELPARAM(static_cast<WORD>(width), static_cast<WORD>(height)));
}
