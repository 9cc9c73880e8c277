#pragma once
// CFontPropertiesDlg: the font dialog of a page's text object (template 418). Every change goes into the
// object at once, and the page canvas redraws it while "live" is ticked. Cancel puts back what the
// dialog changed. While the colour picker's custom-colour dialog is open, OK does nothing.

#include "page/DrawText.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "skin/ColorPicker.h"
#include "skin/CustomColorDialogOwner.h"

class CPreviewWnd;

class CFontPropertiesDlg : public CDialog, public ICustomColorDialogOwner {
public:
    // The sizes the size list offers, in points.
    static constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72, 144, 288};
    // A size has at most three digits.
    static constexpr int kSizeChars = 3;

    // parent redraws the object; null redraws nothing.
    CFontPropertiesDlg(CDrawText& text, CPreviewWnd* parent);

    void SetCustomColorDialogOpen(BOOL open) override { m_bCustomColorOpen = open ? 1 : 0; }

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void FillFaces();
    void FillSizes();
    void CheckAlignment(int alignment);

    void OnTextChange();
    void OnAlignment(UINT id);
    void OnBold();
    void OnItalic();
    void OnUnderline();
    void OnFaceChange();
    void OnSizeChange();
    void OnSizeEdit();
    void OnColorChosen();
    void OnLive();

    void SetHeightFromText(const CString& size);
    void SetFont(const LOGFONT& font);
    void Changed();

    CColorPicker m_colorPicker;
    CComboBox m_sizeList;
    CComboBox m_faceList;
    CString m_strText;
    CString m_strSize;
    int m_bBold = 0;
    int m_bItalic = 0;
    int m_bUnderline = 0;
    int m_bLive = 1;
    BYTE m_bCustomColorOpen = 0;

    CDrawText& m_text;
    CPreviewWnd* m_pPreview;
    // What Cancel puts back.
    CString m_openingText;
    LOGFONT m_openingFont;
    COLORREF m_openingColor;
    int m_openingAlignment;
};
