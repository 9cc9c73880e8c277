#include "skin/MainComboBox.h"

#include "platform/ui/PaintDC.h"

CMainComboBox::CMainComboBox() : CSkinComboBox(17, nullptr) {}

void CMainComboBox::OnPaint() {
    CPaintDC dc(this);
    dc.FillSolidRect(CRect(0, -1, 193, 19), kFieldColor);
    DrawFaceText(&dc, CPoint(10, 3), false);
}

void CMainComboBox::OnLButtonUp(UINT flags, CPoint point) {
    RepaintInParent();
    CSkinComboBox::OnLButtonUp(flags, point);
}

void CMainComboBox::OnSetFocus(CWnd* oldWindow) {
    SendMessage(WM_SETREDRAW, FALSE);
    CSkinComboBox::OnSetFocus(oldWindow);
}

void CMainComboBox::OnKillFocus(CWnd* /*newWindow*/) {
    SendMessage(WM_SETREDRAW, TRUE);
}
