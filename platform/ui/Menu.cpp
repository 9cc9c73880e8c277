// Menus: items kept per handle, popups owned by the menu that holds them, and the popup tracking that
// goes through the presenter and then checks that the chosen command is one that may be chosen.

#include "platform/ui/Menu.h"

#include "platform/base/MenuTemplate.h"
#include "platform/base/Resource.h"
#include "platform/ui/MenuPresenter.h"
#include "platform/ui/Wnd.h"

#include <memory>
#include <unordered_set>
#include <vector>

struct MenuItemRecord {
    UINT flags = 0;
    UINT id = 0;
    CString text;
    HMENU popup = nullptr; // owned
};

struct MenuRecord {
    std::vector<MenuItemRecord> items;
    CMenu* permanent = nullptr;
    std::unique_ptr<CMenu> temporary;
};

namespace {

std::unordered_set<HMENU>& LiveMenus() {
    static std::unordered_set<HMENU> menus;
    return menus;
}

HMENU NewMenu() {
    auto* menu = new MenuRecord;
    LiveMenus().insert(menu);
    return menu;
}

// The item by command (searching the popups too) or by position.
MenuItemRecord* FindItem(HMENU menu, UINT item, UINT flags) {
    if (!IsMenu(menu))
        return nullptr;
    if (flags & MF_BYPOSITION)
        return item < menu->items.size() ? &menu->items[item] : nullptr;
    for (MenuItemRecord& entry : menu->items) {
        if (entry.popup) {
            if (MenuItemRecord* inner = FindItem(entry.popup, item, flags))
                return inner;
        } else if (!(entry.flags & MF_SEPARATOR) && entry.id == item) {
            return &entry;
        }
    }
    return nullptr;
}

UINT ChangeState(HMENU menu, UINT item, UINT flags, UINT mask) {
    MenuItemRecord* entry = FindItem(menu, item, flags);
    if (!entry)
        return 0xFFFFFFFF;
    const UINT previous = entry->flags & mask;
    entry->flags = (entry->flags & ~mask) | (flags & mask);
    return previous;
}

bool Append(HMENU menu, const std::vector<MenuTemplateItem>& items) {
    CMenu* target = CMenu::FromHandle(menu);
    for (const MenuTemplateItem& item : items) {
        if (item.separator) {
            target->AppendMenu(MF_SEPARATOR);
            continue;
        }
        const UINT state = (item.grayed ? MF_GRAYED : 0) | (item.checked ? MF_CHECKED : 0);
        if (!item.isPopup) {
            target->AppendMenu(MF_STRING | state, item.command, item.text);
            continue;
        }
        const HMENU popup = NewMenu();
        if (!Append(popup, item.popup)) {
            DestroyMenu(popup);
            return false;
        }
        target->AppendMenu(MF_POPUP | state, reinterpret_cast<UINT_PTR>(popup), item.text);
    }
    return true;
}

void InitPopups(HWND owner, HMENU menu, int index) {
    SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                MAKELPARAM(static_cast<WORD>(index), FALSE));
    int position = 0;
    for (const MenuItemRecord& item : menu->items) {
        if (item.popup && IsWindow(owner))
            InitPopups(owner, item.popup, position);
        ++position;
    }
}

} // namespace

BOOL IsMenu(HMENU menu) {
    return menu && LiveMenus().count(menu) ? TRUE : FALSE;
}

BOOL DestroyMenu(HMENU menu) {
    if (!IsMenu(menu))
        return FALSE;
    for (MenuItemRecord& item : menu->items)
        DestroyMenu(item.popup);
    LiveMenus().erase(menu);
    if (menu->permanent)
        menu->permanent->m_hMenu = nullptr;
    if (menu->temporary)
        menu->temporary->m_hMenu = nullptr;
    delete menu;
    return TRUE;
}

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu) {
    if (!IsMenu(menu))
        return nullptr;
    if (menu->permanent)
        return menu->permanent;
    if (!menu->temporary) {
        menu->temporary = std::make_unique<CMenu>();
        menu->temporary->m_hMenu = menu;
    }
    return menu->temporary.get();
}

BOOL CMenu::Attach(HMENU menu) {
    if (m_hMenu || !IsMenu(menu) || menu->permanent)
        return FALSE;
    m_hMenu = menu;
    menu->permanent = this;
    return TRUE;
}

HMENU CMenu::Detach() {
    const HMENU menu = m_hMenu;
    if (IsMenu(menu) && menu->permanent == this)
        menu->permanent = nullptr;
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::LoadMenu(UINT id) {
    MenuTemplate menuTemplate;
    if (m_hMenu || !LoadMenuTemplate(AfxGetResourceHandle(), id, menuTemplate))
        return FALSE;
    const HMENU menu = NewMenu();
    if (!Append(menu, menuTemplate.items)) {
        ::DestroyMenu(menu);
        return FALSE;
    }
    return Attach(menu);
}

BOOL CMenu::CreateMenu() {
    return m_hMenu ? FALSE : Attach(NewMenu());
}

BOOL CMenu::CreatePopupMenu() {
    return CreateMenu();
}

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCTSTR text) {
    if (!IsMenu(m_hMenu))
        return FALSE;
    MenuItemRecord item;
    item.flags = flags;
    if (flags & MF_POPUP) {
        item.popup = reinterpret_cast<HMENU>(id);
        if (!IsMenu(item.popup) || item.popup == m_hMenu)
            return FALSE;
    } else {
        item.id = static_cast<UINT>(id);
    }
    if (!(flags & MF_SEPARATOR) && text)
        item.text = text;
    m_hMenu->items.push_back(item);
    return TRUE;
}

CMenu* CMenu::GetSubMenu(int position) const {
    const MenuItemRecord* item = FindItem(m_hMenu, static_cast<UINT>(position), MF_BYPOSITION);
    return item && item->popup ? FromHandle(item->popup) : nullptr;
}

int CMenu::GetMenuItemCount() const {
    return IsMenu(m_hMenu) ? static_cast<int>(m_hMenu->items.size()) : -1;
}

UINT CMenu::GetMenuItemID(int position) const {
    const MenuItemRecord* item = FindItem(m_hMenu, static_cast<UINT>(position), MF_BYPOSITION);
    if (!item)
        return 0;
    return item->popup ? static_cast<UINT>(-1) : item->id;
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const {
    const MenuItemRecord* entry = FindItem(m_hMenu, item, flags);
    return entry ? entry->flags : 0xFFFFFFFF;
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    const MenuItemRecord* entry = FindItem(m_hMenu, item, flags);
    text = entry ? entry->text : CString();
    return text.GetLength();
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
    return ChangeState(m_hMenu, item, enable, MF_GRAYED | MF_DISABLED);
}

UINT CMenu::CheckMenuItem(UINT item, UINT check) {
    return ChangeState(m_hMenu, item, check, MF_CHECKED);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT /*rect*/) {
    if (!IsMenu(m_hMenu) || !owner || !IsWindow(owner->m_hWnd))
        return FALSE;
    const HWND ownerWindow = owner->m_hWnd;
    const HMENU menu = m_hMenu;
    if (!(flags & TPM_NONOTIFY))
        InitPopups(ownerWindow, menu, 0);
    if (!IsMenu(menu) || !IsWindow(ownerWindow))
        return FALSE;
    UINT chosen = GetMenuPresenter().Track(ownerWindow, *this, POINT{x, y});
    const MenuItemRecord* item = chosen ? FindItem(menu, chosen, MF_BYCOMMAND) : nullptr;
    if (!item || (item->flags & (MF_GRAYED | MF_DISABLED)))
        chosen = 0;
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(chosen);
    if (chosen)
        PostMessage(ownerWindow, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    return TRUE;
}
