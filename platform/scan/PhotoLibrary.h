#pragma once
// The camera library (libgphoto2), opened at first use so a machine without it still runs the program.

#include <gphoto2/gphoto2.h>

struct PhotoLibrary {
    decltype(&gp_context_new) contextNew;
    decltype(&gp_context_unref) contextUnref;
    decltype(&gp_list_new) listNew;
    decltype(&gp_list_free) listFree;
    decltype(&gp_list_count) listCount;
    decltype(&gp_list_get_name) listGetName;
    decltype(&gp_list_get_value) listGetValue;
    decltype(&gp_abilities_list_new) abilitiesNew;
    decltype(&gp_abilities_list_load) abilitiesLoad;
    decltype(&gp_abilities_list_lookup_model) abilitiesLookupModel;
    decltype(&gp_abilities_list_get_abilities) abilitiesGet;
    decltype(&gp_abilities_list_free) abilitiesFree;
    decltype(&gp_abilities_list_detect) abilitiesDetect;
    decltype(&gp_port_info_list_new) portsNew;
    decltype(&gp_port_info_list_load) portsLoad;
    decltype(&gp_port_info_list_lookup_path) portsLookupPath;
    decltype(&gp_port_info_list_get_info) portsGetInfo;
    decltype(&gp_port_info_list_free) portsFree;
    decltype(&gp_camera_new) cameraNew;
    decltype(&gp_camera_set_abilities) cameraSetAbilities;
    decltype(&gp_camera_set_port_info) cameraSetPortInfo;
    decltype(&gp_camera_init) cameraInit;
    decltype(&gp_camera_exit) cameraExit;
    decltype(&gp_camera_unref) cameraUnref;
    decltype(&gp_camera_folder_list_files) listFiles;
    decltype(&gp_camera_folder_list_folders) listFolders;
    decltype(&gp_camera_file_get_info) fileGetInfo;
    decltype(&gp_camera_file_get) fileGet;
    decltype(&gp_file_new) fileNew;
    decltype(&gp_file_unref) fileUnref;
    decltype(&gp_file_get_data_and_size) fileGetData;
};

// The library's entry points; null when it is missing or lacks one of them.
const PhotoLibrary* LoadPhotoLibrary();

// What every camera driver can do, loaded once for the process (loading runs every driver), or null.
CameraAbilitiesList* SharedCameraAbilities(const PhotoLibrary& library);
