#pragma once
// CDialog: windows built from a dialog template of the resource module (the current resource handle),
// modal (DoModal) or modeless (Create). Enter presses the default button, Esc cancels, Tab moves through
// the controls with WS_TABSTOP. IDOK runs OnOK (data exchange, then EndDialog(IDOK)), IDCANCEL OnCancel.

#include "platform/ui/DataExchange.h"
#include "platform/ui/Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDHelp(templateId), m_pParentWnd(parent) {}

    // Runs the dialog over its parent's top-level window (disabled meanwhile) until EndDialog, and returns
    // the result; -1 when the template is missing or malformed or the window could not be made.
    virtual INT_PTR DoModal();
    using CWnd::Create;
    // Creates the dialog without a loop of its own; it shows at once when its template has WS_VISIBLE.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Ends a modal dialog's loop with result; a modeless dialog is only hidden.
    void EndDialog(int result);
    // TRUE: controls to members, checked; FALSE: members to controls. FALSE when a value did not check out.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void SetDefID(UINT id);
    // The default button's id in the low word, DC_HASDEFID in the high word.
    DWORD GetDefID() const;
    // Template rectangles are pixels already.
    void MapDialogRect(LPRECT) const {}

    // Exchanges data into the controls; TRUE gives the first control with WS_TABSTOP the focus.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    virtual void DoDataExchange(CDataExchange* exchange);

    UINT m_nIDHelp = 0; // the template id
    CWnd* m_pParentWnd = nullptr;
};

inline constexpr UINT DM_GETDEFID = WM_USER + 0;
inline constexpr UINT DM_SETDEFID = WM_USER + 1;
inline constexpr WORD DC_HASDEFID = 0x534B;

BOOL EndDialog(HWND dialog, INT_PTR result);
// Handles the dialog keys of a message for dialog; TRUE when it did.
BOOL IsDialogMessage(HWND dialog, LPMSG message);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
