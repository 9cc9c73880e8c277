#pragma once
// The resource manager frame's table of private messages: each message goes to the pane that owns the
// operation, after the checks of its argument, and the pane's result comes back.

#include "resmanager/ResManagerPanes.h"

// The answer of the pane that owns message; handled is false for a message that is not one of the
// private messages (the frame then handles it itself).
LRESULT RouteResManagerMessage(IResManagerPanes& panes, UINT message, WPARAM wParam, LPARAM lParam,
                               bool& handled);
