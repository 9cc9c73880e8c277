#pragma once
// CChoosePageDialog (template 684): asks which of a printer's papers a page template prints on, when
// none carries the template's name. It ends only through OK with a paper chosen.

#include "platform/base/String.h"
#include "platform/print/DevMode.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

#include <memory>

class CChoosePageDialog : public CDialog {
public:
    CChoosePageDialog(CString templateName, CWnd* parent);

    // The printer to ask; devMode (not owned, may be null: then the printer's own) stays the caller's.
    void SetPrinter(LPCTSTR device, LPCTSTR driver, LPCTSTR port, DEVMODE* devMode);
    // The chosen paper's position in the printer's paper lists; -1 when none.
    int GetSelection() const { return m_nSelection; }
    const CString& GetPaperName() const { return m_strPaperName; }

    static constexpr UINT kTemplateId = 684;
    static constexpr int kPaperListId = 1034;
    static constexpr int kMessageId = 1345;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Cancel and Escape leave the choice open.
    void OnCancel() override {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // Takes the entry's paper index and name as the choice.
    void Choose(int item);

    CComboBox m_paperList;
    CString m_strMessage;
    CString m_strTemplateName;
    CString m_strDevice, m_strDriver, m_strPort;
    DEVMODE* m_pDevMode = nullptr;
    std::unique_ptr<BYTE[]> m_fetchedDevMode;
    int m_nSelection = -1;
    CString m_strPaperName;
};
