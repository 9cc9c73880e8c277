#pragma once
// CInPlaceList: the drop-down choice list that a CCBListCtrl opens over a cell. When it loses the focus
// with an entry chosen it sends LVN_ENDLABELEDIT for the cell to the list control's parent (no text when
// Escape cancelled it), then closes. The object deletes itself when its window is gone.

#include "platform/base/Arrays.h"
#include "platform/ui/ComboBox.h"

class CInPlaceList : public CComboBox {
public:
    // The control id of every choice list.
    static constexpr UINT kControlId = 1000;

    // selection: the entry chosen at first, -1 for none.
    CInPlaceList(int item, int column, const CStringArray& choices, const CDWordArray& values, int selection);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    BOOL PreTranslateMessage(MSG* message) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnKillFocus(CWnd* newWindow) override;
    void PostNcDestroy() override;

private:
    void SendEndEdit();

    int m_item;
    int m_column;
    CStringArray m_choices;
    CDWordArray m_values;
    int m_selection;
    BOOL m_cancelled = FALSE;
};
