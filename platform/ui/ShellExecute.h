#pragma once
// Opening a file with the application the desktop associates with its type (the help page, a published
// HTML page). The program opens through xdg-open; tests install a launcher that records what was opened.

#include "platform/base/String.h"
#include "platform/ui/UiTypes.h"

// Results of ShellExecute at or below 32 are failures.
inline constexpr INT_PTR SE_ERR_FNF = 2;
inline constexpr INT_PTR SE_ERR_PNF = 3;
inline constexpr INT_PTR SE_ERR_NOASSOC = 31;
inline constexpr INT_PTR kShellExecuteStarted = 42;

class IShellLauncher {
public:
    virtual ~IShellLauncher() = default;
    // Opens the existing file with its type's application: kShellExecuteStarted, or SE_ERR_NOASSOC when
    // no application opens that type.
    virtual INT_PTR Open(const CString& path) = 0;
};

// Installs the launcher (null goes back to xdg-open); the caller keeps ownership.
void SetShellLauncher(IShellLauncher* launcher);

// Opens file ("open" is the only operation): SE_ERR_FNF for a missing file, SE_ERR_PNF when its folder
// is missing too, SE_ERR_NOASSOC when no application takes its type, else kShellExecuteStarted once the
// application has been started (it runs on its own).
INT_PTR ShellExecute(HWND owner, LPCTSTR operation, LPCTSTR file, LPCTSTR parameters, LPCTSTR directory,
                     int showCommand);
