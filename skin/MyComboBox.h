#pragma once
// CMyComboBox: the skinned combo box of the settings dialog. It keeps its drop-down, selection-change,
// edit-change and close-up notifications to itself; the last three make the dialog repaint its lists.

#include "skin/SkinComboBox.h"

class CMyComboBox : public CSkinComboBox {
public:
    CMyComboBox();
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKillFocus(CWnd* newWindow) override;
};
