#pragma once
// A command table for OnCommand overrides, the way a message map lists a window's commands: a control
// id (or a range of ids), the notification code, and the handler. Windows that a frame routes commands
// to (views, frames) also answer HasCommandHandler from it and OnUpdateCommandUI from an update table.
//
//     static const CommandEntry<CMainWnd> kCommands[] = {{2047, BN_CLICKED, &CMainWnd::OnLoadProject},
//                                                        {2090, 2094, BN_CLICKED, &CMainWnd::OnToolEffect}};
//     BOOL CMainWnd::OnCommand(WPARAM w, LPARAM l) {
//         return DispatchCommand(*this, kCommands, w) || CWnd::OnCommand(w, l);
//     }

#include "platform/ui/CmdUI.h"
#include "platform/ui/UiTypes.h"

#include <iterator>

template <typename T>
struct CommandEntry {
    constexpr CommandEntry(UINT id, WORD notifyCode, void (T::*plain)())
        : firstId(id), lastId(id), code(notifyCode), handler(plain) {}
    // A range handler gets the id of the command.
    constexpr CommandEntry(UINT first, UINT last, WORD notifyCode, void (T::*ranged)(UINT))
        : firstId(first), lastId(last), code(notifyCode), rangeHandler(ranged) {}

    UINT firstId;
    UINT lastId;
    WORD code;
    void (T::*handler)() = nullptr;
    void (T::*rangeHandler)(UINT) = nullptr;
};

// Calls the first entry that matches the command's id and code; FALSE when none does.
template <typename T, typename Table>
BOOL DispatchCommand(T& target, const Table& table, WPARAM wParam) {
    const UINT id = LOWORD(static_cast<DWORD>(wParam));
    const WORD code = HIWORD(static_cast<DWORD>(wParam));
    for (const CommandEntry<T>& entry : table) {
        if (entry.code != code || id < entry.firstId || id > entry.lastId)
            continue;
        if (entry.handler)
            (target.*entry.handler)();
        else
            (target.*entry.rangeHandler)(id);
        return TRUE;
    }
    return FALSE;
}

// A table of update handlers (ON_UPDATE_COMMAND_UI) for OnUpdateCommandUI overrides, as CommandEntry
// lists command handlers.
template <typename T>
struct UpdateEntry {
    constexpr UpdateEntry(UINT id, void (T::*update)(CCmdUI*)) : firstId(id), lastId(id), handler(update) {}
    constexpr UpdateEntry(UINT first, UINT last, void (T::*update)(CCmdUI*))
        : firstId(first), lastId(last), handler(update) {}

    UINT firstId;
    UINT lastId;
    void (T::*handler)(CCmdUI*);
};

// Calls the update handler of the first entry that holds the command's id; FALSE when none does.
template <typename T, typename Table>
BOOL DispatchUpdate(T& target, const Table& table, CCmdUI* cmdUI) {
    for (const UpdateEntry<T>& entry : table) {
        if (cmdUI->m_nID < entry.firstId || cmdUI->m_nID > entry.lastId)
            continue;
        (target.*entry.handler)(cmdUI);
        return TRUE;
    }
    return FALSE;
}

// Whether a command table has a handler for the command id (notification code 0), without calling it.
template <typename T, typename Table>
BOOL HasCommand(const Table& table, UINT id) {
    for (const CommandEntry<T>& entry : table) {
        if (entry.code == 0 && id >= entry.firstId && id <= entry.lastId)
            return TRUE;
    }
    return FALSE;
}
