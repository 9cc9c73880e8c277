// Runs the image editing dialogs for the main window and hands their results back.

#include "editing/EffectsDialogs.h"

#include "editing/EffectsDlg.h"
#include "editing/MoveDlg.h"
#include "editing/SetColorDlg.h"
#include "editing/ToolbarEffectsDlg.h"
#include "editing/PreviewSaveFileDlg.h"
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

INT_PTR CEffectsDialogs::RunSavePictureDialog(const SavePictureRequest& request, CWnd* parent,
                                              SavePictureChoice& choice) {
    CPreviewSaveFileDlg dialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, request.filter,
                               parent);
    dialog.m_ofn.lpstrInitialDir = request.folder.GetString();
    dialog.SetWidth(request.width);
    dialog.SetHeight(request.height);
    dialog.SetAspectRatio(request.height > 0 ? static_cast<double>(request.width) / request.height : 1.0);
    dialog.SetColorsUsed(request.colorsUsed);
    if (dialog.DoModal() != IDOK)
        return IDCANCEL;
    choice.path = dialog.GetPathName();
    choice.bitsPerPixel = dialog.GetColorDepth();
    choice.preset = dialog.GetPreset();
    choice.resampleMode = dialog.GetResampleMode();
    dialog.GetResultSize(choice.size, request.width, request.height);
    return IDOK;
}
