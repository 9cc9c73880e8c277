// Draws every kind of page object (shapes, polygon, pictures in each shape, with mats, a stencil and a
// rotation, texts with each effect, clipart placeholder and turned clipart) onto one page and saves it:
// page_gallery OUTPUT.png. For people to judge the drawing; the tests check it.

#include "image/PictureInfo.h"
#include "library/Clipart.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawPoly.h"
#include "page/DrawText.h"
#include "platform/gdi/GdiTypes.h"
#include "tests/image/DibBuilder.h"
#include "tests/page/PageFixture.h"
#include "tests/page/PageTestSupport.h"

#include <QImage>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr int kCell = 200;
constexpr COLORREF kPaper = 0xF4F0EC;

class Gallery : public PageFixture {
public:
    void TestBody() override {}

    // A landscape photo stand-in: sky, sun, hills.
    static CPictureInfo* Landscape() {
        DibBuilder dib(160, 120, 24);
        std::vector<unsigned> pixels;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 160; ++x) {
                const double sun = std::hypot(x - 115, y - 35);
                const bool hill = y > 80 + 12 * std::sin(x / 18.0);
                unsigned rgb = 0x5A9BD8 + (y / 8) * 0x020200;
                if (sun < 16)
                    rgb = 0xFFD23C;
                if (hill)
                    rgb = 0x3C8C3C - (y > 100 ? 0x001400 : 0);
                pixels.push_back(rgb);
            }
        dib.Pixels(pixels);
        return PictureOf(dib);
    }

    CMat* BrownMat(const char* name) {
        const CString folder = Res(name);
        std::vector<unsigned> frame, mask;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool border = x < 15 || x >= 85 || y < 15 || y >= 85;
                frame.push_back(border ? ((x + y) % 7 < 2 ? 0x6B4423u : 0x8B5A2Bu) : 0xFFFFFFu);
                mask.push_back(border ? 0xFFFFFFu : 0x000000u);
            }
        WriteBmp(folder + ".bmp", 100, 100, frame);
        WriteBmp(folder + ".msk", 100, 100, mask);
        WriteFile(folder + ".frm", std::string("100\n100\n15\n16\n83\n83\n") + name + "\n");
        auto* mat = new CMat;
        mat->SetFilePath(folder + ".bmp");
        return mat;
    }

    CStencil* HeartStencil() {
        std::vector<unsigned> pixels;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                const double u = (x - 50) / 40.0, v = (45 - y) / 40.0;
                const double f = std::pow(u * u + v * v - 1, 3) - u * u * v * v * v;
                pixels.push_back(f <= 0 ? 0xFFFFFFu : 0x000000u);
            }
        WriteBmp(Res("herz.bmp"), 100, 100, pixels);
        auto* stencil = new CStencil;
        stencil->SetFilePath(Res("herz.bmp"));
        return stencil;
    }

    CClipart* Star() {
        std::vector<unsigned> pixels, mask;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const double a = std::atan2(y - 32, x - 32), r = std::hypot(x - 32, y - 32);
                const bool inside = r < 14 + 16 * std::pow(std::cos(2.5 * a), 2);
                pixels.push_back(inside ? 0xE03C3Cu : 0xFFFFFFu);
                mask.push_back(inside ? 0xFFFFFFu : 0x000000u);
            }
        WriteBmp(Res("stern.bmp"), 64, 64, pixels);
        WriteBmp(Res("stern.msk"), 64, 64, mask);
        auto* clipart = new CClipart;
        clipart->SetFilePath(Res("stern.bmp"));
        return clipart;
    }

    std::unique_ptr<CDrawImage> Photo(int column, int row, int shape = kShapeRectangle) {
        auto image = std::make_unique<CDrawImage>(Cell(column, row));
        image->SetShape(shape);
        image->SetRoundness(CPoint(60, 60));
        image->SetStateFlag(false);
        CPictureInfo* picture = Landscape();
        image->SetOriginalPicture(picture, FALSE);
        image->SetAdjustedDib(picture);
        picture->Release();
        return image;
    }

    static CRect Cell(int column, int row) {
        return {column * kCell + 25, row * kCell + 20, column * kCell + kCell - 25, row * kCell + kCell - 50};
    }

    static void Label(CDC& dc, int column, int row, const char* text) {
        CRect box(column * kCell, row * kCell + kCell - 40, column * kCell + kCell, row * kCell + kCell - 10);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(0x202020);
        dc.DrawText(text, -1, &box, DT_CENTER | DT_SINGLELINE);
    }

    int Run(const char* output) {
        QImage page(6 * kCell, 4 * kCell, QImage::Format_RGB32);
        page.fill(QColor(GetRValue(kPaper), GetGValue(kPaper), GetBValue(kPaper)));
        CDC dc;
        dc.CreateImageDC(&page);
        CFont labelFont;
        labelFont.CreateFont(-14, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        CFont* previousFont = dc.SelectObject(&labelFont);

        // Shapes and a polygon.
        const char* shapeNames[] = {"Rechteck", "Abgerundet", "Ellipse", "Linie"};
        for (int shape = 0; shape < 4; ++shape) {
            CDrawRect rect(Cell(shape, 0));
            rect.SetShape(shape);
            rect.SetRoundness(CPoint(40, 40));
            rect.SetPenFlag(TRUE);
            rect.SetBrushFlag(TRUE);
            rect.SetLogPen({PS_SOLID, {4, 4}, 0});
            rect.Draw(&dc, 0, 0, 1.0f);
            Label(dc, shape, 0, shapeNames[shape]);
        }
        CDrawPoly poly(Cell(4, 0));
        const CRect c = Cell(4, 0);
        const CPoint star[] = {{c.left + 75, c.top},        {c.left + 95, c.top + 50},
                               {c.left + 150, c.top + 55},  {c.left + 105, c.top + 85},
                               {c.left + 120, c.top + 130}, {c.left + 75, c.top + 105},
                               {c.left + 30, c.top + 130},  {c.left + 45, c.top + 85},
                               {c.left, c.top + 55},        {c.left + 55, c.top + 50}};
        poly.SetPoints(star, 10);
        poly.SetLogPen({PS_SOLID, {2, 2}, 0x7A3D00});
        poly.SetBrushFlag(TRUE);
        poly.SetLogBrush({BS_SOLID, 0x33AAFF, 0});
        poly.Draw(&dc, 0, 0, 1.0f);
        Label(dc, 4, 0, "Vieleck");
        CDrawRect selected(Cell(5, 0));
        selected.SetBrushFlag(TRUE);
        selected.Draw(&dc, 0, 0, 1.0f);
        selected.DrawTracker(&dc, 1);
        Label(dc, 5, 0, "Ausgewählt");

        // Pictures in each shape, with mats, a stencil and a rotation.
        Photo(0, 1)->Draw(&dc, 0, 0, 1.0f);
        Label(dc, 0, 1, "Bild");
        Photo(1, 1, kShapeRoundRectangle)->Draw(&dc, 0, 0, 1.0f);
        Label(dc, 1, 1, "Bild abgerundet");
        Photo(2, 1, kShapeEllipse)->Draw(&dc, 0, 0, 1.0f);
        Label(dc, 2, 1, "Bild als Ellipse");
        auto matted = Photo(3, 1);
        matted->SetMat(BrownMat("holz"));
        matted->Draw(&dc, 0, 0, 1.0f);
        Label(dc, 3, 1, "Mit Rahmen");
        auto oval = Photo(4, 1);
        oval->SetMat(BrownMat("ellipse"));
        oval->Draw(&dc, 0, 0, 1.0f);
        Label(dc, 4, 1, "Rahmen \"ellipse\"");
        auto stencilled = Photo(5, 1);
        stencilled->SetStencil(HeartStencil());
        stencilled->Draw(&dc, 0, 0, 1.0f);
        Label(dc, 5, 1, "Mit Schablone");

        auto turned = Photo(0, 2);
        turned->rotation = 300;
        turned->Rebuild(true);
        turned->Draw(&dc, 0, 0, 1.0f);
        Label(dc, 0, 2, "Bild gedreht 30°");
        auto zoomed = Photo(1, 2);
        zoomed->zoom = 180;
        zoomed->Draw(&dc, 0, 0, 1.0f);
        Label(dc, 1, 2, "Zoom 180 %");

        // Clipart: placeholder, upright and turned.
        CDrawClipart placeholder(Cell(2, 2));
        placeholder.Draw(&dc, 0, 0, 1.0f);
        Label(dc, 2, 2, "Clipart fehlt");
        CDrawClipart upright(Cell(3, 2));
        upright.SetClipart(Star());
        upright.Draw(&dc, 0, 0, 1.0f);
        Label(dc, 3, 2, "Clipart");
        CDrawClipart tilted(CRect(4 * kCell + 45, 2 * kCell + 30, 5 * kCell - 45, 3 * kCell - 70));
        tilted.SetClipart(Star());
        tilted.SetRotation(450);
        tilted.UpdateRotated();
        tilted.Draw(&dc, 0, 0, 1.0f);
        tilted.DrawFrame(&dc, 1.0f, 0, 0);
        Label(dc, 4, 2, "Clipart gedreht 45°");
        CDrawText framed(Cell(5, 2), "Auswahl-\nrahmen");
        framed.SetColor(0x552200);
        LOGFONT frameFont = framed.GetLogFont();
        frameFont.lfHeight = -7;
        framed.SetLogFont(frameFont);
        framed.Draw(&dc, 0, 0, 1.0f);
        framed.DrawFrame(&dc, 1.0f, 0, 0);
        Label(dc, 5, 2, "Text ausgewählt");

        // Texts with each effect.
        const char* effectNames[] = {"Text", "Schatten rechts unten", "Schatten links oben", "Relief"};
        for (int effect = 0; effect < 4; ++effect) {
            CDrawText text(Cell(effect, 3), "Urlaub\nam Meer");
            LOGFONT font = text.GetLogFont();
            font.lfHeight = -9;
            font.lfWeight = 700;
            text.SetLogFont(font);
            text.SetColor(effect == 3 ? 0x303030 : 0x8B2500);
            text.SetEffect(effect);
            text.Draw(&dc, 0, 0, 1.0f);
            Label(dc, effect, 3, effectNames[effect]);
        }
        CDrawText oneLine(Cell(4, 3), "In einer Zeile");
        oneLine.SetColor(0x006400);
        oneLine.DrawInRect(&dc, CRect(4 * kCell + 10, 3 * kCell + 60, 5 * kCell - 10, 3 * kCell + 100));
        Label(dc, 4, 3, "Text im Rechteck");

        dc.SelectObject(previousFont);
        return page.save(output) ? 0 : 1;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: page_gallery OUTPUT.png\n");
        return 2;
    }
    EnsureGuiApplication();
    Gallery gallery;
    return gallery.Run(argv[1]);
}
