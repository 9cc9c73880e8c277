#pragma once
// The window classes of the controls: each control's default processing and the object that stands in
// for its windows. Private to platform/ui.

#include "platform/ui/WindowClass.h"

extern const WindowClass kButtonClass;
