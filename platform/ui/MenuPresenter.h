#pragma once
// Showing a popup menu. The program installs a presenter that shows a QMenu (CQtMenuPresenter); tests
// install one that records the items and picks or cancels as scripted. Without one, a menu is cancelled,
// so that nothing waits for a user who is not there.

#include "platform/ui/UiTypes.h"

class CMenu;

class IMenuPresenter {
public:
    virtual ~IMenuPresenter() = default;
    // Shows menu over owner at a screen point until the user chooses a command (its id) or cancels (0).
    virtual UINT Track(HWND owner, CMenu& menu, POINT point) = 0;
};

// Installs the presenter (null goes back to the built-in one); the caller keeps ownership.
void SetMenuPresenter(IMenuPresenter* presenter);
IMenuPresenter& GetMenuPresenter();
