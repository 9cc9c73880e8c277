#include "skin/AlbumComboBox.h"

#include "platform/ui/PaintDC.h"

CAlbumComboBox::CAlbumComboBox() : CSkinComboBox(17, "EINSTELLUNGEN_COMBO") {}

void CAlbumComboBox::OnPaint() {
    CPaintDC dc(this);
    dc.FillSolidRect(CRect(0, -1, 165, 19), kPaleColor);
    DrawArrow(&dc, CPoint(-8, -8), CSize(32, 38), 0);
    DrawFaceText(&dc, CPoint(37, 3), true);
}

void CAlbumComboBox::OnLButtonUp(UINT /*flags*/, CPoint /*point*/) {
    RepaintInParent();
}

void CAlbumComboBox::OnSetFocus(CWnd* oldWindow) {
    SendMessage(WM_SETREDRAW, FALSE);
    CSkinComboBox::OnSetFocus(oldWindow);
}

void CAlbumComboBox::OnKillFocus(CWnd* /*newWindow*/) {}

BOOL CAlbumComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(static_cast<DWORD>(wParam)) == CBN_DROPDOWN)
        return TRUE;
    return CSkinComboBox::OnChildNotify(message, wParam, lParam, result);
}
