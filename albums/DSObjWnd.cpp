#include "albums/DSObjWnd.h"

#include "albums/CategWnd.h"
#include "albums/CategoryPanelHost.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawImage.h"
#include "page/MainWndServices.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"

void CDSObjWnd::OnLButtonDown(UINT flags, CPoint point) {
    CDSObj* item = GetObject();
    auto* panel = dynamic_cast<CCategWnd*>(GetParent());
    if (!AppServices().IsEditMode()) {
        if (item && !item->IsLoaded())
            item->LoadData();
        if (panel)
            panel->SelectTile(this);
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    if (panel)
        panel->SelectTile(this);
    const bool stencil = dynamic_cast<CStencil*>(item) != nullptr;
    IMainWndServices& main = MainWndServices();
    CTemplate* page = main.GetTemplate();
    CPreviewWnd* canvas = CategoryPanelHost().GetPreviewWnd();
    if (!page || page->GetSelectedCount() == 0) {
        if (canvas)
            canvas->BeginCapture(stencil ? kDragStencil : kDragMat);
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    for (int i = 0; i < page->GetObjectCount() && item; ++i) {
        CDrawObj* object = page->GetObjectAt(i);
        if (!object->IsSelected())
            continue;
        if (!CDrawObj::IsDrawImage(object))
            return;
        auto* image = static_cast<CDrawImage*>(object);
        if (stencil)
            image->SetStencil(static_cast<CStencil*>(item->Clone()));
        else
            image->SetMat(static_cast<CMat*>(item->Clone()));
        main.SetModified(TRUE);
        if (canvas)
            canvas->UpdateArea(image);
    }
    CWnd::OnLButtonDown(flags, point);
}
