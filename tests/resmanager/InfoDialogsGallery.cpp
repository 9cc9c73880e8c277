// The resource and template information dialogs over a photo-like picture and a page of frames, for
// people: info_dialogs_gallery OUTPUT_FOLDER under an X server of 1024 x 768 (scripts/run_gallery.py
// starts one). Writes resource-info.png and template-info.png.

#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "page/DrawRect.h"
#include "page/Template.h"
#include "page/TemplateList.h"
#include "platform/base/Path.h"
#include "platform/base/Time.h"
#include "resmanager/ResourceInfoDlg.h"
#include "resmanager/TemplateInfoDlg.h"
#include "tests/albums/AlbumDialogsFixture.h"
#include "tests/support/GallerySupport.h"
#include "tests/support/RunTool.h"
#include "tools/photoscene/PhotoScene.h"

#include <string>

namespace {

class InfoDialogsGallery : public Gallery<AlbumDialogsTest> {
    bool Shoot(const CString& folder) override {
        Photos()->SetName("Fotos");
        CPhoto* photo = AddScenePhoto();
        bool saved = false;
        if (photo) {
            CResourceInfoDlg resourceInfo(photo, 596u, &m_owner);
            saved = SaveDialogPicture(resourceInfo, folder + "/resource-info.png");
        }
        CTemplate page;
        FillTemplate(page);
        CTemplateInfoDlg templateInfo(&page, &m_owner);
        return SaveDialogPicture(templateInfo, folder + "/template-info.png") && saved;
    }

    // A JPEG with an artist comment deep in the user's picture folders, kept with its full path.
    CPhoto* AddScenePhoto() {
        const CString sceneFolder =
            PhotoFolder() + "/Urlaub 2001/Sommer an der Ostsee/Zweite Woche in Ahrenshoop";
        MakeFolderPath(sceneFolder);
        SceneVariant variant;
        variant.redEyes = false;
        CPictureInfo picture;
        const std::vector<BYTE> dib = MakePhotoScene(800, 600, variant);
        const CString bmp = sceneFolder + "/strand.bmp";
        const CString jpeg = sceneFolder + "/Am Strand bei Sonnenuntergang.jpg";
        if (!picture.SetExternalDib(dib.data(), dib.size()) || !picture.WriteBmpFile(bmp) ||
            RunTool("/usr/bin/convert '" + std::string(bmp.str()) + "' -quality 90 '" + jpeg.str() + "'") !=
                0 ||
            RunTool("exiftool -overwrite_original -Artist='Anna Berger' '" + std::string(jpeg.str()) +
                    "' >/dev/null") != 0)
            return nullptr;
        CDSAlbum* album = m_manager->CreateAlbum(Photos(), "Ostsee");
        CPhoto* photo = album ? AddPhoto(album, "strand.bmp", "Am Strand") : nullptr;
        if (!photo)
            return nullptr;
        photo->SetFilePath(jpeg);
        photo->SetRelative(false);
        auto* thumbnail = new CPictureInfo;
        thumbnail->CreateThumbnail(CSize(100, 75), RGB(255, 255, 255), &picture);
        photo->SetThumbnail(thumbnail);
        return photo;
    }

    static void AddFrame(CTemplate& page, const CRect& position) {
        auto* frame = new CDrawRect(position);
        frame->SetBrushFlag(TRUE);
        frame->SetPenFlag(TRUE);
        page.GetObjectList().AddTail(frame);
    }

    // A landscape A4 page with three frames, described as the shipped template list describes one.
    static void FillTemplate(CTemplate& page) {
        const std::unique_ptr<CTemplate> described = TemplateFromListFields(SplitTemplateListLine(
            "A4 quer – drei Bilder;A4;Querformat;a4_quer_drei_bilder.tpl;3;Vellumcraft;Mehrere Bilder;"
            "297 × 210 mm;Drei Bilder nebeneinander auf einer liegenden A4-Seite mit 15 mm Rand."));
        page.SetTitle(described->GetTitle());
        page.SetName(described->GetName());
        page.SetComment(described->GetComment());
        for (const int field : {1, 2, 3, 5, 6, 8})
            page.SetRecordText(field, described->GetRecordText(field));
        page.SetPageSize(CSize(2100, 2970));
        page.SetOrientation(2);
        page.SetFileTime(CTime(2001, 6, 14, 9, 5, 0).GetTime());
        for (int i = 0; i < 3; ++i)
            AddFrame(page, CRect(150 + i * 900, 300, 960 + i * 900, 1800));
    }
};

} // namespace

int main(int argc, char** argv) {
    return GalleryMain<InfoDialogsGallery>(argc, argv, "info_dialogs_gallery");
}
