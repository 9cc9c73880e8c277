#pragma once
// A command table for OnCommand overrides, the way a message map lists a window's commands: a control
// id (or a range of ids), the notification code, and the handler.
//
//     static const CommandEntry<CMainWnd> kCommands[] = {{2047, BN_CLICKED, &CMainWnd::OnLoadProject},
//                                                        {2090, 2094, BN_CLICKED, &CMainWnd::OnToolEffect}};
//     BOOL CMainWnd::OnCommand(WPARAM w, LPARAM l) {
//         return DispatchCommand(*this, kCommands, w) || CWnd::OnCommand(w, l);
//     }

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
