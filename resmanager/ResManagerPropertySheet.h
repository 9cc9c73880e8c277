#pragma once
// CResManagerPropertySheet: the modal sheet that holds the resource manager's page, and the runner that
// command 2101 of the main window reaches through the installed interface.

#include "app/ResourceManagerSheet.h"
#include "platform/ui/PropertySheet.h"
#include "resmanager/ResTypeManagerPropertyPage.h"

class CResManagerPropertySheet : public CPropertySheet {
public:
    explicit CResManagerPropertySheet(CWnd* parent = nullptr);

    CResTypeManagerPropertyPage& GetPage() { return m_page; }

private:
    CResTypeManagerPropertyPage m_page;
    CString m_strTitle;
};

// Runs the sheet without a parent, without Apply and Help buttons.
class CResManagerSheetRunner final : public IResourceManagerSheet {
public:
    INT_PTR RunResourceManager() override;
};
