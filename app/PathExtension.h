#pragma once
// File names the save commands write to.

#include "platform/base/String.h"

// The extension of project files.
inline constexpr const char* kProjectExtension = "qzp";

// The path with "." and the extension appended unless its file name ends in that extension (in any
// letter case).
CString WithExtension(const CString& path, const char* extension);
// Everything before the path's last '/'; empty when it has none.
CString FolderOfPath(const CString& path);
