#pragma once
// CColorDialog: the common colour dialog. DoModal shows the installed chooser (ColorDialogPresenter.h)
// with m_cc and answers IDOK with the colour in m_cc.rgbResult, or IDCANCEL. Unless the caller points
// m_cc.lpCustColors elsewhere, the custom colours are the process's one set, kept between dialogs.

#include "platform/ui/ColorDialogPresenter.h"

class CWnd;

class CColorDialog {
public:
    // An initial colour other than 0 adds CC_RGBINIT.
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    virtual ~CColorDialog() = default;

    virtual int DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The process's custom colours.
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLOR m_cc;
};
