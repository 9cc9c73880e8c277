#include "platform/scan/PhotoLibrary.h"

#include <dlfcn.h>

namespace {

template <typename Function>
bool Bind(void* module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(module, name));
    return function != nullptr;
}

PhotoLibrary* Load() {
    // The port functions come from the library's own dependency, which dlsym searches too.
    void* module = dlopen("libgphoto2.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return nullptr;
    static PhotoLibrary library;
    PhotoLibrary& l = library;
    const bool complete =
        Bind(module, "gp_context_new", l.contextNew) && Bind(module, "gp_context_unref", l.contextUnref) &&
        Bind(module, "gp_list_new", l.listNew) && Bind(module, "gp_list_free", l.listFree) &&
        Bind(module, "gp_list_count", l.listCount) && Bind(module, "gp_list_get_name", l.listGetName) &&
        Bind(module, "gp_list_get_value", l.listGetValue) &&
        Bind(module, "gp_abilities_list_new", l.abilitiesNew) &&
        Bind(module, "gp_abilities_list_load", l.abilitiesLoad) &&
        Bind(module, "gp_abilities_list_lookup_model", l.abilitiesLookupModel) &&
        Bind(module, "gp_abilities_list_get_abilities", l.abilitiesGet) &&
        Bind(module, "gp_abilities_list_free", l.abilitiesFree) &&
        Bind(module, "gp_abilities_list_detect", l.abilitiesDetect) &&
        Bind(module, "gp_port_info_list_new", l.portsNew) &&
        Bind(module, "gp_port_info_list_load", l.portsLoad) &&
        Bind(module, "gp_port_info_list_lookup_path", l.portsLookupPath) &&
        Bind(module, "gp_port_info_list_get_info", l.portsGetInfo) &&
        Bind(module, "gp_port_info_list_free", l.portsFree) && Bind(module, "gp_camera_new", l.cameraNew) &&
        Bind(module, "gp_camera_set_abilities", l.cameraSetAbilities) &&
        Bind(module, "gp_camera_set_port_info", l.cameraSetPortInfo) &&
        Bind(module, "gp_camera_init", l.cameraInit) && Bind(module, "gp_camera_exit", l.cameraExit) &&
        Bind(module, "gp_camera_unref", l.cameraUnref) &&
        Bind(module, "gp_camera_folder_list_files", l.listFiles) &&
        Bind(module, "gp_camera_folder_list_folders", l.listFolders) &&
        Bind(module, "gp_camera_file_get_info", l.fileGetInfo) &&
        Bind(module, "gp_camera_file_get", l.fileGet) && Bind(module, "gp_file_new", l.fileNew) &&
        Bind(module, "gp_file_unref", l.fileUnref) &&
        Bind(module, "gp_file_get_data_and_size", l.fileGetData);
    if (!complete) {
        dlclose(module);
        return nullptr;
    }
    // The library stays loaded: its camera drivers are loaded into the process for good.
    return &library;
}

} // namespace

const PhotoLibrary* LoadPhotoLibrary() {
    static const PhotoLibrary* library = Load();
    return library;
}

CameraAbilitiesList* SharedCameraAbilities(const PhotoLibrary& library) {
    static CameraAbilitiesList* const abilities = [&library]() -> CameraAbilitiesList* {
        CameraAbilitiesList* list = nullptr;
        if (library.abilitiesNew(&list) < GP_OK)
            return nullptr;
        GPContext* context = library.contextNew();
        const bool loaded = library.abilitiesLoad(list, context) >= GP_OK;
        library.contextUnref(context);
        if (!loaded) {
            library.abilitiesFree(list);
            return nullptr;
        }
        return list;
    }();
    return abilities;
}
