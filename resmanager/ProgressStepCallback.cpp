// A library progress call becomes one step of the frame's progress bar.

#include "resmanager/ProgressStepCallback.h"

#include "platform/ui/Wnd.h"
#include "resmanager/ResManagerMessages.h"

void ProgressStepCallback(void* frameWindow, const CString&) {
    if (frameWindow == nullptr)
        return;
    SendMessage(static_cast<HWND>(frameWindow), WM_RM_PROGRESSSTEP, 0, 0);
}
