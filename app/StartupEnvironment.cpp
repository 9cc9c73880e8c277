#include "app/StartupEnvironment.h"

#include "platform/base/Path.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/Wnd.h"

CRect CDesktopStartupEnvironment::GetDesktopRect() {
    CRect desktop;
    CWnd::GetDesktopWindow()->GetClientRect(&desktop);
    return desktop;
}

int CDesktopStartupEnvironment::GetDesktopBitsPerPixel() {
    CWnd* desktop = CWnd::GetDesktopWindow();
    CDC* dc = desktop->GetDC();
    if (!dc)
        return 0;
    const int bitsPerPixel = dc->GetDeviceCaps(BITSPIXEL);
    desktop->ReleaseDC(dc);
    return bitsPerPixel;
}

CString CDesktopStartupEnvironment::GetRuntimeFolder() {
    return ::GetRuntimeFolder();
}
