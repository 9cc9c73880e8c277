#include "platform/ui/AppActivation.h"

#include "platform/ui/Messages.h"
#include "platform/ui/WindowInternals.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

bool g_active = true;

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

void NotifyApplicationActive(bool active) {
    if (active == g_active)
        return;
    g_active = active;
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        windows.emplace_back(widget);
    // A window may close another one on the way.
    for (const QPointer<QWidget>& widget : windows) {
        const HWND window = widget ? WindowOfWidget(widget) : nullptr;
        if (window && IsLiveWindow(window) && !window->IsChild() && WidgetOf(window) == widget)
            SendToWindow(window, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
    }
}
