// The page canvas in a window of the main window's size: a template with pictures, a mat, a text and a
// clipart, edited with a selection (canvas-edit.png), and the normal-mode page with one framed picture
// (canvas-normal.png). Run under an X server: canvas_gallery OUTPUT_FOLDER. For people to judge; the
// tests check the behaviour.

#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "library/Clipart.h"
#include "library/Mat.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawRect.h"
#include "page/DrawText.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/TimerTesting.h"
#include "platform/ui/WindowRecord.h"
#include "tests/image/DibBuilder.h"
#include "tests/page/CanvasFixture.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/GallerySupport.h"
#include "tests/support/UiTestSupport.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace {

class CanvasGallery : public Gallery<CanvasFixture> {
    static CPictureInfo* Landscape() {
        DibBuilder dib(160, 120, 24);
        std::vector<unsigned> pixels;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 160; ++x) {
                const double sun = std::hypot(x - 115, y - 35);
                const bool hill = y > 80 + 12 * std::sin(x / 18.0);
                unsigned rgb = 0x5A9BD8 + static_cast<unsigned>(y / 8) * 0x020200;
                if (sun < 16)
                    rgb = 0xFFD23C;
                if (hill)
                    rgb = 0x3C8C3C - (y > 100 ? 0x001400 : 0);
                pixels.push_back(rgb);
            }
        dib.Pixels(pixels);
        return PictureOf(dib);
    }

    CMat* BrownMat() {
        const CString base = Res("holz");
        std::vector<unsigned> frame, mask;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool border = x < 12 || x >= 88 || y < 12 || y >= 88;
                frame.push_back(border ? ((x + y) % 7 < 2 ? 0x6B4423u : 0x8B5A2Bu) : 0xFFFFFFu);
                mask.push_back(border ? 0xFFFFFFu : 0x000000u); // white where the mat covers the page
            }
        WriteBmp(base + ".bmp", 100, 100, frame);
        WriteBmp(base + ".msk", 100, 100, mask);
        WriteFile(base + ".frm", "100\n100\n12\n13\n86\n86\nHolz\n");
        auto* mat = new CMat;
        mat->SetFilePath(base + ".bmp");
        return mat;
    }

    CDrawImage* Photo(const CRect& frame) {
        auto* image = new CDrawImage(frame);
        CPictureInfo* picture = Landscape();
        image->SetAdjustedDib(picture);
        picture->Release();
        return image;
    }

    bool Grab(const char* path) {
        PumpMessages();
        QWidget* widget = WidgetOf(m_main.m_hWnd);
        const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(widget->winId());
        return shot.save(path);
    }

    bool Shoot(const CString& folder) override {
        // The main window's skin around the canvas.
        CDC* skin = m_main.GetDC();
        skin->FillSolidRect(0, 0, 800, 600, 0x40332B);
        m_main.ReleaseDC(skin);
        CDrawImage* first = Add(Photo(CRect(150, 150, 1950, 1500)));
        first->SetMat(BrownMat());
        Add(Photo(CRect(150, 1600, 1000, 2300)));
        CDrawImage* third = Add(Photo(CRect(1100, 1600, 1950, 2300)));
        third->SetShape(kShapeEllipse);
        CDrawText* title = Add(Text(CRect(300, 2450, 1300, 2800), "Sommer 2026"));
        LOGFONT font = title->GetLogFont();
        font.lfHeight = -40;
        font.lfWeight = 700;
        title->SetLogFont(font);
        title->SetColor(0xA05A1E);
        title->SetEffect(kTextShadowLowerRight);
        title->SetTemplate(m_host.m_page.get());
        WriteBmp(Res("stern.bmp"), 40, 40, {0x20C0F0});
        WriteBmp(Res("stern.msk"), 40, 40, {0xFFFFFF});
        auto* star = new CClipart;
        star->SetFilePath(Res("stern.bmp"));
        CDrawClipart* clipart = Add(new CDrawClipart(CRect(1500, 2450, 1850, 2800), star));
        clipart->SetRotation(300);
        clipart->RebuildRotated();
        m_canvas->Redraw();
        ClickAt(m_canvas, Centre(third));
        PumpMessages();
        title->SetSelected(TRUE);
        AdvanceTimersForTesting(250);
        if (!Grab(folder + "/canvas-edit.png"))
            return false;

        m_app.SetEditMode(FALSE);
        m_canvas->KillDragTimer();
        m_host.m_normalPage = A4Page();
        m_host.m_normalPage->SetOrientation(0);
        m_host.m_normalPage->InsertObject(new CDrawRect(CRect(200, 200, 2770, 1900)), -1);
        CWorkBitmap work;
        CPictureInfo* picture = Landscape();
        work.SetAdjustedDib(picture);
        picture->Release();
        m_host.m_work = &work;
        m_host.m_mat.reset(BrownMat());
        m_host.m_mat->LoadData();
        m_canvas->Redraw();
        const bool saved = Grab(folder + "/canvas-normal.png");
        m_host.m_work = nullptr;
        return saved;
    }
};

} // namespace

int main(int argc, char** argv) {
    return GalleryMain<CanvasGallery>(argc, argv, "canvas_gallery");
}
