// The category panel at the bottom of a window of the main window's size, one picture per category:
// photos (the second selected, one file missing), templates, mats, stencils and clip art. Run under an
// X server: category_panel_gallery OUTPUT_FOLDER. For people to judge; the tests check the behaviour.

#include "image/PictureInfo.h"
#include "library/DSObj.h"
#include "page/DrawRect.h"
#include "platform/base/Archive.h"
#include "platform/base/File.h"
#include "platform/ui/WindowRecord.h"
#include "tests/albums/PanelFixture.h"
#include "tests/image/DibBuilder.h"
#include "tests/support/GallerySupport.h"
#include "tests/support/UiTestSupport.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <filesystem>

namespace {

// A landscape of sky, sun and hill in the album's tone.
CPictureInfo* Scene(int width, int height, unsigned sky, unsigned hill, int shift) {
    DibBuilder dib(width, height, 24);
    std::vector<unsigned> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool ground = y > height * 2 / 3 + static_cast<int>(8 * std::sin((x + shift) / 14.0));
            const bool sun = std::hypot(x - width * 3 / 4 + shift % 20, y - height / 4) < height / 7.0;
            pixels.push_back(ground ? hill : sun ? 0xFFD860u : sky);
        }
    dib.Pixels(pixels);
    return PictureOf(dib);
}

// A white field with a soft shape in the middle, as stencils and clip art look.
CPictureInfo* Shape(int side, unsigned colour, int kind) {
    DibBuilder dib(side, side, 24);
    std::vector<unsigned> pixels;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double dx = (x - side / 2.0) / (side / 2.6);
            const double dy = (y - side / 2.0) / (side / 2.6);
            const double r = kind % 2 ? std::hypot(dx, dy) : std::max(std::abs(dx), std::abs(dy) * 1.3);
            pixels.push_back(r < 1.0 ? colour : 0xFFFFFFu);
        }
    dib.Pixels(pixels);
    return PictureOf(dib);
}

class PanelGallery : public Gallery<PanelTest> {
    void Dress(CDSAlbum* album, int kind) {
        static const unsigned kSkies[] = {0x7DB7E8, 0xF0B080, 0xB8D0E0, 0x90C8F0,
                                          0xE8C8A0, 0xA0B8D8, 0xC0E0F0};
        static const unsigned kHills[] = {0x4C9A4C, 0x8A5A3A, 0x6A8A6A, 0x3C7C5C,
                                          0xA07A40, 0x5A6A8A, 0x70A050};
        int i = 0;
        for (POSITION pos = album->GetObjectList().GetHeadPosition(); pos; ++i) {
            CDSObj* entry = album->GetObjectList().GetNext(pos);
            const size_t tone = static_cast<size_t>(i) % 7;
            entry->SetThumbnail(kind == 0
                                    ? Scene(100, 75 - (i == 2 ? 25 : 0), kSkies[tone], kHills[tone], i * 9)
                                : kind == 1 ? Shape(90, 0x8A6A4A - static_cast<unsigned>(i) * 0x080808, 0)
                                            : Shape(90, kHills[tone], i));
        }
    }

    void WritePage(const char* name, CSize size, int orientation, std::initializer_list<CRect> frames) {
        CTemplate page;
        page.SetPageSize(size);
        page.SetOrientation(orientation);
        for (const CRect& frame : frames)
            page.InsertObject(new CDrawRect(frame), -1);
        CFile file(KindFolder(kResTypePrintTemplates) + "/" + name, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        page.Serialize(ar);
        ar.Close();
    }

    bool Grab(const CString& path) {
        PumpMessages();
        QWidget* widget = WidgetOf(m_panel->m_hWnd);
        const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(widget->winId());
        return shot.save(path.GetString());
    }

    bool Shoot(const CString& folder) override {
        std::filesystem::create_directories(folder.str());
        CDSAlbum* photos = MakeAlbum(kResTypePictures, "Sommerurlaub", 9, "Foto");
        Dress(photos, 0);
        std::filesystem::remove(KindFolder(kResTypePictures).str() + "/Foto4.bmp");
        Dress(MakeAlbum(kResTypeFrames, "Holzrahmen", 4, "Rahmen"), 1);
        Dress(MakeAlbum(kResTypeStencils, "Schablonen", 6, "Form"), 2);
        Dress(MakeAlbum(kResTypeClipart, "Verzierungen", 7, "Stern"), 2);
        WritePage("a4hoch.tpl", CSize(2100, 2970), 1, {CRect(200, 200, 1900, 2000)});
        WritePage("a4quer.tpl", CSize(2100, 2970), 2, {CRect(200, 200, 2770, 1900)});
        WritePage("vier.tpl", CSize(2100, 2970), 1,
                  {CRect(150, 150, 1000, 1400), CRect(1100, 150, 1950, 1400), CRect(150, 1550, 1000, 2800),
                   CRect(1100, 1550, 1950, 2800)});
        WriteTemplateList("A4 hoch;9;Hochformat;a4hoch.tpl;1;Vellumcraft;Einzelbilder;210 x 297;Ein Bild.\n"
                          "A4 quer;9;Querformat;a4quer.tpl;1;Vellumcraft;Einzelbilder;297 x 210;Ein Bild.\n"
                          "Vier;9;Hochformat;vier.tpl;4;Vellumcraft;Einzelbilder;210 x 297;Vier Bilder.\n");
        m_frame.MoveWindow(0, 0, 800, 600);
        if (!CreatePanel())
            return false;
        ClickTile(CCategWnd::kPhotos, 1);
        bool saved = Grab(folder + "/fotos.png");
        const char* names[] = {"vorlagen", "rahmen", "schablonen", "cliparts"};
        for (int position = 1; position <= 4; ++position) {
            ChooseCategory(position);
            saved = Grab(folder + "/" + names[position - 1] + ".png") && saved;
        }
        return saved;
    }
};

} // namespace

int main(int argc, char** argv) {
    return GalleryMain<PanelGallery>(argc, argv, "category_panel_gallery");
}
