#pragma once
// The clipboard calls over the desktop's clipboard. Only registered formats exist: each travels as the
// MIME type application/x-qt-windows-mime;value="<name>", so other programs of this kind can take it too.
// Open, then empty and set, or get; then close. What is set reaches the desktop when the clipboard closes,
// as the blocks themselves: this program gets them back without a copy.

#include "platform/base/WinTypes.h"
#include "platform/ui/UiTypes.h"

// FALSE when the clipboard is open already.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Takes the data away from the clipboard and makes owner's window its owner. Needs it open.
BOOL EmptyClipboard();
// Hands the global block over to the clipboard, which frees it: the block, or null when the clipboard is
// not open, the format is not a registered one or the block is not a global block (the caller then
// keeps it).
HANDLE SetClipboardData(UINT format, HANDLE data);
// The clipboard's block of that format: it stays the clipboard's and lives until the clipboard is next
// opened. Null when the clipboard is not open or holds no such data.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
