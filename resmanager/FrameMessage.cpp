#include "resmanager/FrameMessage.h"

#include "platform/ui/FrameWnd.h"
#include "resmanager/ResManagerMessages.h"

LRESULT SendToParentFrame(const CWnd* window, UINT message, WPARAM wParam, LPARAM lParam) {
    CFrameWnd* frame = window ? window->GetParentFrame() : nullptr;
    return frame ? frame->SendMessage(message, wParam, lParam) : 0;
}

bool RelayObjectViewCommand(const CWnd* view, UINT command) {
    UINT relay = 0;
    switch (command) {
    case ID_RM_SORTDESCENDING:
        relay = WM_RM_RELAY32889;
        break;
    case ID_RM_SORTASCENDING:
        relay = WM_RM_RELAY32890;
        break;
    case ID_RM_THUMBSETTINGS:
        relay = WM_RM_RELAY32896;
        break;
    default:
        return false;
    }
    SendToParentFrame(view, relay);
    return true;
}
