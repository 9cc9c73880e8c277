#include "albums/InstallPictureOpenDialog.h"

#include "albums/BrowseFileDlg.h"
#include "app/PictureOpenDialog.h"

namespace {

CString BrowsePictureToOpen(CWnd* parent, DWORD flags, const CString& filter) {
    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, flags, filter, parent);
    return dialog.DoModal() == IDOK ? dialog.FormatPath() : CString();
}

} // namespace

void InstallPictureOpenDialog() {
    SetPictureOpenDialog(&BrowsePictureToOpen);
}
