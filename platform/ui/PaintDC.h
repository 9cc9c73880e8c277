#pragma once
// The device contexts of a window: CPaintDC while handling WM_PAINT (clipped to what is invalid,
// which it validates), CClientDC and CWindowDC at any other time (what they draw shows at once).

#include "platform/gdi/Dc.h"
#include "platform/ui/UiTypes.h"

class CWnd;

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd = nullptr;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// The window's client and non-client area are one here: windows of this layer draw no frame.
class CWindowDC : public CClientDC {
public:
    explicit CWindowDC(CWnd* window) : CClientDC(window) {}
};
