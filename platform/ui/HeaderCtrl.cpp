// The header's object: each call is a message to its window.

#include "platform/ui/HeaderCtrl.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

int CHeaderCtrl::GetItemCount() const {
    return static_cast<int>(SendMessage(HDM_GETITEMCOUNT));
}

BOOL CHeaderCtrl::GetItemRect(int index, LPRECT rect) const {
    return static_cast<BOOL>(
        SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

BOOL CHeaderCtrl::GetItem(int index, HDITEM* item) const {
    return static_cast<BOOL>(
        SendMessage(HDM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}
