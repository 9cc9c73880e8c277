// Runs the image editing dialogs for the main window and hands their results back.

#include "editing/EffectsDialogs.h"

#include "editing/EffectsDlg.h"
#include "editing/MoveDlg.h"
#include "editing/SetColorDlg.h"
#include "editing/ToolbarEffectsDlg.h"
#include "image/AdjustImage.h"

INT_PTR CEffectsDialogs::RunEffectsDialog(CAdjustImage* picture, CWnd* parent, IEffectsDialogOwner* owner,
                                          EffectsDialogResult* result, CAdjustImage* settings) {
    CEffectsDlg dialog(picture, parent, owner);
    const INT_PTR answer = dialog.DoModal();
    if (answer != IDOK)
        return answer == -1 ? IDCANCEL : answer;
    if (result) {
        result->applied = dialog.IsApplied();
        result->colourMode = dialog.GetColorMode();
        result->mirror = dialog.GetMirror();
        result->rotation = dialog.GetRotation();
        result->firstColour = dialog.GetColor1();
        result->secondColour = dialog.GetColor2();
        result->cropOn = dialog.GetCropEnabled();
        result->cropLeft = dialog.GetCropValueA();
        result->cropRight = dialog.GetCropValueB();
        result->cropTop = dialog.GetCropValueC();
        result->cropBottom = dialog.GetCropValueD();
    }
    if (settings && dialog.GetWorkSettings())
        settings->CopyFrom(dialog.GetWorkSettings());
    return answer;
}

INT_PTR CEffectsDialogs::RunMoveDlg(int zoomStep, int shiftStep, int rotateStep, CWnd* parent,
                                    const RECT& canvas, IMovePadOwner* owner) {
    CMoveDlg pad(zoomStep, shiftStep, rotateStep, parent, canvas, owner);
    const INT_PTR answer = pad.DoModal();
    return answer == -1 ? IDCANCEL : answer;
}

INT_PTR CEffectsDialogs::RunToolbarEffectsDlg(int percent, CWnd* parent, IToolPanelOwner* owner) {
    CToolbarEffectsDlg panel(percent, parent, owner);
    const INT_PTR answer = panel.DoModal();
    return answer == -1 ? IDCANCEL : answer;
}

INT_PTR CEffectsDialogs::RunSetColorDlg(COLORREF& first, COLORREF& second, CWnd* parent) {
    CSetColorDlg dialog(first, second, parent);
    const INT_PTR answer = dialog.DoModal();
    if (answer != IDOK)
        return answer == -1 ? IDCANCEL : answer;
    first = dialog.GetFirstColor();
    second = dialog.GetSecondColor();
    return answer;
}
