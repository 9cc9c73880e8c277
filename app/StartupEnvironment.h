#pragma once
// What start-up asks of the machine it runs on: the desktop's size and colour depth, and the folder for
// the lock that keeps a second copy out. Tests feed their own (a 799 x 600 desktop, 8 bits per pixel,
// a private runtime folder): no virtual screen can be made that small or that shallow.

#include "platform/base/Geometry.h"
#include "platform/base/String.h"

class IStartupEnvironment {
public:
    virtual ~IStartupEnvironment() = default;
    // The client rectangle of the desktop window.
    virtual CRect GetDesktopRect() = 0;
    // BITSPIXEL of a context of the desktop window.
    virtual int GetDesktopBitsPerPixel() = 0;
    virtual CString GetRuntimeFolder() = 0;
};

// The real machine: the primary screen and the user's runtime folder.
class CDesktopStartupEnvironment final : public IStartupEnvironment {
public:
    CRect GetDesktopRect() override;
    int GetDesktopBitsPerPixel() override;
    CString GetRuntimeFolder() override;
};
