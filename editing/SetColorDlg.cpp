#include "editing/SetColorDlg.h"

#include "platform/ui/ColorDialog.h"
#include "platform/ui/DataExchange.h"

CSetColorDlg::CSetColorDlg(COLORREF first, COLORREF second, CWnd* parent)
    : CDialog(kTemplateId, parent), m_first(first), m_second(second) {}

void CSetColorDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kFirstSwatchId, m_firstSwatch);
    DDX_Control(exchange, kSecondSwatchId, m_secondSwatch);
}

BOOL CSetColorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_firstSwatch.SetColor(m_first);
    m_secondSwatch.SetColor(m_second);
    return TRUE;
}

BOOL CSetColorDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(static_cast<DWORD>(wParam));
    if (HIWORD(static_cast<DWORD>(wParam)) == BN_CLICKED) {
        if (id == kFirstSwatchId) {
            ChooseColor(m_firstSwatch, m_first);
            return TRUE;
        }
        if (id == kSecondSwatchId) {
            ChooseColor(m_secondSwatch, m_second);
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSetColorDlg::ChooseColor(CColorButton& swatch, COLORREF& colour) {
    CColorDialog dialog(swatch.GetColor(), 0, this);
    if (dialog.DoModal() != IDOK)
        return;
    swatch.SetColor(dialog.GetColor());
    colour = swatch.GetColor();
    swatch.Invalidate();
    swatch.UpdateWindow();
}
