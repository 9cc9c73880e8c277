#pragma once
// CPrintMsgDlg: the note shown before printing (template 474) until the user ticks its check box, which
// turns it off ("Settings"/"PrintMsg").

#include "platform/ui/Dialog.h"

class CPrintMsgDlg : public CDialog {
public:
    explicit CPrintMsgDlg(CWnd* parent = nullptr);

    // Whether printing shows the note: "Settings"/"PrintMsg" is 0 or absent.
    static bool IsWanted();

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    // A ticked box writes "PrintMsg" 1, its third state 0, an empty one nothing.
    void OnOK() override;

private:
    int m_hideNote = 0; // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
};
