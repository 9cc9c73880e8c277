#include "app/AlbumDialog.h"

#include "platform/ui/Dialog.h"

#include <utility>

namespace {

AlbumDialog g_dialog = nullptr;

} // namespace

AlbumDialog SetAlbumDialog(AlbumDialog dialog) {
    return std::exchange(g_dialog, dialog);
}

int RunAlbumDialog(CWnd* parent, AlbumChoice& choice) {
    return g_dialog ? g_dialog(parent, choice) : IDCANCEL;
}
