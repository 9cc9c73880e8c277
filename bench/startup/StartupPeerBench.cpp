// The peer: a bare Qt application with one window, timed from main to that window's first paint event.

#include "bench/startup/FirstPaint.h"

#include <QApplication>

int main(int argc, char** argv) {
    const FirstPaint::Clock::time_point start = FirstPaint::Clock::now();
    QApplication application(argc, argv);
    QWidget window;
    FirstPaint filter(start, [&](QWidget* widget) { return widget == &window; });
    application.installEventFilter(&filter);
    window.resize(1024, 768);
    window.show();
    return QApplication::exec();
}
