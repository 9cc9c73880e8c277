#pragma once
// The step callback that the object view hands to the library's long album operations.

#include "platform/base/String.h"

// Sends WM_RM_PROGRESSSTEP to the window whose handle frameWindow is (the resource manager frame), once
// per call; nothing for null.
void ProgressStepCallback(void* frameWindow, const CString& text);
