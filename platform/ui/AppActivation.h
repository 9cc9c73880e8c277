#pragma once
// WM_ACTIVATEAPP: when the application loses or regains the activation (Qt's application state), every
// top-level window of the program hears of it, as popups that must close then expect.

// Starts following Qt's application state; called when the first window is made.
void WatchApplicationActivation();
// Sends WM_ACTIVATEAPP with active to the program's top-level windows, once per change. Tests call it in
// place of the desktop.
void NotifyApplicationActive(bool active);
