#pragma once
// How the resource manager's views and forms reach their frame: a private message sent to the frame
// around a window.

#include "platform/ui/UiTypes.h"

class CWnd;

// SendMessage to the parent frame of window; 0 when there is none.
LRESULT SendToParentFrame(const CWnd* window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// The sort and thumbnail-settings commands are the object view's: the other views relay them to it
// through the frame. False for any other command.
bool RelayObjectViewCommand(const CWnd* view, UINT command);
