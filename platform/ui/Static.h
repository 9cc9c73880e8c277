#pragma once
// CStatic: labels, frames and pictures. A label with SS_NOTIFY tells its parent of clicks
// (STN_CLICKED, STN_DBLCLK).

#include "platform/ui/Wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    using CWnd::Create;
    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
    // For SS_BITMAP: shows the bitmap (not owned) and returns the one shown before.
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
};
