#pragma once
// CAlbumComboBox: the skinned album choice of the album dialog. It keeps its drop-down notification to
// itself; its selection changes reach the owner.

#include "skin/SkinComboBox.h"

class CAlbumComboBox : public CSkinComboBox {
public:
    CAlbumComboBox();
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;
};
