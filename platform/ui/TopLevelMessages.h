#pragma once
// Messages about the whole program that every top-level window hears: WM_ACTIVATEAPP when the program
// loses or regains the activation (Qt's application state), WM_DISPLAYCHANGE when the primary screen's
// size or colour depth changes (its QScreen's signals).

#include "platform/ui/UiTypes.h"

// Starts following the application state and the screens; called when the first window is made.
void WatchApplicationActivation();
void WatchDisplayChanges();
// Send WM_ACTIVATEAPP with active, or WM_DISPLAYCHANGE with the bits per pixel and the size (width in
// the low word), to the program's top-level windows, once per change. Tests call them in place of the
// desktop.
void NotifyApplicationActive(bool active);
void NotifyDisplayChange(int bitsPerPixel, int width, int height);
