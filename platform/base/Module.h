#pragma once
// Modules loaded at run time: shared libraries (the effects and resampling libraries, the codec
// plug-ins) and, through the same handle type, the language modules (ResourceFile.h).

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <memory>

class CResourceFile;

// One loaded module. Each kind of module is a subclass; deleting the record unloads it.
struct ModuleRecord {
    explicit ModuleRecord(CString modulePath) : path(std::move(modulePath)) {}
    virtual ~ModuleRecord() = default;
    ModuleRecord(const ModuleRecord&) = delete;
    ModuleRecord& operator=(const ModuleRecord&) = delete;

    // The export of that name, null when the module has none (or is not a library).
    virtual void* FindExport(const char* name) const = 0;
    // The resources of a language module; null for a library.
    virtual CResourceFile* Resources() { return nullptr; }

    CString path; // absolute
};

// A language module (a file that begins like a resource file) or else a shared library, loaded with
// every symbol bound at once and its symbols kept to itself. Null when the file is missing, is a damaged
// module or is not a loadable library. A bare file name is looked for in the program folder first, as the
// system the program comes from does; a path that does not exist as written is looked up ignoring case.
HMODULE LoadLibrary(LPCTSTR path);
// The export of that name, or null. The caller casts it to the export's real type.
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
// Unloads the module; every pointer into it dies with it.
BOOL FreeLibrary(HMODULE module);

// The full path of the module (null: the program itself) into a buffer of size characters. Returns the
// length copied; size when the path was cut to fit (still terminated); 0 on failure.
DWORD GetModuleFileName(HMODULE module, LPTSTR buffer, DWORD size);

// The folder of the program, without a trailing slash: where the language modules, the libraries and
// the plugins folder are found.
CString GetProgramFolder();
// Makes GetProgramFolder answer this folder; an empty folder goes back to the program's own.
void SetProgramFolderForTesting(const CString& folder);
