#pragma once
// Resources of the language modules, found by type and by id or name with one namespace per type, as
// the framework finds them; and the resource handle, the module that dialogs, menus and bitmaps come from
// unless a caller names another.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <cstdint>

// A resource id in the place of a name.
inline LPTSTR MAKEINTRESOURCE(WORD id) {
    return reinterpret_cast<LPTSTR>(static_cast<std::uintptr_t>(id));
}
inline bool IS_INTRESOURCE(LPCTSTR name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

inline const LPCTSTR RT_BITMAP = MAKEINTRESOURCE(2);
inline const LPCTSTR RT_MENU = MAKEINTRESOURCE(4);
inline const LPCTSTR RT_DIALOG = MAKEINTRESOURCE(5);
inline const LPCTSTR RT_STRING = MAKEINTRESOURCE(6);
inline const LPCTSTR RT_ACCELERATOR = MAKEINTRESOURCE(9);
// A cursor: the bytes of a cursor file.
inline const LPCTSTR RT_GROUP_CURSOR = MAKEINTRESOURCE(12);
inline const LPCTSTR RT_TOOLBAR = MAKEINTRESOURCE(241);

// The resource of that type, by id (MAKEINTRESOURCE, or a name "#123") or by name (letter case ignored);
// null when the module is no language module or has no such resource.
HRSRC FindResource(HMODULE module, LPCTSTR name, LPCTSTR type);
// The resource's bytes as a block that the module owns: null for a null resource.
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// The first byte of a loaded resource; nothing to unlock.
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Nothing to do: the bytes go with the module. FALSE, as the system answers.
BOOL FreeResource(HGLOBAL data);

// Copies the UTF-8 text of string id into buffer, at most bufferMax - 1 bytes and a terminating zero;
// the number of bytes copied, 0 when the module lacks the string.
int LoadString(HINSTANCE module, UINT id, LPTSTR buffer, int bufferMax);
// The whole text of string id: loads into a buffer of size bytes and, while the text fills it, grows the
// buffer by 256 and loads again. Empty when the module lacks the string.
CString LoadWholeString(HINSTANCE module, UINT id, int size);

// The module that resources come from by default; null until the program sets it.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);
