// The program's start-up as the program runs it (the application object, AfxWinMain), timed from main
// to the first paint event of the main window. The program folder is the Release build's.

#include "app/VellumcraftApp.h"
#include "bench/startup/FirstPaint.h"
#include "platform/base/Module.h"
#include "platform/ui/WindowRecord.h"
#include "platform/ui/Wnd.h"

#include <QCoreApplication>

namespace {

FirstPaint::Clock::time_point g_start;
CVellumcraftApp theApp;

// Runs when AfxWinMain has made the Qt application, before InitInstance.
void WatchMainWindow() {
    auto* filter = new FirstPaint(g_start, [](QWidget* widget) {
        CWnd* mainWindow = AfxGetMainWnd();
        return mainWindow && widget->isWindow() && WindowOfWidget(widget) == mainWindow->m_hWnd;
    });
    filter->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}
Q_COREAPP_STARTUP_FUNCTION(WatchMainWindow)

} // namespace

int main(int argc, char** argv) {
    g_start = FirstPaint::Clock::now();
    SetProgramFolderForTesting(VC_PROGRAM_DIR);
    return AfxWinMain(argc, argv);
}
