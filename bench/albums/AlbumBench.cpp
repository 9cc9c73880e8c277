// Opens the first photo album of a library and loads every thumbnail, as the category panel does when
// it shows an album: album_bench <data folder> <profile folder>. The data folder holds "Bilder" with
// "albums.dat" and the album. Prints seconds= (opening and thumbnails, without the start of the
// manager), entries= and thumbnails=.

#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/Profile.h"

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: album_bench <data folder> <profile folder>\n");
        return 2;
    }
    SetProfileFolderForTesting(argv[2]);
    WriteProfileString("Settings", "DataPath", argv[1]);
    WriteProfileInt("Settings", "PictureInstallType", 0);
    WriteProfileString("Settings", "PictureDataPath", "/Bilder");
    CDSObjMgr manager;
    manager.LoadInstallSettings();
    CResType* pictures = manager.GetResType(kResTypePictures);
    if (pictures == nullptr || pictures->GetAlbumList(false).IsEmpty()) {
        std::fprintf(stderr, "no album\n");
        return 1;
    }
    CDSAlbum* album = pictures->GetAlbumList(false).GetHead();

    const auto start = std::chrono::steady_clock::now();
    if (!manager.LoadAlbum(album))
        return 1;
    album->LoadThumbnails();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;

    int thumbnails = 0;
    for (POSITION pos = album->GetObjectList().GetHeadPosition(); pos != nullptr;)
        thumbnails += album->GetObjectList().GetNext(pos)->HasThumbnail() ? 1 : 0;
    std::printf("seconds=%.6f entries=%d thumbnails=%d\n", seconds.count(), album->GetObjectCount(),
                thumbnails);
    return thumbnails == album->GetObjectCount() ? 0 : 1;
}
