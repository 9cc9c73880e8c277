#pragma once
// Test hook: window timers on a manual clock. While it is on, new timers do not run by themselves;
// AdvanceTimersForTesting moves the clock and fires every tick that falls due, in time order, each
// followed by the messages it queued. GetTickCount follows the manual clock.

#include "platform/base/WinTypes.h"

void UseManualTimersForTesting(bool manual);
void AdvanceTimersForTesting(DWORD milliseconds);
