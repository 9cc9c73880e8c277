// The installed file chooser of the disk command.

#include "app/PictureBrowser.h"

#include <utility>

namespace {
PictureBrowser g_browser = nullptr;
} // namespace

PictureBrowser SetPictureBrowser(PictureBrowser browser) {
    return std::exchange(g_browser, browser);
}

CString BrowseForPicture(CWnd* parent, DWORD flags, const CString& filter) {
    return g_browser ? g_browser(parent, flags, filter) : CString();
}
