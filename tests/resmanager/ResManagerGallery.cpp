// The resource manager in album mode over photo-like pictures, for people: resource_manager_gallery
// OUTPUT_FOLDER under an X server (scripts/run_gallery.py starts one). Writes
// resource-manager.png.

#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "resmanager/ObjectsView.h"
#include "resmanager/ResManagerPanes.h"
#include "resmanager/ResManagerWnd.h"
#include "tests/resmanager/ResManagerFixture.h"
#include "tests/support/GallerySupport.h"
#include "tools/photoscene/PhotoScene.h"

namespace {

class ResManagerGallery : public Gallery<ResManagerTest> {
    bool Shoot(const CString& folder) override {
        Photos()->SetName("Bilder");
        MakeAlbum("Garten", 0);
        CDSAlbum* album = MakeAlbum("Bergsommer", 0);
        const char* titles[] = {"Morgen am See", "Die Hütte", "Abendlicht", "Gipfelblick", "Rast", "Heimweg"};
        for (int i = 0; i < 6; ++i) {
            SceneVariant variant;
            variant.sunX = 0.15 + 0.14 * i;
            variant.face = i == 2;
            variant.redEyes = false;
            const std::vector<BYTE> dib = MakePhotoScene(i % 2 ? 600 : 800, 600, variant);
            CPictureInfo picture;
            CString name;
            name.Format("%s/drops/szene%d.bmp", m_folder.Path().GetString(), i + 1);
            if (!picture.SetExternalDib(dib.data(), dib.size()) || !picture.WriteBmpFile(name))
                return false;
            auto* photo = new CPhoto;
            photo->SetFilePath(name);
            photo->SetTitle(titles[i]);
            auto* thumbnail = new CPictureInfo;
            thumbnail->CreateThumbnail(CSize(i % 2 ? 75 : 100, 75), RGB(255, 255, 255), &picture);
            photo->SetThumbnail(thumbnail);
            if (!album->AddObjects(photo))
                return false;
        }
        // The program's own album tree, with the album chosen in it as a user would.
        CResManagerWnd::SetAlbumsViewClass(nullptr);
        if (!OpenFrame(CSize(1000, 700)))
            return false;
        ShowActive(&m_owner);
        IAlbumTreeOperations* tree = m_frame->GetAlbumTree();
        if (!tree || tree->SelectAlbumNode(album) != 0)
            return false;
        PumpMessages();
        Objects()->GetListCtrl().SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        return SaveWindowPicture(m_owner, folder + "/resource-manager.png");
    }
};

} // namespace

int main(int argc, char** argv) {
    return GalleryMain<ResManagerGallery>(argc, argv, "resource_manager_gallery");
}
