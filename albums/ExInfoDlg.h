#pragma once
// CExInfoDlg: the comments and tags stored inside a library entry's picture file, one row each with its
// name and value.

#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"

class CDSObj;

class CExInfoDlg : public CDialog {
public:
    // The entry stays the caller's.
    CExInfoDlg(CDSObj* item, CWnd* parent);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;

private:
    CDSObj* m_pItem;
    CListCtrl m_List;
};
