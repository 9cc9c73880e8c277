// Opens arbitrary bytes as a photo album: loads the index and every entry, the thumbnails and the
// properties, and moves an entry so that the index is written back. No crash, no leak, no exception
// out of an album operation.
#include "library/DSObjMgr.h"
#include "library/PhotoAlbum.h"
#include "platform/base/Path.h"
#include "platform/base/Profile.h"
#include "tests/support/FakeAppServices.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// A library in a temporary folder with the pictures kind, for the fuzzer's whole run.
struct FuzzLibrary {
    FuzzLibrary() {
        std::string pattern = "/tmp/vc-album-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder = pattern;
        services.SetString(65509, "%s %s");
        SetProfileFolderForTesting(CString(folder) + "/profile");
        WriteProfileString("Settings", "DataPath", CString(folder) + "/data");
        WriteProfileInt("Settings", "PictureInstallType", 0);
        WriteProfileString("Settings", "PictureDataPath", "/Bilder");
        MakeFolderPath(CString(folder) + "/data/Bilder");
        manager = std::make_unique<CDSObjMgr>();
        manager->LoadInstallSettings();
    }
    ~FuzzLibrary() {
        manager.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::string folder;
    // Installed for the run; the messages of each input are dropped after it.
    FakeAppServices services;
    // Made once the profile points at the library.
    std::unique_ptr<CDSObjMgr> manager;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzLibrary library;
    FILE* file = std::fopen((library.folder + "/data/Bilder/album0.zip").c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    CPhotoAlbum album;
    album.SetPath("/album0.zip");
    int count = -1;
    album.LoadProperties(count);
    if (!library.manager->LoadAlbum(&album)) {
        library.services.ClearMessages();
        return 0;
    }
    album.LoadThumbnails();
    if (album.GetObjectCount() > 1)
        album.MoveObjectToBack(album.GetHeadObject());
    album.Sort(5, true);
    library.services.ClearMessages();
    return 0;
}
