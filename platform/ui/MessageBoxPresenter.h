#pragma once
// Message boxes. The program installs a presenter that shows them (CQtMessageBoxPresenter); tests
// install one that records them and answers as scripted. Without one, a box is written to the standard
// error stream and answers its default button, so that nothing waits for a user who is not there.

#include "platform/base/String.h"
#include "platform/ui/UiTypes.h"

class IMessageBoxPresenter {
public:
    virtual ~IMessageBoxPresenter() = default;
    // Shows the box over owner (null: no owner) and returns the id of the button pressed (IDOK ...).
    // style holds the MB_ button set, icon and default button.
    virtual int Show(HWND owner, const CString& text, const CString& caption, UINT style) = 0;
};

// Installs the presenter (null goes back to the built-in one); the caller keeps ownership.
void SetMessageBoxPresenter(IMessageBoxPresenter* presenter);
IMessageBoxPresenter& GetMessageBoxPresenter();

// A message box over the window; a null caption shows the application's name.
int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type);
// A message box over the active window, captioned with the application's name.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
// The text of a string id of the text module.
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = 0);
