#include "skin/MouseContext.h"

// The window layer always tracks the pointer, so the entry is always there.
CMouseContext::CMouseContext() : m_trackMouseEvent(&::TrackMouseEvent) {}

BOOL CMouseContext::RequestLeave(HWND window) const {
    if (!IsAvailable())
        return FALSE;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window;
    track.dwHoverTime = HOVER_DEFAULT;
    return m_trackMouseEvent(&track);
}

CMouseContext& MouseContext() {
    static CMouseContext context;
    return context;
}
