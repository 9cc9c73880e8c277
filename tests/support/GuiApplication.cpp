#include "tests/support/GuiApplication.h"

#include <QGuiApplication>

void EnsureGuiApplication() {
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}
