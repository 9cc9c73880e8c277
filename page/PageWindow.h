#pragma once
// CPageWindow: what a drawing object asks of the window that shows its page, for the outlines it draws
// straight onto the screen. The page canvas implements it; tests pass a stand-in.

#include "platform/base/Geometry.h"

class CDC;

class CPageWindow {
public:
    virtual ~CPageWindow() = default;

    // A point of the page (tenths of a millimetre) in the window's client coordinates.
    virtual CPoint PageToWindow(CPoint page) const = 0;
    // A context on the window's client area, handed back with ReleaseClientDC.
    virtual CDC* GetClientDC() = 0;
    virtual void ReleaseClientDC(CDC* dc) = 0;
};
