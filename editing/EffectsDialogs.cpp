// Runs the effects dialog for the main window and hands its results back.

#include "editing/EffectsDialogs.h"

#include "editing/EffectsDlg.h"
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

// The pad, the panel and the two-colour chooser are not built yet: each answers Cancel.
INT_PTR CEffectsDialogs::RunMoveDlg(int, int, int, CWnd*, const RECT&, IMovePadOwner*) {
    return IDCANCEL;
}

INT_PTR CEffectsDialogs::RunToolbarEffectsDlg(int, CWnd*, IToolPanelOwner*) {
    return IDCANCEL;
}

INT_PTR CEffectsDialogs::RunSetColorDlg(COLORREF&, COLORREF&, CWnd*) {
    return IDCANCEL;
}
