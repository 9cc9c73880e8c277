#pragma once
// CCBListCtrl: a report list whose chosen columns are edited by picking from a drop-down list over the
// clicked cell (CInPlaceList). The owner fills the choices, their values and the editable columns; each
// row's item data is the address of a DWORD that receives the chosen value (or null). The first click on
// an editable cell of a row selects the row; the next one opens the list (LVS_EDITLABELS only).

#include "platform/base/Arrays.h"
#include "platform/ui/ListCtrl.h"

class CComboBox;

class CCBListCtrl : public CListCtrl {
public:
    // The row at point and, in column, the column whose span holds it (both edges included); -1 when
    // none. Outside the report view the ordinary hit test, column 0.
    int HitTestEx(CPoint point, int* column) const;
    // Opens the choice list over the cell, with selection (-1: none) chosen; null when the row cannot be
    // shown, the column does not exist or is narrower than 10 pixels.
    CComboBox* ShowInPlaceList(int item, int column, const CStringArray& choices, const CDWordArray& values,
                               int selection);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    CStringArray m_choices;
    CDWordArray m_values;
    CDWordArray m_editableColumns;

protected:
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;

private:
    int GetColumnWidth(int column) const;
    int GetCountPerPage() const;
    // Whether the row shows at least partly, scrolling it into view when the list can.
    bool EnsureRowVisible(int item);
    bool IsEditableColumn(int column) const;
};
