#pragma once
// What the effects dialog, the move pad and the adjustment panel ask of the main window, answered by it.

#include "app/EffectsDialogs.h"

class CMainWnd;

class CMainWndEditingOwner final : public IEffectsDialogOwner, public IMovePadOwner, public IToolPanelOwner {
public:
    explicit CMainWndEditingOwner(CMainWnd& window) : m_window(window) {}

    CAdjustImage* GetEffectsTarget() override;
    void RedrawPreview() override;
    void UpdateTwoColorsButton() override;
    void PlayButtonSound(LPCTSTR fileName) override;
    BOOL ChooseTwoColors(CWnd* parent, COLORREF& first, COLORREF& second) override;

    void DecreasePictureOffsetX() override;
    void IncreasePictureOffsetX() override;
    void DecreasePictureOffsetY() override;
    void IncreasePictureOffsetY() override;
    void IncreasePictureZoom() override;
    void DecreasePictureZoom() override;
    void IncreasePictureRotation() override;
    void DecreasePictureRotation() override;
    void OnUndo() override;

    void SetAdjustmentValue(int value) override;

private:
    CMainWnd& m_window;
};
