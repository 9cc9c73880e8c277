#include "platform/base/Module.h"

#include "platform/base/Path.h"
#include "platform/base/RccFormat.h"
#include "platform/base/ResourceFile.h"

#include <algorithm>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <limits.h>
#include <mutex>
#include <stdlib.h>
#include <unistd.h>

namespace {

class CSharedLibraryModule final : public ModuleRecord {
public:
    CSharedLibraryModule(CString modulePath, void* library)
        : ModuleRecord(std::move(modulePath)), m_library(library) {}
    ~CSharedLibraryModule() override { dlclose(m_library); }

    void* FindExport(const char* name) const override { return dlsym(m_library, name); }

private:
    void* m_library;
};

std::mutex g_programFolderMutex;
CString g_programFolderOverride;

CString ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer));
    if (length <= 0 || static_cast<size_t>(length) >= sizeof(buffer)) {
        return {};
    }
    return CString(buffer, static_cast<int>(length));
}

CString AbsolutePath(const CString& path) {
    char* resolved = realpath(path, nullptr);
    if (!resolved) {
        return path;
    }
    CString result(resolved);
    free(resolved);
    return result;
}

// A bare name is the file of that name in the program folder when there is one.
CString SearchPath(const CString& name) {
    if (name.Find('/') >= 0) {
        return name;
    }
    const CString inProgramFolder = ResolvePathCase(GetProgramFolder() + "/" + name);
    return access(inProgramFolder, F_OK) == 0 ? inProgramFolder : name;
}

bool BeginsLikeResourceFile(const CString& path) {
    BYTE head[4] = {};
    std::ifstream file(path.GetString(), std::ios::binary);
    return file.read(reinterpret_cast<char*>(head), sizeof(head)) && HasRccSignature(head, sizeof(head));
}

} // namespace

HMODULE LoadLibrary(LPCTSTR path) {
    if (!path || !*path) {
        return nullptr;
    }
    const CString resolved = ResolvePathCase(SearchPath(path));
    if (BeginsLikeResourceFile(resolved)) {
        return LoadResourceModule(AbsolutePath(resolved));
    }
    void* library = dlopen(resolved, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        return nullptr;
    }
    return new CSharedLibraryModule(AbsolutePath(resolved), library);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    if (!module || !name) {
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(module->FindExport(name));
}

BOOL FreeLibrary(HMODULE module) {
    if (!module) {
        return FALSE;
    }
    delete module;
    return TRUE;
}

DWORD GetModuleFileName(HMODULE module, LPTSTR buffer, DWORD size) {
    if (!buffer || size == 0) {
        return 0;
    }
    const CString path = module ? module->path : ExecutablePath();
    if (path.IsEmpty()) {
        buffer[0] = '\0';
        return 0;
    }
    const DWORD length = static_cast<DWORD>(path.GetLength());
    const DWORD copied = std::min(length, size - 1);
    std::memcpy(buffer, path.GetString(), copied);
    buffer[copied] = '\0';
    return copied < length ? size : copied;
}

CString GetProgramFolder() {
    {
        std::lock_guard lock(g_programFolderMutex);
        if (!g_programFolderOverride.IsEmpty()) {
            return g_programFolderOverride;
        }
    }
    const CString executable = ExecutablePath();
    const int slash = executable.ReverseFind('/');
    return slash > 0 ? executable.Left(slash) : CString("/");
}

void SetProgramFolderForTesting(const CString& folder) {
    CString trimmed = folder;
    while (trimmed.GetLength() > 1 && trimmed[trimmed.GetLength() - 1] == '/') {
        trimmed = trimmed.Left(trimmed.GetLength() - 1);
    }
    std::lock_guard lock(g_programFolderMutex);
    g_programFolderOverride = trimmed;
}
