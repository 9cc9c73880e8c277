#include "albums/InstallCategoryPanel.h"

#include "albums/CategWnd.h"

namespace {

ICategoryPanel* NewCategWnd() {
    return new CCategWnd;
}

} // namespace

void InstallCategoryPanel() {
    SetCategoryPanelFactory(&NewCategWnd);
}
