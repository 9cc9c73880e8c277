#include "skin/CustomSpinButtonCtrl.h"

IMPLEMENT_DYNAMIC(CCustomSpinButtonCtrl, CSpinButtonCtrl)

void CCustomSpinButtonCtrl::OnLButtonUp(UINT flags, CPoint point) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(SPN_RELEASED, 0, 0);
    CSpinButtonCtrl::OnLButtonUp(flags, point);
}
