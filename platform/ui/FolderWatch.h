#pragma once
// CFolderWatch: tells a window when entries of one folder change (not those of its subfolders). It runs
// on the user-interface thread: the kernel's change queue is read when it has something, and the window
// gets message 0x401 with the kind of change and the tree item it was given. Changes within 100 ms come
// as one message per kind.

#include "platform/base/String.h"
#include "platform/ui/UiTypes.h"

#include <memory>

inline constexpr UINT WM_FOLDERCHANGED = WM_USER + 1;
// wParam of WM_FOLDERCHANGED.
inline constexpr WPARAM kFolderNamesChanged = 0;
inline constexpr WPARAM kFileNamesChanged = 1;

class CFolderWatch {
public:
    CFolderWatch();
    ~CFolderWatch();
    CFolderWatch(const CFolderWatch&) = delete;
    CFolderWatch& operator=(const CFolderWatch&) = delete;

    // Ends any earlier watch, then watches folder for window. FALSE when the folder cannot be watched
    // (not a folder, no access, no watches left); nothing is watched then.
    BOOL Start(const CString& folder, HWND window, LPARAM treeItem);
    // Ends the watch; changes not yet reported are dropped.
    void Stop();
    BOOL IsWatching() const;

private:
    struct Watch;
    std::unique_ptr<Watch> m_watch;
};
