#pragma once
// CInternetDlg: the small skinned panel of command 2100. Its keys publish the page as a web page or send
// it by e-mail: each ends the panel first, then the main window does the work. Dragged by its background.

#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ToolTipCtrl.h"
#include "skin/MyBitmapButton.h"
#include "skin/SkinBackground.h"

class CInternetDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = 7110;
    static constexpr int kWidth = 172;
    static constexpr int kHeight = 57;
    static constexpr int kPublishId = 150;
    static constexpr int kEmailId = 151;

    // anchor: the screen point (not owned) at the right and top edges of the control that opened it;
    // the panel lies 2 pixels to its right, level with it.
    CInternetDlg(const POINT* anchor, CWnd* parent);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // FALSE when the resource module lacks "INTERNET_WINDOW".
    bool LoadBackground();
    // The focus holder, then close, publish and e-mail; FALSE at the first key that cannot be made.
    bool CreateButtons();
    void OnPublishWeb();
    void OnEmail();

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    LRESULT OnNcHitTest(CPoint point) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;

private:
    void AddToolTips();

    CToolTipCtrl m_toolTip;
    CMyBitmapButton m_closeButton;
    CMyBitmapButton m_publishButton;
    CMyBitmapButton m_emailButton;
    CButton m_focusHolder;
    CSkinBackground m_background;
    const POINT* m_anchor;
};
