#include "tests/support/SaneTestBackend.h"

#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <string>

namespace {

// The backend leaks small buffers of its own at each exit and is unloaded before the leak checker
// runs. Kept loaded, its allocations keep its name, which the checker's suppressions match.
void KeepBackendLoaded() {
    void* library = dlopen("libsane.so.1", RTLD_NOW | RTLD_NOLOAD);
    if (!library)
        library = dlopen("libsane.so.1", RTLD_NOW);
    Dl_info info{};
    if (!library || !dladdr(dlsym(library, "sane_init"), &info) || !info.dli_fname)
        return;
    const std::string path = info.dli_fname;
    dlopen((path.substr(0, path.rfind('/')) + "/sane/libsane-test.so.1").c_str(), RTLD_NOW | RTLD_NODELETE);
}

} // namespace

const std::string& UseSaneTestBackend(const std::string& testConf) {
    static const TempFolder folder;
    static const std::string path = [] {
        const std::string made = folder.Path().GetString();
        std::ofstream(made + "/dll.conf") << "test\n";
        setenv("SANE_CONFIG_DIR", made.c_str(), 1);
        KeepBackendLoaded();
        return made;
    }();
    std::ofstream(path + "/test.conf") << testConf;
    return path;
}
