#include "resmanager/FrameMessage.h"

#include "platform/ui/FrameWnd.h"

LRESULT SendToParentFrame(const CWnd* window, UINT message, WPARAM wParam, LPARAM lParam) {
    CFrameWnd* frame = window ? window->GetParentFrame() : nullptr;
    return frame ? frame->SendMessage(message, wParam, lParam) : 0;
}
