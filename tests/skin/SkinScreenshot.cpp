// Draws the main window's skin with every skinned button of its layout in place and saves a picture of
// the screen: skin_screenshot OUTPUT.png. Run under Xvfb so that a person can judge the art.

#include "platform/base/Module.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/PaintDC.h"
#include "skin/KnobBitmapButton.h"
#include "skin/MyBitmapButton.h"
#include "skin/RadioBitmapButton.h"
#include "skin/SkinBitmap.h"
#include "skin/TwoColorsBitmapButton.h"
#include "skinart/SkinArt.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <memory>
#include <span>
#include <vector>

namespace {

struct Placed {
    const char* name; // bitmap prefix
    UINT id;
    POINT position;
    std::span<const POINT> shape;
    std::span<const POINT> hit;
    bool radio = false;
};

const std::vector<Placed> kButtons = {
    {"MINIMIZE", 1000, {768, 6}, SkinArt::kMainMinimizeShape, SkinArt::kMainMinimizeHit},
    {"CLOSE", 1001, {785, 6}, SkinArt::kMainCloseShape, SkinArt::kMainCloseHit},
    {"ABOUT", 1003, {656, 14}, SkinArt::kMainAboutShape, SkinArt::kMainAboutHit},
    {"PRINT", 1007, {62, 62}, SkinArt::kMainPrintShape, SkinArt::kMainPrintHit},
    {"LADEN", 2047, {94, 10}, SkinArt::kMainLadenShape, SkinArt::kMainLadenHit},
    {"SPEICHERN", 2048, {42, 17}, SkinArt::kMainSpeichernShape, SkinArt::kMainSpeichernHit},
    {"ALBUM", 2029, {23, 34}, SkinArt::kMainAlbumShape, SkinArt::kMainAlbumHit},
    {"SCANNER", 2051, {3, 80}, SkinArt::kMainScannerShape, SkinArt::kMainScannerHit},
    {"CAMERA", 2050, {2, 92}, SkinArt::kMainCameraShape, SkinArt::kMainCameraHit},
    {"DISK", 1004, {11, 104}, SkinArt::kMainDiskShape, SkinArt::kMainDiskHit},
    {"EFFEKTE", 1014, {1, 145}, SkinArt::kMainEffekteShape, SkinArt::kMainEffekteHit},
    {"EINSTELLUNGEN", 2040, {2, 178}, SkinArt::kMainEinstellungenShape, SkinArt::kMainEinstellungenHit},
    {"DRUCKEN", 2024, {84, 181}, SkinArt::kMainDruckenShape, SkinArt::kMainDruckenHit},
    {"EDIT_MODE_", 2081, {13, 229}, SkinArt::kMainEditModeShape, SkinArt::kMainEditModeHit, true},
    {"NORMAL_MODE_", 2080, {98, 229}, SkinArt::kMainNormalModeShape, SkinArt::kMainNormalModeHit, true},
    {"INTERNET_", 2100, {30, 320}, SkinArt::kMainInternetShape, SkinArt::kMainInternetHit},
    {"RES_MGR_", 2101, {90, 320}, SkinArt::kMainResMgrShape, SkinArt::kMainResMgrHit},
    {"MS_2COLORS", 2082, {200, 3}, SkinArt::kMain2ColorsShape, SkinArt::kMain2ColorsHit},
    {"MS_GRAY", 2083, {230, 3}, SkinArt::kMainGrayShape, SkinArt::kMainGrayHit},
    {"MS_256COLORS", 2084, {260, 3}, SkinArt::kMain256ColorsShape, SkinArt::kMain256ColorsHit},
    {"MS_TRUECOLORS", 2085, {290, 3}, SkinArt::kMainTrueColorsShape, SkinArt::kMainTrueColorsHit},
    {"MS_BRIGHTNESS", 2090, {320, 3}, SkinArt::kMainBrightnessShape, SkinArt::kMainBrightnessHit},
    {"MS_SATURATION", 2091, {350, 3}, SkinArt::kMainSaturationShape, SkinArt::kMainSaturationHit},
    {"MS_CONTRAST", 2092, {380, 3}, SkinArt::kMainContrastShape, SkinArt::kMainContrastHit},
    {"MS_SHARPNESS", 2093, {410, 3}, SkinArt::kMainSharpnessShape, SkinArt::kMainSharpnessHit},
    {"MS_GAMMA", 2094, {440, 3}, SkinArt::kMainGammaShape, SkinArt::kMainGammaHit},
    {"MS_ROTATE", 2087, {470, 3}, SkinArt::kMainRotateShape, SkinArt::kMainRotateHit},
    {"MS_MIRROR", 2086, {500, 3}, SkinArt::kMainMirrorShape, SkinArt::kMainMirrorHit},
    {"MS_MOVE", 2088, {530, 3}, SkinArt::kMainMoveShape, SkinArt::kMainMoveHit},
    {"MS_MERGE", 2095, {560, 3}, SkinArt::kMainMergeShape, SkinArt::kMainMergeHit},
    {"MS_ORIGPICT", 2089, {590, 3}, SkinArt::kMainOrigPictShape, SkinArt::kMainOrigPictHit},
    {"MAIN_TEXT", 2099, {615, 3}, SkinArt::kMainTextShape, SkinArt::kMainTextHit},
};

class SkinWindow : public CWnd {
public:
    CBitmap m_background;

protected:
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnPaint() override {
        CPaintDC dc(this);
        DrawSkinBitmap(&dc, CRect(0, 0, 800, 600), m_background, nullptr);
    }
};

void Polygon(CRgn& region, std::span<const POINT> points) {
    region.CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    EnsureUiApplication();
    FakeAppServices services;
    HMODULE resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    services.SetResourceModule(resources);

    SkinWindow window;
    window.CreateEx(0, nullptr, "Vellumcraft", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0);
    if (!LoadSkinBitmap(window.m_background, "MAIN_WND", &window))
        return 1;

    CKnobBitmapButton knob;
    knob.Create("Knob", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 200, 210), &window, 1004);
    CRgn outline, disc, knobShape;
    Polygon(outline, SkinArt::kMainKnobOutline);
    Polygon(disc, SkinArt::kMainPrintShape);
    disc.OffsetRgn(62, 62);
    knobShape.CreateRectRgn(0, 0, 0, 0);
    knobShape.CombineRgn(&outline, &disc, RGN_DIFF);
    knob.SetRegion(&knobShape, &outline, TRUE);
    knob.LoadBitmaps({"KNOBLADENU", "KNOBSPEICHERNU", "KNOBALBUMU", "KNOBSCANNERU", "KNOBCAMERAU",
                      "KNOBDISKU", "KNOBEFFEKTEU", "KNOBEINSTELLUNGENU", "KNOBDRUCKENU"});

    std::vector<std::unique_ptr<CSkinButton>> buttons;
    for (const Placed& placed : kButtons) {
        std::unique_ptr<CSkinButton> button;
        if (placed.radio)
            button = std::make_unique<CRadioBitmapButton>();
        else if (placed.id == 2082)
            button = std::make_unique<CTwoColorsBitmapButton>();
        else
            button = std::make_unique<CMyBitmapButton>();
        button->Create(placed.name, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), &window,
                       placed.id);
        button->SetWindowPos(nullptr, placed.position.x, placed.position.y, 210, 200, SWP_NOZORDER);
        CRgn shape, hit;
        Polygon(shape, placed.shape);
        Polygon(hit, placed.hit);
        button->SetRegions(&shape, &hit, TRUE);
        const CString name(placed.name);
        BOOL loaded = placed.radio ? button->LoadBitmaps(name + "UU", name + "UF", name + "DU", name + "DF")
                                   : button->LoadBitmaps(name + "U", name + "D", name + "F", name + "X");
        if (!loaded && !button->m_bitmap.m_hObject)
            return 1;
        if (placed.id == 2080)
            static_cast<CRadioBitmapButton*>(button.get())->SetCheck(TRUE);
        buttons.push_back(std::move(button));
    }
    PumpMessages();
    QThread::msleep(300);
    PumpMessages();
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, 800, 600);
    const bool saved = shot.save(argv[1]);
    window.DestroyWindow();
    PumpMessages();
    FreeLibrary(resources);
    return saved ? 0 : 1;
}
