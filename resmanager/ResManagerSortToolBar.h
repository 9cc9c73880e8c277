#pragma once
// CResManagerSortToolBar: the tool bar of the order commands with the sort box over its second
// separator. The box holds the sort choices of the kind or album shown, each with its id as item data.

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ToolBar.h"
#include "resmanager/ResManagerPanes.h"

inline constexpr UINT kSortBoxId = 0xF26B;

class CResManagerSortToolBar : public CToolBar, public ISortChoiceBox {
public:
    // Loads tool bar 720, sets its nine buttons and makes the sort box; FALSE when any of it fails.
    BOOL CreateSortBar(CWnd* parent, DWORD style, UINT id);

    LRESULT FillSortChoices(const CObject* item) override;
    int GetSortChoice() const override;

    CComboBox& GetSortBox() { return m_sortBox; }

protected:
    void OnDestroy() override;

private:
    CFont m_font;
    CComboBox m_sortBox;
};
