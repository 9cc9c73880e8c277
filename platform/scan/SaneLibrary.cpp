#include "platform/scan/SaneLibrary.h"

#include <dlfcn.h>
#include <link.h>

namespace {

template <typename Function>
bool Bind(void* module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(module, name));
    return function != nullptr;
}

constexpr char kLibraryName[] = "libsane.so.1";

SaneLibraryStatus g_status = SaneLibraryStatus::kMissing;
std::string g_path;

SaneLibrary* Load() {
    void* module = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return nullptr;
    const link_map* map = nullptr;
    g_path = dlinfo(module, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name ? map->l_name : kLibraryName;
    static SaneLibrary library;
    const bool complete =
        Bind(module, "sane_init", library.init) && Bind(module, "sane_exit", library.exit) &&
        Bind(module, "sane_get_devices", library.getDevices) && Bind(module, "sane_open", library.open) &&
        Bind(module, "sane_close", library.close) &&
        Bind(module, "sane_get_option_descriptor", library.getOptionDescriptor) &&
        Bind(module, "sane_control_option", library.controlOption) &&
        Bind(module, "sane_get_parameters", library.getParameters) &&
        Bind(module, "sane_start", library.start) && Bind(module, "sane_read", library.read) &&
        Bind(module, "sane_cancel", library.cancel);
    if (!complete) {
        dlclose(module);
        g_status = SaneLibraryStatus::kIncomplete;
        return nullptr;
    }
    g_status = SaneLibraryStatus::kLoaded;
    // The library stays loaded: its backends keep state for the whole process.
    return &library;
}

} // namespace

const SaneLibrary* LoadSaneLibrary() {
    static const SaneLibrary* library = Load();
    return library;
}

SaneLibraryStatus GetSaneLibraryStatus(std::string* path) {
    LoadSaneLibrary();
    if (path)
        *path = g_path;
    return g_status;
}
