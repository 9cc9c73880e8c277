#include "albums/MainWndCategoryHost.h"

#include "app/MainWnd.h"
#include "page/PreviewWnd.h"
#include "platform/base/AppServices.h"
#include "platform/ui/WinApp.h"

namespace {

CMainWnd* MainWnd() {
    return dynamic_cast<CMainWnd*>(AfxGetMainWnd());
}

} // namespace

CDSAlbum* CMainWndCategoryHost::GetCurrentAlbum() {
    CMainWnd* window = MainWnd();
    return window ? window->GetCurrentAlbum() : nullptr;
}

void CMainWndCategoryHost::SetCurrentAlbum(CDSAlbum* album) {
    if (CMainWnd* window = MainWnd())
        window->SetCurrentAlbum(album);
}

BYTE CMainWndCategoryHost::IsAlbumPicture() {
    CMainWnd* window = MainWnd();
    return window ? window->IsAlbumPicture() : 0;
}

void CMainWndCategoryHost::SetAlbumPicture(BYTE fromAlbum) {
    if (CMainWnd* window = MainWnd())
        window->SetAlbumPicture(fromAlbum);
}

BOOL CMainWndCategoryHost::AddPicturesToPage(const CString& path) {
    CMainWnd* window = MainWnd();
    return window ? window->AddPicturesToPage(path) : FALSE;
}

void CMainWndCategoryHost::DeleteWorkBitmap() {
    if (CMainWnd* window = MainWnd())
        window->DeleteWorkBitmap();
}

BYTE CMainWndCategoryHost::IsModified() {
    CMainWnd* window = MainWnd();
    return window ? window->IsModified() : 0;
}

void CMainWndCategoryHost::RedrawPreview() {
    if (CMainWnd* window = MainWnd())
        window->RedrawPreview();
}

void CMainWndCategoryHost::OnUndo() {
    if (CMainWnd* window = MainWnd())
        window->OnUndo();
}

CPreviewWnd* CMainWndCategoryHost::GetPreviewWnd() {
    CMainWnd* window = MainWnd();
    return window ? dynamic_cast<CPreviewWnd*>(window->GetPreviewWnd()) : nullptr;
}

ICategoryPanel* CMainWndCategoryHost::GetCategoryPanel() {
    CMainWnd* window = MainWnd();
    return window ? window->GetCategoryPanel() : nullptr;
}

BYTE CMainWndCategoryHost::IsSoundEnabled() {
    return AppServices().IsSoundEnabled();
}

CString CMainWndCategoryHost::GetSoundPath() {
    return AppServices().GetSoundPath();
}
