#pragma once
// CCmdUI: one command's state as a tool bar button (or another user-interface item) shows it. A frame
// asks its active view and then itself for the state (ON_UPDATE_COMMAND_UI); a command that nobody
// handles is disabled.

#include "platform/ui/UiTypes.h"

class CWnd;

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;
    CCmdUI(const CCmdUI&) = delete;
    CCmdUI& operator=(const CCmdUI&) = delete;

    virtual void Enable(BOOL on = TRUE);
    // 0 clear, 1 checked.
    virtual void SetCheck(int check = 1);

    // Asks target for the state: its update handler, else enabled when it handles the command, else
    // disabled when disableIfNoHandler is set. Returns whether target answered.
    BOOL DoUpdate(CWnd* target, BOOL disableIfNoHandler);

    UINT m_nID = 0;
    // The item's index in its bar.
    UINT m_nIndex = 0;
    // The bar that shows the item; null for none.
    CWnd* m_pOther = nullptr;
    // Set when a handler called Enable.
    BOOL m_bEnableChanged = FALSE;
};
