#pragma once
// CMainComboBox: the skinned choices of the category panel: a pale field with the selected text, no
// arrow. Every notification reaches the owner.

#include "skin/SkinComboBox.h"

class CMainComboBox : public CSkinComboBox {
public:
    // The closed face's field, a shade apart from the drop-down's pale colour.
    static constexpr COLORREF kFieldColor = RGB(239, 240, 211);

    CMainComboBox();

protected:
    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;
};
