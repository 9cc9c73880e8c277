#include "albums/ClipartWnd.h"

#include "albums/CategWnd.h"
#include "albums/CategoryPanelHost.h"
#include "library/Clipart.h"
#include "page/DrawClipart.h"
#include "page/MainWndServices.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"

namespace {

// "Cliparts are placed in edit mode."
constexpr UINT kEditModeOnlyId = 311;

} // namespace

void CClipartWnd::OnLButtonDown(UINT flags, CPoint point) {
    if (!AppServices().IsEditMode()) {
        AppServices().MessageBox(kEditModeOnlyId);
        return;
    }
    CTemplate* page = MainWndServices().GetTemplate();
    CPreviewWnd* canvas = CategoryPanelHost().GetPreviewWnd();
    if (!page || !canvas)
        return;
    if (auto* panel = dynamic_cast<CCategWnd*>(GetParent()))
        panel->SelectTile(this);
    CDSObj* clipart = GetClipart();
    if (!clipart || (!clipart->IsLoaded() && !clipart->LoadData()))
        return;
    const auto give = [clipart](CDrawObj* object) {
        static_cast<CDrawClipart*>(object)->SetClipart(static_cast<CClipart*>(clipart->Clone()));
    };
    for (int i = 0; i < page->GetObjectCount(); ++i) {
        CDrawObj* object = page->GetObjectAt(i);
        if (object->IsSelected() && IsDrawClipart(object)) {
            give(object);
            canvas->UpdateObjects(object);
            return;
        }
    }
    const CDrawObjList& moving = canvas->GetMovingObjects();
    if (moving.GetCount() == 1 && IsDrawClipart(moving.GetHead())) {
        give(moving.GetHead());
        canvas->PrepareNewObject(moving.GetHead(), 0);
        return;
    }
    canvas->BeginPlaceObject(clipart);
    CWnd::OnLButtonDown(flags, point);
}
