#include "albums/PhotoWnd.h"

#include "albums/AlbumPhotoDialog.h"
#include "albums/CategWnd.h"
#include "albums/CategoryPanelHost.h"
#include "page/DrawImage.h"
#include "page/MainWndServices.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "page/UndoObject.h"
#include "platform/base/AppServices.h"
#include "platform/ui/WaitCursor.h"

namespace {

constexpr int kUndoPicture = 0;

} // namespace

void CPhotoWnd::OnLButtonDown(UINT flags, CPoint point) {
    if (auto* panel = dynamic_cast<CCategWnd*>(GetParent()))
        panel->SelectTile(this);
    else if (auto* dialog = dynamic_cast<IAlbumPhotoDialog*>(GetParent()))
        dialog->SelectPhoto(this, flags);
    if (!AppServices().IsEditMode()) {
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    IMainWndServices& main = MainWndServices();
    CTemplate* page = main.GetTemplate();
    if (!page)
        return;
    CPreviewWnd* canvas = CategoryPanelHost().GetPreviewWnd();
    if (page->GetSelectedCount() == 0) {
        if (canvas)
            canvas->BeginCapture(kDragPhoto);
        return;
    }
    ICategorySelection* selection = CategoryPanelHost().GetCategoryPanel();
    for (int i = 0; i < page->GetObjectCount(); ++i) {
        CDrawObj* object = page->GetObjectAt(i);
        if (!object->IsSelected())
            continue;
        if (!CDrawObj::IsDrawImage(object))
            return;
        CDSObj* photo = selection ? selection->GetSelectedPhoto() : nullptr;
        if (!photo)
            continue;
        auto* image = static_cast<CDrawImage*>(object);
        main.AddUndo(new CUndoObject(kUndoPicture, image->GetFilePath(), page->IndexOf(image), *image));
        image->SetPhoto(photo);
        main.SetModified(TRUE);
        if (canvas)
            canvas->UpdateArea(image);
    }
}

void CPhotoWnd::OnLButtonDblClk(UINT flags, CPoint) {
    constexpr UINT kControlKey = 0x0008;
    auto* dialog = dynamic_cast<IAlbumPhotoDialog*>(GetParent());
    if (!dialog || (flags & kControlKey) || AppServices().IsEditMode())
        return;
    CWaitCursor wait;
    ICategoryPanelHost& host = CategoryPanelHost();
    CDSAlbum* album = dialog->GetAlbum();
    const int index = dialog->GetCurrentIndex();
    host.SetCurrentAlbum(album);
    dialog->EndDialog(IDCANCEL);
    ICategoryPanel* panel = host.GetCategoryPanel();
    if (panel) {
        panel->SelectCategory(0);
        panel->ReloadAlbums();
        panel->SelectItem(album, FALSE);
    }
    MainWndServices().SetModified(TRUE);
    if (panel) {
        panel->ShowPage(index);
        if (auto* window = dynamic_cast<CWnd*>(panel))
            window->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}
