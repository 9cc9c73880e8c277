#pragma once
// CCustomSpinButtonCtrl: a spin button that tells its parent (SPN_RELEASED) when the user lets go of it.

#include "platform/ui/SpinButtonCtrl.h"

// Sent to the parent with wParam 0 and lParam 0.
inline constexpr UINT SPN_RELEASED = 6024;

class CCustomSpinButtonCtrl : public CSpinButtonCtrl {
    DECLARE_DYNAMIC(CCustomSpinButtonCtrl)
protected:
    void OnLButtonUp(UINT flags, CPoint point) override;
};
