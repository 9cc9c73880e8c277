#include "skin/MyComboBox.h"

#include "platform/ui/PaintDC.h"
#include "skin/SkinListsOwner.h"

CMyComboBox::CMyComboBox() : CSkinComboBox(15, "EINSTELLUNGEN_COMBO") {}

void CMyComboBox::OnPaint() {
    CPaintDC dc(this);
    dc.FillSolidRect(CRect(32, -1, 197, 19), kPaleColor);
    DrawArrow(&dc, CPoint(0, 0), CSize(35, 22), 8);
    DrawFaceText(&dc, CPoint(37, 3), true);
}

void CMyComboBox::OnLButtonUp(UINT /*flags*/, CPoint /*point*/) {
    RepaintInParent();
}

void CMyComboBox::OnKillFocus(CWnd* /*newWindow*/) {}

BOOL CMyComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_COMMAND)
        return CSkinComboBox::OnChildNotify(message, wParam, lParam, result);
    switch (HIWORD(static_cast<DWORD>(wParam))) {
    case CBN_DROPDOWN:
        return TRUE;
    case CBN_SELCHANGE:
    case CBN_EDITCHANGE:
    case CBN_CLOSEUP:
        if (auto* owner = dynamic_cast<ISkinListsOwner*>(GetParent()))
            owner->RedrawLists();
        return TRUE;
    default:
        return FALSE;
    }
}
