#pragma once
// CSortAlbumDlg: one of five sort keys (the radio buttons 1019 to 1023: title, file type, file size,
// date, description) and the direction check box; the album dialog sorts with them after IDOK.

#include "platform/ui/Dialog.h"

class CSortAlbumDlg : public CDialog {
public:
    explicit CSortAlbumDlg(CWnd* parent);

    // After IDOK: the id of the checked radio button, and 1 when the direction box is checked, else 0.
    int GetSortKey() const { return m_nKey; }
    int GetDirection() const { return m_nDirection; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void OnKeyChosen(UINT id);

    int m_nDirection = 0;
    int m_nKey = 0;
};
