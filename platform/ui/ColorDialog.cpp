#include "platform/ui/ColorDialog.h"

#include "platform/ui/Wnd.h"

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) {
    m_cc.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
    m_cc.rgbResult = initial;
    m_cc.Flags = flags | (initial != 0 ? CC_RGBINIT : 0);
    m_cc.lpCustColors = GetSavedCustomColors();
}

int CColorDialog::DoModal() {
    if (!IsWindow(m_cc.hwndOwner)) {
        CWnd* active = CWnd::GetActiveWindow();
        m_cc.hwndOwner = active ? active->GetSafeHwnd() : nullptr;
    }
    return GetColorDialogPresenter().Choose(m_cc) ? IDOK : IDCANCEL;
}

COLORREF* CColorDialog::GetSavedCustomColors() {
    // White until the user sets them, as a new chooser shows them.
    static COLORREF saved[kCustomColorCount] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                                0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                                0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    return saved;
}
