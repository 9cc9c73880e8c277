#pragma once
// Paths as the program holds them: '/' separates folders. Stored paths (registry, XML, archives, text
// lists) may come from Windows with '\' and in another letter case than the files on disk.
// Stored files are replaced through CAtomicFileWriter (AtomicFileWriter.h).

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

// A copy with every '\' turned into '/'. Every reader of a stored path passes it through this.
CString BackslashesToSlashes(LPCTSTR path);

// The path of an existing file or folder that the path names when letter case is ignored, component by
// component. A path that exists as written comes back unchanged; components that exist in no case are
// kept as written (so a new file in an existing folder of another case lands in that folder). Among
// several names that differ only in case, the byte-wise first is taken.
CString ResolvePathCase(const CString& path);

// Creates the folder and every missing folder above it (an existing one of another letter case is
// used). True when the folder exists afterwards.
bool MakeFolderPath(const CString& folder);

// The folder of the user's own data of the program: $XDG_DATA_HOME/Vellumcraft, or
// ~/.local/share/Vellumcraft when that variable is unset, empty or not absolute. Not created here.
CString GetUserDataFolder();

// The user's runtime folder, for files that live as long as a program runs (locks): $XDG_RUNTIME_DIR,
// or <temporary folder>/runtime-<user id> when that variable is unset, empty or not absolute. Not
// created here.
CString GetRuntimeFolder();
