#pragma once
// CSetColorDlg: chooses the two colours of two-colour mode on two swatches; a click on a swatch opens
// the colour dialog with its colour.

#include "platform/ui/Dialog.h"
#include "skin/ColorButton.h"

class CSetColorDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = 332;
    static constexpr int kFirstSwatchId = 1069;
    static constexpr int kSecondSwatchId = 1070;

    CSetColorDlg(COLORREF first, COLORREF second, CWnd* parent);

    // The choice after IDOK.
    COLORREF GetFirstColor() const { return m_first; }
    COLORREF GetSecondColor() const { return m_second; }

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;

private:
    // Lets the user choose the swatch's colour; a cancelled choice leaves it.
    void ChooseColor(CColorButton& swatch, COLORREF& colour);

    CColorButton m_firstSwatch;
    CColorButton m_secondSwatch;
    COLORREF m_first;
    COLORREF m_second;
};
