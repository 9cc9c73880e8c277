#pragma once
// CToolBar: a row of command buttons drawn from one bitmap strip of the resource module. A tool bar
// template (RT_TOOLBAR, its own ids) names the strip, the size of one image and the buttons' command ids
// (0: a separator). A click sends WM_COMMAND with the button's id to the frame, which routes it. With
// CBRS_TOOLTIPS each button's tip is the text after "\n" in the string of its command id (the text
// module is the resource handle while the tips are made). A separator can be widened to hold a control
// (a combo box) that the owner creates over its item rectangle.

#include "platform/ui/ControlBar.h"

#include <memory>
#include <vector>

class CComboBox;
class CFont;
class CImageList;
class CToolTipCtrl;

inline constexpr DWORD TBSTYLE_FLAT = 0x0800;

// Button styles and states.
inline constexpr UINT TBBS_BUTTON = 0x0000;
inline constexpr UINT TBBS_SEPARATOR = 0x0001;
inline constexpr UINT TBBS_CHECKED = 0x0100;
inline constexpr UINT TBBS_PRESSED = 0x0200;
inline constexpr UINT TBBS_DISABLED = 0x0400;

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    using CWnd::CreateEx;
    // style: WS_ and CBRS_ styles (CBRS_TOOLTIPS makes the tips, CBRS_GRIPPER draws a grip); borders are
    // extra room around the buttons. Buttons are always drawn flat, whatever ctrlStyle says.
    BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT,
                  DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect borders = CRect(0, 0, 0, 0),
                  UINT id = AFX_IDW_TOOLBAR);
    // The template of that id from the resource handle: its strip, image size and buttons; FALSE when it
    // is missing or its strip is.
    BOOL LoadToolBar(UINT resourceId);
    // Replaces the buttons: button i shows image i of the strip, counting buttons only; ID_SEPARATOR
    // makes a separator.
    BOOL SetButtons(const UINT* ids, int count);
    // image: the strip's image of a button, the width in pixels of a separator.
    void SetButtonInfo(int index, UINT id, UINT style, int image);
    void GetButtonInfo(int index, UINT& id, UINT& style, int& image) const;
    UINT GetButtonStyle(int index) const;
    void SetButtonStyle(int index, UINT style);
    // In the bar's client coordinates.
    void GetItemRect(int index, LPRECT rect) const;
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT id) const;
    int GetCount() const;
    // The tips of the buttons, with each button's index as tool id; null without CBRS_TOOLTIPS.
    CToolTipCtrl* GetToolTips() const;

    int CalcHeight() const override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
    BOOL PreTranslateMessage(MSG* message) override;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;
    void OnDestroy() override;

private:
    struct Button {
        UINT id = 0;
        UINT style = TBBS_BUTTON;
        int image = 0; // the separator's width for separators
    };
    int HitButton(CPoint point) const;
    void UpdateTips();

    std::vector<Button> m_buttons;
    std::unique_ptr<CImageList> m_images;
    std::unique_ptr<CToolTipCtrl> m_tips;
    // The command ids the tips' tools were added under.
    std::vector<UINT> m_tipTools;
    CSize m_imageSize{16, 15};
    CRect m_borders;
    int m_pressed = -1;
    bool m_pressedInside = false;
};

// Gives a combo box on a tool bar the bars' small font: "MS Sans Serif" at 12 pixels, or the stock GUI
// font where double-byte characters are enabled. The font is made into font, which must outlive the box.
void SetToolBarComboFont(CComboBox& box, CFont& font);
