#include "platform/base/Path.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool Exists(const CString& path) {
    struct stat status;
    return lstat(path, &status) == 0;
}

CString Join(const CString& folder, const CString& name) {
    if (folder.IsEmpty()) {
        return name;
    }
    return folder[folder.GetLength() - 1] == '/' ? folder + name : folder + "/" + name;
}

std::vector<CString> SplitComponents(const CString& path) {
    std::vector<CString> components;
    int start = 0;
    while (start < path.GetLength()) {
        int end = path.Find('/', start);
        if (end < 0) {
            end = path.GetLength();
        }
        if (end > start) {
            components.push_back(path.Mid(start, end - start));
        }
        start = end + 1;
    }
    return components;
}

// The entry of the folder whose name equals the name when case is ignored.
std::optional<CString> FindNoCase(const CString& folder, const CString& name) {
    DIR* dir = opendir(folder.IsEmpty() ? "." : folder.GetString());
    if (!dir) {
        return std::nullopt;
    }
    std::optional<CString> match;
    while (const dirent* entry = readdir(dir)) {
        const CString candidate(entry->d_name);
        if (candidate.CompareNoCase(name) == 0 && (!match || candidate.Compare(*match) < 0)) {
            match = candidate;
        }
    }
    closedir(dir);
    return match;
}

} // namespace

CString BackslashesToSlashes(LPCTSTR path) {
    CString result(path);
    result.Replace('\\', '/');
    return result;
}

CString ResolvePathCase(const CString& path) {
    if (path.IsEmpty() || Exists(path)) {
        return path;
    }
    CString resolved = path[0] == '/' ? CString("/") : CString();
    bool searching = true;
    for (const CString& component : SplitComponents(path)) {
        const CString asWritten = Join(resolved, component);
        if (!searching || component == "." || component == ".." || Exists(asWritten)) {
            resolved = asWritten;
            continue;
        }
        const auto match = FindNoCase(resolved, component);
        searching = match.has_value();
        resolved = match ? Join(resolved, *match) : asWritten;
    }
    if (path[path.GetLength() - 1] == '/' && resolved[resolved.GetLength() - 1] != '/') {
        resolved += '/';
    }
    return resolved;
}

bool MakeFolderPath(const CString& folder) {
    if (folder.IsEmpty())
        return false;
    CString made = folder[0] == '/' ? CString("/") : CString();
    for (const CString& component : SplitComponents(ResolvePathCase(folder))) {
        made = Join(made, component);
        if (mkdir(made, 0777) != 0 && errno != EEXIST)
            return false;
    }
    struct stat status;
    return stat(made, &status) == 0 && S_ISDIR(status.st_mode);
}

CString GetUserDataFolder() {
    const char* dataHome = getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/')
        return CString(dataHome) + "/Vellumcraft";
    const char* home = getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : "";
    }
    return CString(home) + "/.local/share/Vellumcraft";
}

CString GetRuntimeFolder() {
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/')
        return CString(runtime);
    const char* temp = getenv("TMPDIR");
    CString folder = temp != nullptr && temp[0] == '/' ? CString(temp) : CString("/tmp");
    folder.AppendFormat("/runtime-%u", static_cast<unsigned>(getuid()));
    return folder;
}
