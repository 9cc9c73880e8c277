// Opens arbitrary bytes as a photo album: loads the index and every entry, the thumbnails and the
// properties, and moves an entry so that the index is written back. No crash, no leak, no exception
// out of an album operation.
#include "library/DSObjMgr.h"
#include "library/PhotoAlbum.h"
#include "platform/base/AppServices.h"
#include "platform/base/Path.h"
#include "platform/base/Profile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// Message boxes answer at once and show nothing: a hostile album makes many.
class QuietServices final : public IAppServices {
public:
    int MessageBox(UINT, UINT, UINT) override { return IDOK; }
    int MessageBoxText(const CString&, UINT, UINT) override { return IDOK; }
    CString LoadString(UINT, int) override { return "%s %s"; }
    HMODULE GetEffectsModule() override { return nullptr; }
    HMODULE GetRastrumModule() override { return nullptr; }
    HMODULE GetResourceModule() override { return nullptr; }
    BYTE IsEditMode() override { return FALSE; }
    LPCTSTR GetVersionTag() override { return "4.1.a"; }
    CString GetLoadedProjectVersion() override { return CString(); }
    void SetLoadedProjectVersion(const CString&) override {}
    BYTE IsSavePromptEnabled() override { return FALSE; }
    BYTE GetSavePromptAnswer() override { return FALSE; }
    CString GetAppName() override { return "Vellumcraft"; }
};

// A library in a temporary folder with the pictures kind, for the fuzzer's whole run.
struct FuzzLibrary {
    FuzzLibrary() {
        std::string pattern = "/tmp/vc-album-fuzz-XXXXXX";
        folder = mkdtemp(pattern.data()) != nullptr ? pattern : "/tmp";
        SetAppServices(&services);
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
    QuietServices services;
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
    if (!library.manager->LoadAlbum(&album))
        return 0;
    album.LoadThumbnails();
    if (album.GetObjectCount() > 1)
        album.MoveObjectToBack(album.GetHeadObject());
    album.Sort(5, true);
    return 0;
}
