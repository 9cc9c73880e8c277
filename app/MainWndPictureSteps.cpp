// The move pad and the adjustment panel: the record pushed before each opens, and the steps and values
// they send back while open.
#include "app/EffectsDialogs.h"
#include "app/MainWnd.h"
#include "app/VellumcraftApp.h"
#include "page/DrawImage.h"
#include "page/EffOb.h"
#include "page/ShiftZoomOb.h"
#include "platform/base/AppServices.h"
#include "platform/base/MessageBeep.h"

namespace {

constexpr UINT kToolbarEffectFirstId = 2090;

// The pad's step sizes: the program's settings, 1 each (their default) without the program.
struct PadSteps {
    int zoom = 1;
    int shift = 1;
    int rotate = 1;
};

PadSteps ReadPadSteps() {
    const CVellumcraftApp* app = GetVellumcraftApp();
    return app ? PadSteps{app->GetZoomStep(), app->GetShiftStep(), app->GetRotateStep()} : PadSteps{};
}

} // namespace

void CMainWnd::OnMove() {
    IEffectsDialogs* dialogs = GetEffectsDialogs();
    if (!dialogs)
        return;
    const PictureTarget target = GetCurrentTarget();
    if (!target.picture)
        return;
    const CAdjustImage& picture = *target.picture;
    AddUndo(new CShiftZoomOb(picture.shiftX, picture.shiftY, picture.rotation, picture.zoom, target.index));
    CRect canvas;
    if (m_previewWnd && m_previewWnd->GetSafeHwnd())
        m_previewWnd->GetWindowRect(&canvas);
    const PadSteps steps = ReadPadSteps();
    dialogs->RunMoveDlg(steps.zoom, steps.shift, steps.rotate, this, canvas, &m_editingOwner);
}

void CMainWnd::StepPicture(int shiftX, int shiftY, int zoom, int rotation) {
    const PictureTarget target = GetStepTarget(true);
    if (!target.picture)
        return;
    CAdjustImage& picture = *target.picture;
    const int newZoom = picture.zoom + zoom;
    if (newZoom < ADJUST::kMinZoom || newZoom > ADJUST::kMaxZoom) {
        MessageBeep(0xFFFFFFFF);
        RedrawTarget(target);
        return;
    }
    picture.zoom = newZoom;
    picture.shiftX += shiftX;
    picture.shiftY += shiftY;
    if (rotation != 0)
        picture.SetRotation(picture.rotation + rotation);
    RedrawTarget(target);
    SetModified(TRUE);
}

void CMainWnd::DecreasePictureOffsetX() {
    StepPicture(-ReadPadSteps().shift, 0, 0, 0);
}

void CMainWnd::IncreasePictureOffsetX() {
    StepPicture(ReadPadSteps().shift, 0, 0, 0);
}

void CMainWnd::DecreasePictureOffsetY() {
    StepPicture(0, -ReadPadSteps().shift, 0, 0);
}

void CMainWnd::IncreasePictureOffsetY() {
    StepPicture(0, ReadPadSteps().shift, 0, 0);
}

void CMainWnd::IncreasePictureZoom() {
    StepPicture(0, 0, ReadPadSteps().zoom, 0);
}

void CMainWnd::DecreasePictureZoom() {
    StepPicture(0, 0, -ReadPadSteps().zoom, 0);
}

void CMainWnd::IncreasePictureRotation() {
    StepPicture(0, 0, 0, ReadPadSteps().rotate);
}

void CMainWnd::DecreasePictureRotation() {
    StepPicture(0, 0, 0, -ReadPadSteps().rotate);
}

void CMainWnd::OnToolbarEffectCommand(UINT id) {
    OnToolbarEffect(static_cast<int>(id - kToolbarEffectFirstId));
}

void CMainWnd::OnToolbarEffect(int adjustment) {
    m_currentAdjustment = adjustment;
    IEffectsDialogs* dialogs = GetEffectsDialogs();
    if (!dialogs)
        return;
    const PictureTarget target = GetCurrentTarget();
    if (!target.picture)
        return;
    const int percent = target.picture->GetAdjustPercent(adjustment);
    CAdjustImage* opening = target.picture->Clone();
    AddUndo(new CEffOb(opening, target.index));
    if (dialogs->RunToolbarEffectsDlg(percent, this, &m_editingOwner) != IDCANCEL)
        return;
    // The panel's percent cannot hit every stored value again: cancel puts the opening settings back.
    target.picture->CopyFrom(opening);
    target.picture->Rebuild(true);
    RedrawPreview();
}

void CMainWnd::SetAdjustmentValue(int value) {
    const PictureTarget target = GetStepTarget(false);
    if (!target.picture || m_currentAdjustment < 0)
        return;
    target.picture->SetAdjustPercent(m_currentAdjustment, value);
    target.picture->Rebuild(true);
    RedrawPreview();
    SetModified(TRUE);
}
