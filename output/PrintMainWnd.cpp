// The installed main window of the print dialogs.

#include "output/PrintMainWnd.h"

namespace {
IPrintMainWnd* g_mainWnd = nullptr;
} // namespace

void SetPrintMainWnd(IPrintMainWnd* mainWnd) {
    g_mainWnd = mainWnd;
}

IPrintMainWnd* GetPrintMainWnd() {
    return g_mainWnd;
}
