#pragma once
// The window classes of the controls and dialogs: each one's default processing and the object that
// stands in for its windows. Private to platform/ui.

#include "platform/ui/WindowClass.h"

struct DialogTemplate;

extern const WindowClass kButtonClass;
extern const WindowClass kStaticClass;
extern const WindowClass kEditClass;
extern const WindowClass kProgressClass;
extern const WindowClass kComboBoxClass;
extern const WindowClass kSliderClass;
extern const WindowClass kSpinButtonClass;
extern const WindowClass kListViewClass;
extern const WindowClass kTreeViewClass;
extern const WindowClass kScrollBarClass;
extern const WindowClass kHeaderClass;
extern const WindowClass kToolTipClass;
extern const WindowClass kDialogClass;

// A dialog window and its controls from a template, after WM_INITDIALOG; null when a style name or a
// control class is unknown or a window refuses to be made.
HWND CreateDialogWindow(const DialogTemplate& dialogTemplate, HWND owner, CWnd* object, bool modal);
// Shows a modal dialog and runs its loop until EndDialog or its destruction; the result, or -1.
INT_PTR RunModalDialog(HWND dialog);
// A modal run of a dialog from a template for object, its parent's top-level window disabled meanwhile;
// the window is gone afterwards. The result, or -1 when the dialog could not be made.
INT_PTR RunModalFromTemplate(const DialogTemplate& dialogTemplate, CWnd* parent, CWnd* object);
