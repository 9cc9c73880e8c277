// Writes seed albums for the album fuzzer into the folder given: an album made through the album
// operations (photos with plain and Base64 descriptions and thumbnails), and the same entries stored
// without compression, where mutations reach the XML and the bitmaps.
#include "image/PictureInfo.h"
#include "library/DSObjMgr.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "library/zip/ZipArchive.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Path.h"
#include "platform/base/Profile.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

CPhoto* NewPhoto(const char* name, const char* title, const char* description) {
    auto* photo = new CPhoto;
    photo->SetFilePath(CString("/") + name);
    photo->SetRelative(true);
    photo->SetTitle(title);
    photo->SetDescription(description);
    photo->SetThumbnail(CPictureInfo::CreateFilled(CSize(3, 2), RGB(200, 100, 50), 24));
    return photo;
}

// A copy of the archive with every entry stored.
void StoreUncompressed(const CString& from, const CString& to) {
    CZipArchive source;
    CZipArchive target;
    if (!source.Open(from, CZipArchive::zipOpenReadOnly) || !target.Open(to, CZipArchive::zipCreate))
        return;
    for (int i = 0; i < source.GetEntryCount(); ++i) {
        CZipEntryHeader header;
        source.GetEntryInfo(static_cast<WORD>(i), header);
        DWORD size = 0;
        const UniqueGlobal block(source.ExtractToMemory(static_cast<WORD>(i), size));
        target.AddNewFileFromMemory(header.GetFileName(), block.get(), size, 0);
    }
    target.Close();
    source.Close();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const CString corpus = argv[1];
    std::string pattern = "/tmp/vc-album-seeds-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        return 1;
    const CString folder(pattern);
    SetProfileFolderForTesting(folder + "/profile");
    WriteProfileString("Settings", "DataPath", folder + "/data");
    WriteProfileInt("Settings", "PictureInstallType", 0);
    WriteProfileString("Settings", "PictureDataPath", "/Bilder");
    MakeFolderPath(folder + "/data/Bilder");
    bool written = false;
    {
        CDSObjMgr manager;
        manager.LoadInstallSettings();
        CDSAlbum* album = manager.CreateAlbum(manager.GetResType(kResTypePictures), "Urlaub");
        if (album != nullptr && album->AddObjects(NewPhoto("strand.jpg", "Strand", "Abend am Meer")) &&
            album->AddObjects(NewPhoto("berg.jpg", "Berg", "zwei\nZeilen")) &&
            album->AddObjects(NewPhoto("strand.jpg", "Strand 2", "Grüße  €"))) {
            const CString path = manager.GetAlbumPath(album);
            StoreUncompressed(path, corpus + "/stored.zip");
            std::error_code error;
            std::filesystem::copy_file(path.str(), (corpus + "/deflated.zip").str(),
                                       std::filesystem::copy_options::overwrite_existing, error);
            written = !error;
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder.str(), ignored);
    return written ? 0 : 1;
}
