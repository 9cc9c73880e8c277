#pragma once
// CPageMapDialog (template 685): the page mappings of one printer driver. A row's paper cell picks
// another of the printer's papers; the delete button removes the selected rows' mappings. Changes go
// straight into the application's mapping list.

#include "platform/base/String.h"
#include "platform/print/Spooler.h"
#include "platform/ui/Dialog.h"
#include "skin/CBListCtrl.h"

#include <memory>

class CPageMapDialog : public CDialog {
public:
    explicit CPageMapDialog(CWnd* parent);

    // The printer whose driver's mappings are shown (not owned); set before DoModal.
    void SetSelection(PRINTER_INFO_2* printer) { m_pPrinter = printer; }
    // The opener names its drop-down columns here before DoModal.
    CCBListCtrl& GetMappingList() { return m_mappingList; }

    static constexpr UINT kTemplateId = 685;
    static constexpr int kMappingListId = 1346;
    static constexpr int kPrinterNameId = 1348;
    static constexpr int kDeleteId = 1035;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The printer's paper names as drop-down choices; FALSE when they cannot be read.
    BOOL FillChoices();
    void ListMappings();
    void DeleteSelected();

    CCBListCtrl m_mappingList;
    CString m_strPrinterName;
    PRINTER_INFO_2* m_pPrinter = nullptr;
};
