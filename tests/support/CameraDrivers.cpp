#include "tests/support/CameraDrivers.h"

#include <dlfcn.h>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// Every shared object in the versioned folders of folder.
void LoadAllIn(const fs::path& folder) {
    std::error_code error;
    for (const auto& version : fs::directory_iterator(folder, error))
        for (const auto& driver : fs::directory_iterator(version.path(), error))
            if (driver.path().extension() == ".so")
                dlopen(driver.path().c_str(), RTLD_NOW | RTLD_NODELETE);
}

void LoadDrivers() {
    void* library = dlopen("libgphoto2.so.6", RTLD_NOW | RTLD_NODELETE);
    Dl_info info{};
    if (!library || !dladdr(dlsym(library, "gp_camera_new"), &info) || !info.dli_fname)
        return;
    const fs::path libraryFolder = fs::path(info.dli_fname).parent_path();
    LoadAllIn(libraryFolder / "libgphoto2");
    LoadAllIn(libraryFolder / "libgphoto2_port");
}

} // namespace

void KeepCameraDriversLoaded() {
    static const bool loaded = (LoadDrivers(), true);
    (void)loaded;
}
