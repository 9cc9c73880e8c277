#include "albums/InstallPictureBrowser.h"

#include "albums/BrowseFileDlg.h"
#include "app/PictureBrowser.h"

namespace {

CString BrowseWithThumbnails(CWnd* parent, DWORD flags, const CString& filter) {
    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, flags, filter, parent);
    if (dialog.DoModal() != IDOK)
        return {};
    return dialog.FormatPath();
}

} // namespace

void InstallPictureBrowser() {
    SetPictureBrowser(&BrowseWithThumbnails);
}
