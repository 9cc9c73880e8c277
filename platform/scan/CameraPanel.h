#pragma once
// The camera panel: the pictures on the camera by name, several selectable; "Übernehmen" takes the
// selected ones and is only enabled while there are some.

#include "platform/scan/ScanSettings.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"

#include <vector>

class CCameraPanel : public CDialog {
public:
    // pictures: every picture on the camera as "folder/name".
    CCameraPanel(std::vector<CString> pictures, ScanSettings& settings, CWnd* parent);

    static constexpr UINT kListId = 7111;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DoDataExchange(CDataExchange* exchange) override;

private:
    void EnableTaking();

    std::vector<CString> m_pictures;
    ScanSettings& m_settings;
    CListCtrl m_list;
};
