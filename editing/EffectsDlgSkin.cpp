// The effects dialog's skin: each button at its place on the background with its two polygon regions and
// its bitmaps, the crop and album buttons, the effect list, the strength label and the tool tips.

#include "editing/EffectsComboBox.h"
#include "editing/EffectsDlg.h"
#include "image/WorkBitmap.h"
#include "platform/base/AppServices.h"
#include "platform/base/Resource.h"
#include "platform/gdi/Region.h"
#include "skinart/SkinArt.h"

#include <iterator>
#include <new>
#include <span>

namespace {

struct ShapedButton {
    CSkinButton* button;
    POINT position;
    std::span<const POINT> shape; // the window region
    std::span<const POINT> hit;   // the pressed shape, where presses count
    LPCTSTR up;
    LPCTSTR down;
    LPCTSTR focus;
};

// Every shaped button is a 100 by 100 window that its region clips.
constexpr int kShapedWindowSide = 100;

BOOL MakePolygonRegion(CRgn& region, std::span<const POINT> points) {
    return region.CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
}

bool ShapeButton(CSkinButton& button, const ShapedButton& layout) {
    CRgn shape;
    CRgn hit;
    if (!MakePolygonRegion(shape, layout.shape) || !MakePolygonRegion(hit, layout.hit))
        return false;
    button.SetWindowPos(nullptr, layout.position.x, layout.position.y, kShapedWindowSide, kShapedWindowSide,
                        SWP_NOZORDER | SWP_NOACTIVATE);
    return button.SetRegions(&shape, &hit, TRUE) && button.LoadBitmaps(layout.up, layout.down, layout.focus);
}

struct Tip {
    UINT control;
    UINT text; // a string of the text module
};

constexpr Tip kTips[] = {{1048, 127}, {1049, 128}, {1050, 129}, {1051, 130}, {1034, 131}, {1035, 132},
                         {1, 133},    {3, 134},    {1053, 136}, {1052, 135}, {2045, 138}, {2, 137},
                         {1045, 139}, {5, 134},    {4, 137},    {1036, 209}, {1037, 248}, {1140, 218}};
static_assert(std::size(kTips) == 18);

constexpr POINT kCropPosition{102, 428};
constexpr SIZE kCropWindow{100, 150};
constexpr CRect kAlbumRect(665, 20, 708, 63);
constexpr CRect kEffectListRect(33, 158, 243, 508);
constexpr CRect kStrengthLabelRect(121, 232, 151, 252);
// Where the two-colour button shows its colours, up and pushed alike.
constexpr CRect kFirstColourRect(7, 7, 13, 13);
constexpr CRect kSecondColourRect(13, 13, 19, 19);

} // namespace

bool CEffectsDlg::BuildSkin() {
    using namespace SkinArt;
    // clang-format off
    const ShapedButton buttons[] = {
        {&m_closeButton, {780, 12}, kEffectsCloseShape, kEffectsCloseHit,
         "EFFECTS_CLOSEU", "EFFECTS_CLOSED", "EFFECTS_CLOSEF"},
        {&m_okButton, {98, 40}, kEffectsOkShape, kEffectsOkHit,
         "EFFECTS_OKU", "EFFECTS_OKD", "EFFECTS_OKF"},
        {&m_minusButton, {88, 228}, kEffectsMinusShape, kEffectsMinusHit,
         "EFFECTS_MINUSU", "EFFECTS_MINUSD", "EFFECTS_MINUSF"},
        {&m_plusButton, {153, 228}, kEffectsPlusShape, kEffectsPlusHit,
         "EFFECTS_PLUSU", "EFFECTS_PLUSD", "EFFECTS_PLUSF"},
        {&m_twoColorsButton, {44, 528}, kEffectsBwShape, kEffectsBwHit,
         "EFFECTS_BWU", "EFFECTS_BWD", "EFFECTS_BWF"},
        {&m_256ColorsButton, {143, 528}, kEffects256Shape, kEffects256Hit,
         "EFFECTS_256U", "EFFECTS_256D", "EFFECTS_256F"},
        {&m_grayButton, {44, 558}, kEffectsGrayShape, kEffectsGrayHit,
         "EFFECTS_GRAYU", "EFFECTS_GRAYD", "EFFECTS_GRAYF"},
        {&m_trueColorButton, {143, 558}, kEffectsTrueShape, kEffectsTrueHit,
         "EFFECTS_TRUEU", "EFFECTS_TRUED", "EFFECTS_TRUEF"},
        {&m_mirrorButton, {58, 453}, kEffectsMirrorShape, kEffectsMirrorHit,
         "EFFECTS_MIRRORU", "EFFECTS_MIRRORD", "EFFECTS_MIRRORF"},
        {&m_rotateButton, {171, 453}, kEffectsRotateShape, kEffectsRotateHit,
         "EFFECTS_ROTATEU", "EFFECTS_ROTATED", "EFFECTS_ROTATEF"},
        {&m_cancelButton, {143, 25}, kEffectsCancelShape, kEffectsCancelHit,
         "EFFECTS_CANCELU", "EFFECTS_CANCELD", "EFFECTS_CANCELF"},
        {&m_undoButton, {81, 21}, kEffectsUndoShape, kEffectsUndoHit,
         "EFFECTS_UNDOU", "EFFECTS_UNDOD", "EFFECTS_UNDOF"},
        {&m_closeButton2, {170, 111}, kEffectsCancel2Shape, kEffectsCancel2Hit,
         "EFFECTS_CANCEL2U", "EFFECTS_CANCEL2D", "EFFECTS_CANCEL2F"},
        {&m_undoButton2, {31, 111}, kEffectsUndo2Shape, kEffectsUndo2Hit,
         "EFFECTS_UNDO2U", "EFFECTS_UNDO2D", "EFFECTS_UNDO2F"},
        {&m_resetButton, {720, 20}, kEffectsInitPictShape, kEffectsInitPictHit,
         "EFFECTS_INITPICTU", "EFFECTS_INITPICTD", "EFFECTS_INITPICTF"},
    };
    // clang-format on
    for (const ShapedButton& layout : buttons) {
        if (!ShapeButton(*layout.button, layout))
            return false;
        if (layout.button == &m_twoColorsButton) {
            m_twoColorsButton.SetRect1(&kFirstColourRect);
            m_twoColorsButton.SetRect2(&kFirstColourRect);
            m_twoColorsButton.SetRect3(&kSecondColourRect);
            m_twoColorsButton.SetRect4(&kSecondColourRect);
            m_twoColorsButton.SetFirstColor(m_work->GetDarkColor());
            m_twoColorsButton.SetSecondColor(m_work->GetLightColor());
        }
    }

    m_cropButton.SetWindowPos(nullptr, kCropPosition.x, kCropPosition.y, kCropWindow.cx, kCropWindow.cy,
                              SWP_NOZORDER | SWP_NOACTIVATE);
    if (!m_cropButton.LoadBitmaps("EFFECTS_CROPUU", "EFFECTS_CROPDU", "EFFECTS_CROPUF", nullptr,
                                  "EFFECTS_CROPDF"))
        return false;
    m_cropButton.SizeToContent();

    if (!m_albumButton.Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, kAlbumRect, this,
                              1140) ||
        !m_albumButton.LoadBitmaps("EFFECTS_SAVEALBUMU", "EFFECTS_SAVEALBUMD", "EFFECTS_SAVEALBUMF",
                                   "EFFECTS_SAVEALBUMF"))
        return false;
    CRgn albumShape;
    CRgn albumHit;
    if (!MakePolygonRegion(albumShape, kEffectsSaveAlbumShape) ||
        !MakePolygonRegion(albumHit, kEffectsSaveAlbumHit) ||
        !m_albumButton.SetRegions(&albumShape, &albumHit, TRUE))
        return false;

    if (m_effectList && m_effectList->GetSafeHwnd())
        m_effectList->DestroyWindow();
    try {
        m_effectList = std::make_unique<CEffectsComboBox>();
        m_strengthLabel = std::make_unique<CTransparentStatic>(-12, RGB(255, 255, 255), "Arial",
                                                               DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!m_effectList->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                  CBS_HASSTRINGS,
                              kEffectListRect, this, 2045))
        return false;
    m_strengthLabel->SetStyle(TRUE, kStrengthLabelRect.left, kStrengthLabelRect.top, m_background.GetDC());
    return m_strengthLabel->Create("", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, kStrengthLabelRect, this,
                                   2052);
}

void CEffectsDlg::AddToolTips() {
    if (!m_toolTip.Create(this))
        return;
    m_toolTip.Activate(TRUE);
    // The tips' texts live in the text module.
    AfxSetResourceHandle(AppServices().GetTextModule());
    for (const Tip& tip : kTips) {
        if (CWnd* control = GetDlgItem(static_cast<int>(tip.control)))
            m_toolTip.AddTool(control, tip.text);
    }
    AfxSetResourceHandle(AppServices().GetResourceModule());
}
