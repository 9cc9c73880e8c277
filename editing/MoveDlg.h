#pragma once
// CMoveDlg: the move pad beside the page canvas. Its keys shift, zoom and turn the current picture
// through the main window; its three step fields set how far each key goes. Cancel takes back
// everything the pad did with the main window's undo.

#include "app/EffectsDialogs.h"
#include "editing/SkinnedPanel.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ToolTipCtrl.h"
#include "skin/EditZoom.h"
#include "skin/MyBitmapButton.h"
#include "skin/StepFieldOwner.h"
#include "skin/TickBitmapButton.h"

#include <array>

class CMoveDlg : public CDialog, public IStepFieldOwner {
public:
    static constexpr UINT kTemplateId = 416;
    static constexpr int kWidth = 142;
    static constexpr int kHeight = 186;
    // The step fields.
    static constexpr int kZoomStepId = 2096;
    static constexpr int kShiftStepId = 2097;
    static constexpr int kRotateStepId = 2098;

    // canvas: the page canvas on the screen; owner: the main window's steps and undo.
    CMoveDlg(int zoomStep, int shiftStep, int rotateStep, CWnd* parent, const RECT& canvas,
             IMovePadOwner* owner);

    // The pad's place: at the canvas's top right, 20 pixels over its right edge, 20 pixels taller
    // than the pad's own height.
    static CRect PlaceBeside(const RECT& canvas);

    // Stores the number a step field shows (atoi: no number is 0) as the application's step.
    void StoreEditValue(CEdit* field);
    void OnStepFieldDone(CEditZoom* field) override { StoreEditValue(field); }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnCancel() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    LRESULT OnNcHitTest(CPoint point) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;

private:
    struct StepField {
        int id;
        CRect rect;
        int value;
        UINT tip;
    };

    bool BuildSkin();
    bool CreateStepFields();
    void AddToolTips();
    bool IsStepField(const CWnd* window) const;

    std::array<CTickBitmapButton, 8> m_keys;
    CMyBitmapButton m_cancelButton;
    CMyBitmapButton m_okButton;
    CToolTipCtrl m_toolTip;
    std::array<CEditZoom, 3> m_fields;
    std::array<CFont, 3> m_fonts;
    std::array<StepField, 3> m_steps;
    CSkinBackground m_background;
    CRect m_canvas;
    IMovePadOwner* m_owner;
};
