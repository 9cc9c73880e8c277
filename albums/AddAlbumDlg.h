#pragma once
// CAddAlbumDlg: the name of a new photo album; OK is refused while a photo album has that name in any
// letter case.

#include "platform/ui/Dialog.h"

class CAddAlbumDlg : public CDialog {
public:
    explicit CAddAlbumDlg(CWnd* parent);

    CString GetName() const { return m_strName; }

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CString m_strName;
};
