// The undo of the picture commands' records: the adjustment state or the placement put back on the
// picture the record names. A record whose picture is gone changes nothing and is dropped.
#include "app/MainWnd.h"
#include "image/WorkBitmap.h"
#include "page/DrawImage.h"
#include "page/EffOb.h"
#include "page/ShiftZoomOb.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"

bool CMainWnd::UndoPictureRecord(CObject* record) {
    auto* adjustment = DYNAMIC_DOWNCAST(CEffOb, record);
    auto* placement = DYNAMIC_DOWNCAST(CShiftZoomOb, record);
    if (!adjustment && !placement)
        return false;
    const int index = adjustment ? adjustment->GetObjectIndex() : placement->GetObjectIndex();
    CAdjustImage* picture = nullptr;
    if (!AppServices().IsEditMode())
        picture = index == -1 ? m_workBitmap.get() : nullptr;
    else if (m_template && index >= 0)
        picture = DYNAMIC_DOWNCAST(CDrawImage, m_template->GetObjectAt(index));
    if (!picture)
        return true;
    if (adjustment) {
        if (!adjustment->GetSnapshot())
            return true;
        picture->CopyFrom(adjustment->GetSnapshot());
        picture->Rebuild(true);
        UpdateTwoColorsButton();
    } else {
        picture->SetRotation(placement->GetRotation());
        picture->shiftX = placement->GetShiftX();
        picture->shiftY = placement->GetShiftY();
        if (placement->GetZoom() > 0)
            picture->zoom = placement->GetZoom();
    }
    SetModified(TRUE);
    RedrawPreview();
    return true;
}
