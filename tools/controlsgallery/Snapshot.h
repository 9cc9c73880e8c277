#pragma once
// Pictures of windows for the gallery: everything queued is handled first, so the window shows its
// final state.

#include "platform/ui/UiTypes.h"

#include <QString>

void Pump();
// The window's pixels as a PNG file; false, with a line on the standard error stream, when it cannot be
// written.
bool Save(HWND window, const QString& path);
// The window with a popup of it (a dropped-down list) drawn in where it shows on the screen.
bool SaveWithPopup(HWND window, HWND popup, const QString& path);
