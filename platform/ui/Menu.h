#pragma once
// CMenu: menus of commands, separators and popups, made in code or loaded from the resource module's
// menu templates. TrackPopupMenu shows a popup through the menu presenter (a QMenu in the program, a
// script in tests): the owner gets WM_INITMENUPOPUP first and, when a command is chosen, a posted
// WM_COMMAND. Grayed and disabled items cannot be chosen.

#include "platform/base/String.h"
#include "platform/ui/UiTypes.h"

class CWnd;

inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;

inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

class CMenu {
public:
    CMenu() = default;
    // Destroys the menu it holds.
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    // The wrapper of a handle, living as long as the menu.
    static CMenu* FromHandle(HMENU menu);
    BOOL Attach(HMENU menu);
    HMENU Detach();

    // The template of that id in the resource module; FALSE when it is missing or malformed.
    BOOL LoadMenu(UINT id);
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    // flags: MF_STRING, MF_SEPARATOR or MF_POPUP (id is then the popup's HMENU, owned from then on), with
    // MF_GRAYED, MF_DISABLED, MF_CHECKED.
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    // The popup at a position; the menu keeps owning it.
    CMenu* GetSubMenu(int position) const;
    int GetMenuItemCount() const;
    // The command of the item at a position; -1 for a popup, 0 for a separator.
    UINT GetMenuItemID(int position) const;
    // The MF_ flags of an item, or 0xFFFFFFFF when there is none.
    UINT GetMenuState(UINT item, UINT flags) const;
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    // Return the item's previous state (MF_GRAYED/MF_DISABLED, or MF_CHECKED), or 0xFFFFFFFF for none.
    UINT EnableMenuItem(UINT item, UINT enable);
    UINT CheckMenuItem(UINT item, UINT check);
    // x, y in screen coordinates. With TPM_RETURNCMD returns the command chosen (0 for none) and posts
    // nothing; otherwise posts it to owner and returns TRUE.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);
};

BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
