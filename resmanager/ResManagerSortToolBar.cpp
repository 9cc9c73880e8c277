// The sort bar: four order buttons, a 100-pixel separator that holds the sort box, the two sort buttons.

#include "resmanager/ResManagerSortToolBar.h"

#include "library/DSObjMgr.h"
#include "resmanager/ResManagerMessages.h"

#include <iterator>

namespace {

constexpr UINT kSortToolBarId = 720;
constexpr int kSortBoxWidth = 100;
constexpr int kSortBoxSeparator = 5;
// Room for the drop-down list below the box.
constexpr int kDropDownHeight = 500;

} // namespace

BOOL CResManagerSortToolBar::CreateSortBar(CWnd* parent, DWORD style, UINT id) {
    if (!CreateEx(parent, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), id) || !LoadToolBar(kSortToolBarId))
        return FALSE;
    static constexpr UINT kButtons[] = {ID_RM_TOFRONT,       ID_RM_UP,     ID_RM_DOWN,   ID_RM_TOBACK,
                                        ID_SEPARATOR,        ID_SEPARATOR, ID_SEPARATOR, ID_RM_SORTASCENDING,
                                        ID_RM_SORTDESCENDING};
    if (!SetButtons(kButtons, static_cast<int>(std::size(kButtons))))
        return FALSE;
    SetButtonInfo(kSortBoxSeparator, kSortBoxId, TBBS_SEPARATOR, kSortBoxWidth);
    CRect box;
    GetItemRect(kSortBoxSeparator, &box);
    box.bottom = box.top + kDropDownHeight;
    if (!m_sortBox.Create(CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE | WS_CHILD, box, this,
                          kSortBoxId))
        return FALSE;
    SetToolBarComboFont(m_sortBox, m_font);
    return TRUE;
}

void CResManagerSortToolBar::OnDestroy() {
    CToolBar::OnDestroy();
    m_font.DeleteObject();
}

LRESULT CResManagerSortToolBar::FillSortChoices(const CObject* item) {
    CDSObjMgr* manager = GetDSObjMgr();
    if (!manager)
        return RM_E_NOTARGET;
    std::vector<ItemChoice> choices;
    manager->GetItemChoices(item, choices);
    m_sortBox.ResetContent();
    for (const ItemChoice& choice : choices) {
        const int index = m_sortBox.AddString(choice.caption);
        m_sortBox.SetItemData(index, static_cast<DWORD_PTR>(choice.id));
    }
    if (m_sortBox.GetCount() > 0)
        m_sortBox.SetCurSel(0);
    return 0;
}

int CResManagerSortToolBar::GetSortChoice() const {
    const int selected = m_sortBox.GetCurSel();
    return selected == CB_ERR ? 0 : static_cast<int>(m_sortBox.GetItemData(selected));
}
