#include "albums/InstallCategoryPanel.h"

#include "albums/CategWnd.h"
#include "albums/MainWndCategoryHost.h"

namespace {

ICategoryPanel* NewCategWnd() {
    return new CCategWnd;
}

} // namespace

void InstallCategoryPanel() {
    static CMainWndCategoryHost host;
    SetCategoryPanelHost(&host);
    SetCategoryPanelFactory(&NewCategWnd);
}
