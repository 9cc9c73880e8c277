#pragma once
// Dialog data exchange: DoDataExchange moves values between a dialog's members and its controls, into
// the controls when the dialog opens and out of them (checked) when it is accepted. A value that does not
// check out shows a message, puts the focus on its control and ends the exchange with failure.

#include "platform/base/String.h"
#include "platform/ui/UiTypes.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CWnd* m_pDlgWnd;

    // The control of that id; a missing one fails the exchange.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id) { return PrepareCtrl(id); }
    // Ends the exchange with failure, the focus on the last prepared control. UpdateData catches what it
    // throws.
    struct Failure {};
    [[noreturn]] void Fail();
    HWND LastControl() const { return m_lastControl; }

private:
    HWND m_lastControl = nullptr;
};

void DDX_Text(CDataExchange* exchange, int id, CString& value);
void DDX_Text(CDataExchange* exchange, int id, int& value);
void DDX_Text(CDataExchange* exchange, int id, UINT& value);
void DDX_Text(CDataExchange* exchange, int id, long& value);
// A check box: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
void DDX_Check(CDataExchange* exchange, int id, int& value);
// The radio group that starts at id (WS_GROUP): the index of its checked button, -1 for none.
void DDX_Radio(CDataExchange* exchange, int id, int& value);
// After the DDX of an edit or combo box: on saving, a text longer than maxBytes is refused with a message;
// on loading, the control takes no more than maxBytes.
void DDV_MaxChars(CDataExchange* exchange, const CString& value, int maxBytes);
// After the DDX of a number: on saving, a value outside low to high is refused with a message.
void DDV_MinMaxUInt(CDataExchange* exchange, UINT value, UINT low, UINT high);
// After the DDX of a number: on saving, a value outside minimum to maximum is refused with a message.
void DDV_MinMaxInt(CDataExchange* exchange, int value, int minimum, int maximum);
// Subclasses the control into the object the first time.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
