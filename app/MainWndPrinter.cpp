// The main window's print set-up: the printer the program uses and the print offsets.

#include "app/MainWnd.h"
#include "platform/base/Profile.h"

namespace {
// The offsets are stored in hundredths of a millimetre.
constexpr float kOffsetUnit = 0.01f;
} // namespace

BOOL CMainWnd::SetUpPrinter() {
    ReadPrintOffsets();
    return TRUE;
}

void CMainWnd::ReadPrintOffsets() {
    m_printOffsetX = static_cast<float>(GetProfileInt("Settings", "PrintOffsetX", 0)) * kOffsetUnit;
    m_printOffsetY = static_cast<float>(GetProfileInt("Settings", "PrintOffsetY", 0)) * kOffsetUnit;
}
