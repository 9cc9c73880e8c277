#pragma once
// CEffectsComboBox: the effects dialog's owner-drawn list of the twenty effects, skinned with
// "EFFECTS_COMBO": a pale face with the chosen name and the arrow at its right end.

#include "skin/SkinComboBox.h"

class CEffectsComboBox : public CSkinComboBox {
public:
    CEffectsComboBox();
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKillFocus(CWnd* newWindow) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
