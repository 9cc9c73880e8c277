// The slide show and the photo information dialog over photo-like pictures, for people:
// album_dialogs_gallery OUTPUT_FOLDER under an X server of 1024 x 768 (scripts/run_gallery.py
// starts one). Writes slideshow.png, photo-info.png and album-dialog.png.

#include "albums/AlbumDlg.h"
#include "albums/DiaShowViewer.h"
#include "albums/PhotoInfoDlg.h"
#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "library/Photo.h"
#include "tests/albums/AlbumDialogsFixture.h"
#include "tests/support/GallerySupport.h"
#include "tools/photoscene/PhotoScene.h"

namespace {

class AlbumDialogsGallery : public Gallery<AlbumDialogsTest> {
    bool Shoot(const CString& folder) override {
        CDSAlbum* album = m_manager->CreateAlbum(Photos(), "Bergsommer");
        const char* titles[] = {"Morgen am See", "Die Hütte", "Abendlicht am Bergsee", "Gipfelblick"};
        for (int i = 0; i < 4; ++i) {
            SceneVariant variant;
            variant.sunX = 0.2 + 0.2 * i;
            variant.face = i == 2;
            variant.redEyes = false;
            CString name;
            name.Format("szene%d.bmp", i + 1);
            CPhoto* photo = AddScene(album, name, titles[i], variant);
            if (!photo)
                return false;
            photo->SetDescription("Urlaub in den Bergen, Sommer 2001");
        }
        CDSObj* shown = album->GetObjectAt(2);
        bool saved = GrabSlideShow(album, shown, folder + "/slideshow.png");
        saved = GrabPhotoInfo(shown, folder + "/photo-info.png") && saved;
        return AddSummerScenes(album) && GrabAlbumDialog(folder + "/album-dialog.png") && saved;
    }

    CPhoto* AddScene(CDSAlbum* album, const CString& name, const CString& title,
                     const SceneVariant& variant) {
        const std::vector<BYTE> dib = MakePhotoScene(800, 600, variant);
        CPictureInfo picture;
        if (!picture.SetExternalDib(dib.data(), dib.size()) ||
            !picture.WriteBmpFile(PhotoFolder() + "/" + name))
            return nullptr;
        CPhoto* photo = AddPhoto(album, name, title);
        auto* thumbnail = new CPictureInfo;
        thumbnail->CreateThumbnail(CSize(160, 120), RGB(255, 255, 255), &picture);
        photo->SetThumbnail(thumbnail);
        return photo;
    }

    // Ten more pictures of the summer, so that the album fills more than one page.
    bool AddSummerScenes(CDSAlbum* album) {
        const char* titles[] = {
            "Almwiese",           "Nebel im Tal", "Blumen am Weg", "Sonnenaufgang", "Am Ufer",
            "Wanderung zum Grat", "Rast",         "Waldrand",      "Letzter Tag",   "Heimweg"};
        for (int i = 0; i < 10; ++i) {
            SceneVariant variant;
            variant.sunX = 0.1 + 0.08 * i;
            variant.sunY = 0.1 + 0.03 * (i % 4);
            variant.face = i % 3 == 1;
            variant.redEyes = false;
            variant.smile = true;
            variant.shore = i % 2 ? 0.75 : 1.2;
            variant.trees = i % 3 == 0 ? 0.12 : 0;
            variant.crownLight = {70, 130, 50};
            variant.crownDark = {30, 70, 30};
            variant.flowers = i == 2 ? 0.08 : 0.01;
            variant.fog = i == 1 ? 0.5 : 0;
            variant.haze = {215, 220, 225};
            CString name;
            name.Format("sommer%d.bmp", i + 1);
            if (!AddScene(album, name, titles[i], variant))
                return false;
        }
        return true;
    }

    bool GrabAlbumDialog(const CString& path) {
        CAlbumDlg dialog(&m_owner);
        return SaveDialogPicture(dialog, path, [&] { dialog.SelectPhoto(dialog.GetPhotoWnd(2), 0); });
    }

    bool GrabSlideShow(CDSAlbum* album, CDSObj* entry, const CString& path) {
        CDiaShowViewer* viewer = CDiaShowViewer::Start(album, entry, &m_owner);
        if (!viewer)
            return false;
        ShowActive(viewer);
        const bool saved = SaveWindowPicture(*viewer, path);
        viewer->DestroyWindow();
        return saved;
    }

    bool GrabPhotoInfo(CDSObj* photo, const CString& path) {
        CPhotoInfoDlg dialog(photo, &m_owner);
        return SaveDialogPicture(dialog, path);
    }
};

} // namespace

int main(int argc, char** argv) {
    return GalleryMain<AlbumDialogsGallery>(argc, argv, "album_dialogs_gallery");
}
