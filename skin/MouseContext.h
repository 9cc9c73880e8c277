#pragma once
// CMouseContext: the pointer-tracking entry that the skinned buttons use for their hover look. One
// instance for the whole program; hover tracking runs only while IsAvailable says so.

#include "platform/ui/Wnd.h"

class CMouseContext {
public:
    using TrackMouseEventEntry = BOOL (*)(LPTRACKMOUSEEVENT);

    CMouseContext();

    BOOL IsAvailable() const { return m_trackMouseEvent != nullptr; }
    // Asks for WM_MOUSELEAVE when the pointer leaves window; FALSE when tracking is unavailable.
    BOOL RequestLeave(HWND window) const;

private:
    TrackMouseEventEntry m_trackMouseEvent;
};

CMouseContext& MouseContext();
