#pragma once
// The editing library's dialogs behind the main window's interface; the program installs one at
// start-up.

#include "app/EffectsDialogs.h"

class CEffectsDialogs : public IEffectsDialogs {
public:
    INT_PTR RunEffectsDialog(CAdjustImage* picture, CWnd* parent, IEffectsDialogOwner* owner,
                             EffectsDialogResult* result, CAdjustImage* settings) override;
    INT_PTR RunMoveDlg(int zoomStep, int shiftStep, int rotateStep, CWnd* parent, const RECT& canvas,
                       IMovePadOwner* owner) override;
    INT_PTR RunToolbarEffectsDlg(int percent, CWnd* parent, IToolPanelOwner* owner) override;
    INT_PTR RunSetColorDlg(COLORREF& first, COLORREF& second, CWnd* parent) override;
    INT_PTR RunSavePictureDialog(const SavePictureRequest& request, CWnd* parent,
                                 SavePictureChoice& choice) override;
};
