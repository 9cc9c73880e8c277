#pragma once
// Mouse cursors: the standard shapes, cursor files, and the shape shown over the window under the
// pointer (or the window that has the capture).

#include "platform/ui/UiTypes.h"

// A standard cursor (IDC_ARROW ...) when instance is null, else the module's cursor resource of that id
// or name (shared: never destroyed); null for anything else.
HCURSOR LoadCursor(HINSTANCE instance, LPCTSTR name);
// A cursor from a Windows cursor file (.cur), with its hot spot; null when the file is missing or not a
// cursor.
HCURSOR LoadCursorFromFile(LPCTSTR path);
BOOL DestroyCursor(HCURSOR cursor);
// Shows the cursor now and returns the one shown before; null hides the pointer.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
