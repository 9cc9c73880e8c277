#include "albums/AlbumDlgInstall.h"

#include "albums/AlbumDlg.h"
#include "app/AlbumDialog.h"

namespace {

int RunAlbumDlg(CWnd* parent, AlbumChoice& choice) {
    CAlbumDlg dialog(parent);
    if (dialog.DoModal() != IDOK)
        return IDCANCEL;
    choice.album = dialog.GetAlbum();
    choice.photoIndex = dialog.GetCurrentIndex();
    return IDOK;
}

} // namespace

void InstallAlbumDlg() {
    SetAlbumDialog(&RunAlbumDlg);
}
