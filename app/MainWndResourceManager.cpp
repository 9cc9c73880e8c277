// The resource manager command: the sheet runs modally, then the category panel shows the photo albums
// anew, since the user may have changed any album.

#include "app/CategoryPanel.h"
#include "app/MainWnd.h"
#include "app/ResourceManagerSheet.h"

namespace {

// The photos category is the panel's first position.
constexpr int kPhotosCategoryPosition = 0;

} // namespace

void CMainWnd::OnResourceManager() {
    IResourceManagerSheet* sheet = GetResourceManagerSheet();
    if (!sheet)
        return;
    sheet->RunResourceManager();
    ICategoryPanel* panel = GetCategoryPanel();
    if (!panel)
        return;
    panel->SelectCategory(kPhotosCategoryPosition);
    if (auto* window = dynamic_cast<CWnd*>(panel))
        window->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    panel->OnSelChangeCategory();
}
