#pragma once
// CButton: push buttons, check boxes, radio buttons, group boxes and owner-drawn buttons. An owner-drawn
// button (BS_OWNERDRAW) sends WM_DRAWITEM to its parent whenever it must be drawn; the parent reflects
// it to the button's DrawItem.

#include "platform/ui/Wnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    using CWnd::Create;
    BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // BST_ bits: check state, BST_PUSHED while shown pushed, BST_FOCUS with the focus.
    UINT GetState() const;
    // Shows the button pushed (TRUE) or released.
    void SetState(BOOL highlight);
    int GetCheck() const;
    void SetCheck(int check);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);

    // Draws an owner-drawn button: drawItem->hDC is clipped to what needs drawing, rcItem is the client
    // rectangle, itemState holds ODS_SELECTED (pushed), ODS_FOCUS and ODS_DISABLED.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
