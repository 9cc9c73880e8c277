#include "app/PictureOpenDialog.h"

#include "platform/ui/FileDialog.h"

#include <utility>

namespace {

PictureOpenDialog g_dialog = nullptr;

CString AskWithFileDialog(CWnd* parent, DWORD flags, const CString& filter) {
    CFileDialog dialog(TRUE, nullptr, nullptr, flags, filter, parent);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

} // namespace

PictureOpenDialog SetPictureOpenDialog(PictureOpenDialog dialog) {
    return std::exchange(g_dialog, dialog);
}

CString AskPictureToOpen(CWnd* parent, DWORD flags, const CString& filter) {
    return (g_dialog ? g_dialog : &AskWithFileDialog)(parent, flags, filter);
}
