// The slide show's step to the next photo: the Right key until the next picture is decoded and painted
// into the window, over a photo album of two large JPEG files in DATA/Bilder (a.jpg, b.jpg):
// slideshow_bench PROGRAM_DIR DATA. Run on a screen of the size to measure (the offscreen platform's
// configuration file sets it). Prints seconds= (one step), screen= and picture=.

#include "albums/DiaShowViewer.h"
#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "platform/base/Profile.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

namespace {

CPhoto* NewPhoto(const char* fileName) {
    auto* photo = new CPhoto;
    photo->SetFilePath(CString("/") + fileName);
    photo->SetRelative(true);
    photo->SetTitle(fileName);
    return photo;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: slideshow_bench PROGRAM_DIR DATA\n");
        return 2;
    }
    QApplication application(argc, argv);
    QTemporaryDir profile;
    SetProfileFolderForTesting(profile.path().toStdString().c_str());
    WriteProfileString("Settings", "DataPath", argv[2]);
    WriteProfileInt("Settings", "PictureInstallType", 0);
    WriteProfileString("Settings", "PictureDataPath", "/Bilder");
    CExtMgr plugins(argv[1]);
    plugins.LoadPlugins();
    CDSObjMgr manager;
    manager.LoadInstallSettings();
    CResType* photos = manager.GetResType(kResTypePictures);
    // Each run adds an album of its own to the library.
    CDSAlbum* album = photos ? manager.CreateAlbum(photos, photos->MakeUniqueAlbumName("Urlaub")) : nullptr;
    if (!album || !album->AddObjects(NewPhoto("a.jpg")) || !album->AddObjects(NewPhoto("b.jpg"))) {
        std::fprintf(stderr, "no album\n");
        return 1;
    }

    CDiaShowViewer* viewer = CDiaShowViewer::Start(album, album->GetHeadObject(), nullptr);
    if (!viewer || !viewer->GetPicture())
        return 1;
    QApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    viewer->SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    const CPictureInfo* shown = viewer->GetPicture();
    if (viewer->GetNumber() != 2 || !shown)
        return 1;
    CRect screen;
    viewer->GetClientRect(&screen);
    std::printf("seconds=%.6f screen=%dx%d picture=%dx%d\n", seconds.count(), screen.Width(), screen.Height(),
                shown->GetWidth(), shown->GetHeight());
    viewer->DestroyWindow();
    return 0;
}
