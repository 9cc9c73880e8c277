// The main window's 33 buttons: where they stand on the skin, their shapes, bitmaps and tool tips, and
// the two operations that build them.

#include "app/MainWnd.h"
#include "platform/base/AppServices.h"
#include "platform/base/Resource.h"
#include "platform/gdi/Region.h"
#include "skin/KnobBitmapButton.h"
#include "skin/MyBitmapButton.h"
#include "skin/RadioBitmapButton.h"
#include "skin/TwoColorsBitmapButton.h"
#include "skinart/SkinArt.h"

#include <span>

namespace {

using B = CMainWnd::Button;

enum class Kind { Plain, Radio, TwoColors, Knob };

struct ButtonLayout {
    LPCTSTR caption;
    Kind kind;
    UINT id;
    POINT position; // skin coordinates of the window's top-left corner
    SIZE size;
    // Button client coordinates. An empty shape stands for the rectangle of the window's size, used as
    // hit area too.
    std::span<const POINT> shape;
    std::span<const POINT> hit;
    // Up, down, focus, disabled; for radio buttons UU, UF, DU, DF.
    std::array<LPCTSTR, 4> bitmaps;
};

constexpr SIZE kCaptionSize{100, 100};
constexpr SIZE kLabelSize{210, 200};
constexpr SIZE kAboutSize{200, 200};
constexpr SIZE kKnobSize{200, 210};
constexpr POINT kPrintPosition{62, 62};

// In the order of CMainWnd::Button.
// clang-format off
const std::array<ButtonLayout, CMainWnd::kButtonCount> kLayout = {{
    {"Minimize", Kind::Plain, 1000, {768, 6}, kCaptionSize,
     SkinArt::kMainMinimizeShape, SkinArt::kMainMinimizeHit,
     {"MINIMIZEU", "MINIMIZED", "MINIMIZEF", nullptr}},
    {"About", Kind::Plain, 1003, {656, 14}, kAboutSize,
     SkinArt::kMainAboutShape, SkinArt::kMainAboutHit,
     {"ABOUTU", "ABOUTD", "ABOUTF", nullptr}},
    {"Close", Kind::Plain, 1001, {785, 6}, kCaptionSize,
     SkinArt::kMainCloseShape, SkinArt::kMainCloseHit,
     {"CLOSEU", "CLOSED", "CLOSEF", nullptr}},
    {"Knob", Kind::Knob, 1004, {0, 0}, kKnobSize,
     SkinArt::kMainKnobOutline, SkinArt::kMainKnobOutline,
     {}},
    {"Print", Kind::Plain, 1007, kPrintPosition, kLabelSize,
     SkinArt::kMainPrintShape, SkinArt::kMainPrintHit,
     {"PRINTU", "PRINTD", "PRINTF", nullptr}},
    {"2 Colors", Kind::TwoColors, 2082, {200, 3}, kLabelSize,
     SkinArt::kMain2ColorsShape, SkinArt::kMain2ColorsHit,
     {"MS_2COLORSU", "MS_2COLORSD", "MS_2COLORSF", "MS_2COLORSX"}},
    {"Grayscale", Kind::Plain, 2083, {230, 3}, kLabelSize,
     SkinArt::kMainGrayShape, SkinArt::kMainGrayHit,
     {"MS_GRAYU", "MS_GRAYD", "MS_GRAYF", "MS_GRAYX"}},
    {"256Colors", Kind::Plain, 2084, {260, 3}, kLabelSize,
     SkinArt::kMain256ColorsShape, SkinArt::kMain256ColorsHit,
     {"MS_256COLORSU", "MS_256COLORSD", "MS_256COLORSF", "MS_256COLORSX"}},
    {"TrueColors", Kind::Plain, 2085, {290, 3}, kLabelSize,
     SkinArt::kMainTrueColorsShape, SkinArt::kMainTrueColorsHit,
     {"MS_TRUECOLORSU", "MS_TRUECOLORSD", "MS_TRUECOLORSF", "MS_TRUECOLORSX"}},
    {"Mirror", Kind::Plain, 2086, {500, 3}, kLabelSize,
     SkinArt::kMainMirrorShape, SkinArt::kMainMirrorHit,
     {"MS_MIRRORU", "MS_MIRRORD", "MS_MIRRORF", "MS_MIRRORX"}},
    {"Rotate", Kind::Plain, 2087, {470, 3}, kLabelSize,
     SkinArt::kMainRotateShape, SkinArt::kMainRotateHit,
     {"MS_ROTATEU", "MS_ROTATED", "MS_ROTATEF", "MS_ROTATEX"}},
    {"Move", Kind::Plain, 2088, {530, 3}, kLabelSize,
     SkinArt::kMainMoveShape, SkinArt::kMainMoveHit,
     {"MS_MOVEU", "MS_MOVED", "MS_MOVEF", "MS_MOVEX"}},
    {"Merge", Kind::Plain, 2095, {560, 3}, kLabelSize,
     SkinArt::kMainMergeShape, SkinArt::kMainMergeHit,
     {"MS_MERGEU", "MS_MERGED", "MS_MERGEF", "MS_MERGEX"}},
    {"Orig Picture", Kind::Plain, 2089, {590, 3}, kLabelSize,
     SkinArt::kMainOrigPictShape, SkinArt::kMainOrigPictHit,
     {"MS_ORIGPICTU", "MS_ORIGPICTD", "MS_ORIGPICTF", "MS_ORIGPICTX"}},
    {"Text", Kind::Plain, 2099, {615, 3}, kLabelSize,
     SkinArt::kMainTextShape, SkinArt::kMainTextHit,
     {"MAIN_TEXTU", "MAIN_TEXTD", "MAIN_TEXTF", "MAIN_TEXTX"}},
    {"Internet", Kind::Plain, 2100, {30, 320}, {46, 48},
     {}, {},
     {"INTERNET_U", "INTERNET_D", "INTERNET_F", "INTERNET_U"}},
    {"Resource manager", Kind::Plain, 2101, {90, 320}, {56, 48},
     {}, {},
     {"RES_MGR_U", "RES_MGR_D", "RES_MGR_F", "RES_MGR_U"}},
    {"Brightness", Kind::Plain, 2090, {320, 3}, kLabelSize,
     SkinArt::kMainBrightnessShape, SkinArt::kMainBrightnessHit,
     {"MS_BRIGHTNESSU", "MS_BRIGHTNESSD", "MS_BRIGHTNESSF", "MS_BRIGHTNESSX"}},
    {"Saturation", Kind::Plain, 2091, {350, 3}, kLabelSize,
     SkinArt::kMainSaturationShape, SkinArt::kMainSaturationHit,
     {"MS_SATURATIONU", "MS_SATURATIOND", "MS_SATURATIONF", "MS_SATURATIONX"}},
    {"Contrast", Kind::Plain, 2092, {380, 3}, kLabelSize,
     SkinArt::kMainContrastShape, SkinArt::kMainContrastHit,
     {"MS_CONTRASTU", "MS_CONTRASTD", "MS_CONTRASTF", "MS_CONTRASTX"}},
    {"Sharpness", Kind::Plain, 2093, {410, 3}, kLabelSize,
     SkinArt::kMainSharpnessShape, SkinArt::kMainSharpnessHit,
     {"MS_SHARPNESSU", "MS_SHARPNESSD", "MS_SHARPNESSF", "MS_SHARPNESSX"}},
    {"Gamma", Kind::Plain, 2094, {440, 3}, kLabelSize,
     SkinArt::kMainGammaShape, SkinArt::kMainGammaHit,
     {"MS_GAMMAU", "MS_GAMMAD", "MS_GAMMAF", "MS_GAMMAX"}},
    {"Laden", Kind::Plain, 2047, {94, 10}, kLabelSize,
     SkinArt::kMainLadenShape, SkinArt::kMainLadenHit,
     {"LADENU", "LADEND", "LADENF", nullptr}},
    {"Speichern", Kind::Plain, 2048, {42, 17}, kLabelSize,
     SkinArt::kMainSpeichernShape, SkinArt::kMainSpeichernHit,
     {"SPEICHERNU", "SPEICHERND", "SPEICHERNF", nullptr}},
    {"Album", Kind::Plain, 2029, {23, 34}, kLabelSize,
     SkinArt::kMainAlbumShape, SkinArt::kMainAlbumHit,
     {"ALBUMU", "ALBUMD", "ALBUMF", nullptr}},
    {"Camera", Kind::Plain, 2050, {2, 92}, kLabelSize,
     SkinArt::kMainCameraShape, SkinArt::kMainCameraHit,
     {"CAMERAU", "CAMERAD", "CAMERAF", nullptr}},
    {"Scanner", Kind::Plain, 2051, {3, 80}, kLabelSize,
     SkinArt::kMainScannerShape, SkinArt::kMainScannerHit,
     {"SCANNERU", "SCANNERD", "SCANNERF", nullptr}},
    {"Disk", Kind::Plain, 1004, {11, 104}, kLabelSize,
     SkinArt::kMainDiskShape, SkinArt::kMainDiskHit,
     {"DISKU", "DISKD", "DISKF", nullptr}},
    {"Effekte", Kind::Plain, 1014, {1, 145}, kLabelSize,
     SkinArt::kMainEffekteShape, SkinArt::kMainEffekteHit,
     {"EFFEKTEU", "EFFEKTED", "EFFEKTEF", nullptr}},
    {"Einstellungen", Kind::Plain, 2040, {2, 178}, kLabelSize,
     SkinArt::kMainEinstellungenShape, SkinArt::kMainEinstellungenHit,
     {"EINSTELLUNGENU", "EINSTELLUNGEND", "EINSTELLUNGENF", nullptr}},
    {"Drucken", Kind::Plain, 2024, {84, 181}, kLabelSize,
     SkinArt::kMainDruckenShape, SkinArt::kMainDruckenHit,
     {"DRUCKENU", "DRUCKEND", "DRUCKENF", nullptr}},
    {"Normal mode", Kind::Radio, 2080, {98, 229}, kLabelSize,
     SkinArt::kMainNormalModeShape, SkinArt::kMainNormalModeHit,
     {"NORMAL_MODE_UU", "NORMAL_MODE_UF", "NORMAL_MODE_DU", "NORMAL_MODE_DF"}},
    {"Edit mode", Kind::Radio, 2081, {13, 229}, kLabelSize,
     SkinArt::kMainEditModeShape, SkinArt::kMainEditModeHit,
     {"EDIT_MODE_UU", "EDIT_MODE_UF", "EDIT_MODE_DU", "EDIT_MODE_DF"}},
}};
// clang-format on

const std::array<LPCTSTR, CKnobBitmapButton::kPositions> kKnobBitmaps = {
    "KNOBLADENU", "KNOBSPEICHERNU", "KNOBALBUMU",         "KNOBSCANNERU", "KNOBCAMERAU",
    "KNOBDISKU",  "KNOBEFFEKTEU",   "KNOBEINSTELLUNGENU", "KNOBDRUCKENU"};

constexpr std::array kCaptionButtons = {B::kMinimize, B::kClose};

// Windows made later lie below the earlier ones, so this order is the stacking order until the three
// labels over the knob are raised.
constexpr std::array kCreationOrder = {
    B::kAbout,         B::kKnob,       B::kPrint,       B::kLaden,    B::kSpeichern,
    B::kAlbum,         B::kCamera,     B::kScanner,     B::kDisk,     B::kEffekte,
    B::kEinstellungen, B::kDrucken,    B::kNormalMode,  B::kEditMode, B::k2Colors,
    B::kGrayscale,     B::k256Colors,  B::kTrueColors,  B::kMirror,   B::kRotate,
    B::kMove,          B::kMerge,      B::kOrigPicture, B::kInternet, B::kResourceManager,
    B::kText,          B::kBrightness, B::kSaturation,  B::kContrast, B::kSharpness,
    B::kGamma};

constexpr std::array kShapingOrder = {B::kAbout,
                                      B::kPrint,
                                      B::kLaden,
                                      B::kSpeichern,
                                      B::kAlbum,
                                      B::kCamera,
                                      B::kScanner,
                                      B::kEffekte,
                                      B::kEinstellungen,
                                      B::kDrucken,
                                      B::kDisk,
                                      B::kNormalMode,
                                      B::kEditMode,
                                      B::k2Colors,
                                      B::kGrayscale,
                                      B::kInternet,
                                      B::kResourceManager,
                                      B::k256Colors,
                                      B::kTrueColors,
                                      B::kMirror,
                                      B::kRotate,
                                      B::kMove,
                                      B::kMerge,
                                      B::kOrigPicture,
                                      B::kText,
                                      B::kBrightness,
                                      B::kSaturation,
                                      B::kContrast,
                                      B::kSharpness,
                                      B::kGamma,
                                      B::kKnob};
static_assert(kCaptionButtons.size() + kCreationOrder.size() == CMainWnd::kButtonCount);
static_assert(kShapingOrder.size() == kCreationOrder.size());

struct ToolTip {
    CMainWnd::Button button;
    UINT textId; // a string of the text module
};

constexpr std::array<ToolTip, 28> kToolTips = {{
    {B::kPrint, 152},         {B::kLaden, 144},      {B::kSpeichern, 176}, {B::kAlbum, 145},
    {B::kScanner, 146},       {B::kCamera, 147},     {B::kEffekte, 148},   {B::kDisk, 149},
    {B::kEinstellungen, 150}, {B::kDrucken, 151},    {B::kEditMode, 177},  {B::kNormalMode, 178},
    {B::k2Colors, 127},       {B::kGrayscale, 129},  {B::k256Colors, 128}, {B::kTrueColors, 130},
    {B::kBrightness, 221},    {B::kSaturation, 222}, {B::kContrast, 223},  {B::kSharpness, 224},
    {B::kGamma, 225},         {B::kMirror, 131},     {B::kRotate, 132},    {B::kMerge, 226},
    {B::kOrigPicture, 227},   {B::kText, 245},       {B::kMove, 230},      {B::kInternet, 270},
}};

BOOL MakePolygonRegion(CRgn& region, std::span<const POINT> points) {
    return region.CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
}

// The knob's window region: its outline with a hole where the "Print" disc sits.
BOOL MakeKnobRegion(CRgn& shape) {
    CRgn outline;
    CRgn printDisc;
    if (!MakePolygonRegion(outline, SkinArt::kMainKnobOutline) ||
        !MakePolygonRegion(printDisc, SkinArt::kMainPrintShape) || !shape.CreateRectRgn(0, 0, 0, 0))
        return FALSE;
    printDisc.OffsetRgn(kPrintPosition.x, kPrintPosition.y);
    return shape.CombineRgn(&outline, &printDisc, RGN_DIFF) != ERROR;
}

std::unique_ptr<CBitmapButton> NewButton(Kind kind) {
    switch (kind) {
    case Kind::Radio:
        return std::make_unique<CRadioBitmapButton>();
    case Kind::TwoColors:
        return std::make_unique<CTwoColorsBitmapButton>();
    case Kind::Knob:
        return std::make_unique<CKnobBitmapButton>();
    case Kind::Plain:
        break;
    }
    return std::make_unique<CMyBitmapButton>();
}

} // namespace

CKnobBitmapButton* CMainWnd::Knob() const {
    return static_cast<CKnobBitmapButton*>(m_buttons[kKnob].get());
}

CTwoColorsBitmapButton* CMainWnd::TwoColors() const {
    return static_cast<CTwoColorsBitmapButton*>(m_buttons[k2Colors].get());
}

CRadioBitmapButton* CMainWnd::ModeButton(Button button) const {
    return static_cast<CRadioBitmapButton*>(m_buttons[button].get());
}

void CMainWnd::DestroyButton(Button button) {
    if (!m_buttons[button])
        return;
    m_buttons[button]->DestroyWindow();
    m_buttons[button].reset();
}

BOOL CMainWnd::MakeButton(Button button, DWORD extraStyle) {
    const ButtonLayout& layout = kLayout[button];
    if (!MadeOrReported([&] { m_buttons[button] = NewButton(layout.kind); }))
        return FALSE;
    if (!m_buttons[button]->Create(layout.caption, WS_CHILD | BS_OWNERDRAW | extraStyle, CRect(0, 0, 0, 0),
                                   this, layout.id))
        return FALSE;
    m_buttons[button]->ShowWindow(SW_SHOW);
    return TRUE;
}

// Regions, place, bitmaps; the buttons keep copies of the regions made here.
BOOL CMainWnd::ShapeButton(Button button, CPoint skinOrigin) {
    const ButtonLayout& layout = kLayout[button];
    CBitmapButton* window = m_buttons[button].get();
    CRgn shape;
    CRgn hit;
    if (layout.kind == Kind::Knob) {
        if (!MakeKnobRegion(shape) || !MakePolygonRegion(hit, layout.hit))
            return FALSE;
    } else if (layout.shape.empty()) {
        if (!shape.CreateRectRgn(0, 0, layout.size.cx, layout.size.cy) ||
            !hit.CreateRectRgn(0, 0, layout.size.cx, layout.size.cy))
            return FALSE;
    } else if (!MakePolygonRegion(shape, layout.shape) || !MakePolygonRegion(hit, layout.hit)) {
        return FALSE;
    }
    window->SetWindowPos(nullptr, skinOrigin.x + layout.position.x, skinOrigin.y + layout.position.y,
                         layout.size.cx, layout.size.cy, SWP_NOZORDER);
    if (layout.kind == Kind::Knob)
        return Knob()->SetRegion(&shape, &hit, TRUE) && Knob()->LoadBitmaps(kKnobBitmaps);
    auto* skinned = static_cast<CSkinButton*>(window);
    if (!skinned->SetRegions(&shape, &hit, TRUE))
        return FALSE;
    const auto& names = layout.bitmaps;
    return skinned->LoadBitmaps(names[0], names[1], names[2], names[3]);
}

BOOL CMainWnd::CreateCaptionButtons() {
    for (const Button button : kCaptionButtons)
        DestroyButton(button);
    CRect client;
    GetClientRect(&client);
    const CPoint origin = SkinOrigin(client.Width(), client.Height());
    for (const Button button : kCaptionButtons) {
        if (!MakeButton(button, 0))
            return FALSE;
    }
    for (const Button button : kCaptionButtons) {
        if (!ShapeButton(button, origin))
            return FALSE;
    }
    return TRUE;
}

BOOL CMainWnd::CreateButtons() {
    for (const Button button : kCreationOrder)
        DestroyButton(button);
    for (const Button button : kCreationOrder) {
        if (!MakeButton(button, WS_CLIPSIBLINGS))
            return FALSE;
    }
    CRect client;
    GetClientRect(&client);
    const CPoint origin = SkinOrigin(client.Width(), client.Height());
    for (const Button button : kShapingOrder) {
        if (!ShapeButton(button, origin))
            return FALSE;
        switch (button) {
        case kLaden:
        case kSpeichern:
        case kAlbum:
            // These labels reach over the knob and the "Print" disc.
            m_buttons[button]->BringWindowToTop();
            break;
        case kNormalMode:
            ModeButton(kNormalMode)->SetCheck(!AppServices().IsEditMode());
            break;
        case kEditMode:
            ModeButton(kEditMode)->SetCheck(AppServices().IsEditMode() ? TRUE : FALSE);
            break;
        case k2Colors: {
            const RECT firstUp{4, 5, 10, 11};
            const RECT firstPushed{8, 7, 14, 13};
            const RECT secondUp{10, 11, 16, 17};
            const RECT secondPushed{14, 13, 20, 19};
            TwoColors()->SetRect1(&firstUp);
            TwoColors()->SetRect2(&firstPushed);
            TwoColors()->SetRect3(&secondUp);
            TwoColors()->SetRect4(&secondPushed);
            break;
        }
        default:
            break;
        }
    }
    return TRUE;
}

void CMainWnd::AddToolTips() {
    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    // The tips' strings are in the text module; everything else comes from the resource module.
    AfxSetResourceHandle(AppServices().GetTextModule());
    for (const ToolTip& tip : kToolTips)
        m_toolTip.AddTool(m_buttons[tip.button].get(), tip.textId);
    AfxSetResourceHandle(AppServices().GetResourceModule());
}
