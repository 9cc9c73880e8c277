#pragma once
// Registered clipboard formats: a process-wide table that gives each format name one id, as the
// Windows clipboard does. The clipboard layer maps the ids to its own data types.

#include "platform/base/WinTypes.h"

// The first id that registered formats get; lower ids are the standard formats.
inline constexpr UINT kFirstRegisteredFormat = 0xC000;

// The id of the format of that name, the same for every spelling of the name (letter case ignored);
// 0 for a null or empty name or when the table is full. Any thread may call it.
UINT RegisterClipboardFormat(LPCTSTR name);
// Copies the name a registered format was first registered with into buffer (size characters with the
// terminator, cut to fit); the number of characters copied, 0 for an id that is not registered.
int GetClipboardFormatName(UINT format, LPTSTR buffer, int size);
