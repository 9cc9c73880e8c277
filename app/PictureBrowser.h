#pragma once
// The file chooser of the disk command: the thumbnail file browser, which lives above the application
// shell, so start-up installs it here; tests install a scripted one.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CWnd;

// The chosen file, or empty when cancelled. filter is "description|pattern|...||".
using PictureBrowser = CString (*)(CWnd* parent, DWORD flags, const CString& filter);

// Installs the browser (null: none) and returns the one it replaces.
PictureBrowser SetPictureBrowser(PictureBrowser browser);
// Runs the installed browser as an open dialog; empty without one.
CString BrowseForPicture(CWnd* parent, DWORD flags, const CString& filter);
