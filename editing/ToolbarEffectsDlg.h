#pragma once
// CToolbarEffectsDlg: the adjustment panel, a value bar from 0 to 100 for one adjustment of the current
// picture. Every change goes to the main window at once; cancel puts the opening value back.

#include "app/EffectsDialogs.h"
#include "editing/SkinnedPanel.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ToolTipCtrl.h"
#include "skin/MyBitmapButton.h"
#include "skin/TickBitmapButton.h"
#include "skin/TransparentStatic.h"

#include <memory>

class CToolbarEffectsDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = 417;
    static constexpr int kWidth = 252;
    static constexpr int kHeight = 76;
    // The value bar, in client pixels.
    static constexpr RECT kValueBar = {27, 16, 212, 32};

    // value: the adjustment's percent at opening; owner: applies each new value.
    CToolbarEffectsDlg(int value, CWnd* parent, IToolPanelOwner* owner);
    ~CToolbarEffectsDlg() override;

    int GetValue() const { return m_value; }

    // The value a point of the bar stands for, and where the bar's marker stands for a value.
    static int ValueAtX(int x);
    static int MarkerX(int value);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnCancel() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    LRESULT OnNcHitTest(CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;
    void OnDestroy() override;

private:
    bool BuildSkin();
    bool CreateLabel();
    void AddToolTip();
    // Shows the value on the label and the bar and applies it.
    void ShowValue();

    CToolTipCtrl m_toolTip;
    CMyBitmapButton m_closeButton;
    CMyBitmapButton m_okButton;
    CTickBitmapButton m_plusButton;
    CTickBitmapButton m_minusButton;
    CSkinBackground m_background;
    int m_value;
    int m_initialValue;
    std::unique_ptr<CTransparentStatic> m_label;
    IToolPanelOwner* m_owner;
};
