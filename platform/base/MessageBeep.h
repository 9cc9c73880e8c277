#pragma once
// The short warning sound of the framework. The base layer has no sound of its own: the window layer
// installs the sound at start-up, and tests install a recorder.

#include "platform/base/WinTypes.h"

// Plays the sound of a message-box icon type (MB_ICONQUESTION ...; 0xFFFFFFFF the plain beep) through
// the installed handler; without one nothing is heard. Always TRUE.
BOOL MessageBeep(UINT type);

using MessageBeepHandler = void (*)(UINT type);
// Installs the handler (null: silence) and returns the one it replaces.
MessageBeepHandler SetMessageBeepHandler(MessageBeepHandler handler);
