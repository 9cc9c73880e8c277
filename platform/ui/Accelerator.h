#pragma once
// Accelerator tables: keys that stand for commands. A table comes from the resource module
// (RT_ACCELERATOR, its own ids) and is shared: it lives as long as the module.

#include "platform/ui/UiTypes.h"

struct AcceleratorTable;
using HACCEL = const AcceleratorTable*;

inline constexpr BYTE FVIRTKEY = 0x01;
inline constexpr BYTE FSHIFT = 0x04;
inline constexpr BYTE FCONTROL = 0x08;
inline constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt; // FVIRTKEY with the modifier keys that must be held, and no others
    WORD key;   // a virtual key
    WORD cmd;
};

// The module's table of that id or name; null when it has none.
HACCEL LoadAccelerators(HINSTANCE module, LPCTSTR name);
// The table's entries; 0 for null.
int CopyAcceleratorTable(HACCEL table, ACCEL* entries, int count);
// For a key press (WM_KEYDOWN, WM_SYSKEYDOWN) that the table holds, with exactly its modifiers held:
// sends window WM_COMMAND with the command and the code 1, and returns nonzero. 0 for anything else.
int TranslateAccelerator(HWND window, HACCEL table, LPMSG message);
