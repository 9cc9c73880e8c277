// The picture buttons that change the current picture at once: the effects dialog, the colour modes, the
// two colours, mirror, quarter turn and the reset to the unadjusted picture.
#include "app/EffectsDialogs.h"
#include "app/MainWnd.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "page/DrawImage.h"
#include "page/EffOb.h"
#include "page/PreviewWnd.h"
#include "page/ShiftZoomOb.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/ui/CommandMap.h"
#include "platform/ui/WaitCursor.h"

namespace {

constexpr UINT kNoValidPictureId = 214;
constexpr UINT kResetQuestionId = 213;
constexpr UINT kAlreadyUnadjustedId = 242;
constexpr UINT kColorModeFirstId = 2082;
constexpr int kQuarterTurn = 900;

const CommandEntry<CMainWnd> kPictureCommands[] = {
    {1014, BN_CLICKED, &CMainWnd::OnEffects},
    {2082, 2085, BN_CLICKED, &CMainWnd::OnColorModeCommand},
    {2082, BN_DOUBLECLICKED, &CMainWnd::OnTwoColorsDblClk},
    {2086, BN_CLICKED, &CMainWnd::OnMirror},
    {2087, BN_CLICKED, &CMainWnd::OnRotate},
    {2088, BN_CLICKED, &CMainWnd::OnMove},
    {2089, BN_CLICKED, &CMainWnd::OnOrigPicture},
    {2090, 2094, BN_CLICKED, &CMainWnd::OnToolbarEffectCommand},
    {2095, BN_CLICKED, &CMainWnd::OnMerge},
};

// The effects dialog's result on a picture it did not write itself.
void ApplyEffectsResult(CAdjustImage& picture, const CAdjustImage& settings,
                        const EffectsDialogResult& result) {
    picture.CopyFrom(&settings);
    picture.colourMode = result.colourMode;
    picture.mirror = result.mirror ? 1 : 0;
    picture.rotation = result.rotation;
    picture.SetTwoColors(result.firstColour, result.secondColour);
    picture.SetCrop(result.cropOn != FALSE, result.cropLeft, result.cropRight, result.cropTop,
                    result.cropBottom);
}

} // namespace

BOOL CMainWnd::OnPictureCommand(WPARAM wParam) {
    return DispatchCommand(*this, kPictureCommands, wParam);
}

CMainWnd::PictureTarget CMainWnd::GetCurrentTarget() {
    PictureTarget target;
    target.picture = GetCurrentPicture();
    if (target.picture && AppServices().IsEditMode()) {
        target.object = dynamic_cast<CDrawImage*>(target.picture);
        target.index = m_template->IndexOf(target.object);
    }
    return target;
}

CMainWnd::PictureTarget CMainWnd::GetStepTarget(bool reportEmpty) {
    if (!AppServices().IsEditMode())
        return {m_workBitmap.get(), nullptr, -1};
    if (!m_template)
        return {};
    auto* image = DYNAMIC_DOWNCAST(CDrawImage, m_template->GetFirstSelected());
    if (!image)
        return {};
    if (!image->GetOriginalDib() || !image->GetOriginalDib()->IsValid()) {
        if (reportEmpty)
            AppServices().MessageBox(kNoValidPictureId);
        return {};
    }
    return {image, image, m_template->IndexOf(image)};
}

void CMainWnd::RedrawTarget(const PictureTarget& target) {
    if (!target.object) {
        RedrawPreview();
        return;
    }
    if (CPreviewWnd* canvas = Canvas(); canvas && canvas->GetSafeHwnd())
        canvas->UpdateArea(target.object);
}

BOOL CMainWnd::ChooseTwoColors(CWnd* parent, COLORREF& first, COLORREF& second) {
    IEffectsDialogs* dialogs = GetEffectsDialogs();
    COLORREF chosenFirst = first;
    COLORREF chosenSecond = second;
    if (!dialogs || dialogs->RunSetColorDlg(chosenFirst, chosenSecond, parent) != IDOK)
        return FALSE;
    first = chosenFirst;
    second = chosenSecond;
    return TRUE;
}

void CMainWnd::OnEffects() {
    KnobCommand(kZoneEffects);
    IEffectsDialogs* dialogs = GetEffectsDialogs();
    if (!dialogs)
        return;
    const PictureTarget target = GetCurrentTarget();
    if (!target.picture)
        return;
    EffectsDialogResult result;
    CAdjustImage settings(false);
    settings.CopyFrom(target.picture);
    if (dialogs->RunEffectsDialog(target.picture, this, &m_editingOwner, &result, &settings) != IDOK)
        return;
    Invalidate();
    if (!result.applied) {
        CWaitCursor wait;
        if (!target.object)
            ApplyEffectsResult(*target.picture, settings, result);
        target.picture->Rebuild(true);
        UpdateTwoColorsButton();
    }
    RedrawPreview();
    SetModified(TRUE);
}

void CMainWnd::OnColorModeCommand(UINT id) {
    SetColorMode(static_cast<int>(id - kColorModeFirstId));
}

void CMainWnd::SetColorMode(int mode) {
    const PictureTarget target = GetCurrentTarget();
    if (!target.picture)
        return;
    AddUndo(new CEffOb(target.picture->Clone(), target.index));
    target.picture->colourMode = mode;
    target.picture->Rebuild(true);
    RedrawPreview();
    SetModified(TRUE);
}

void CMainWnd::OnTwoColorsDblClk() {
    const PictureTarget target = GetCurrentTarget();
    if (!target.picture)
        return;
    COLORREF first = target.picture->GetDarkColor();
    COLORREF second = target.picture->GetLightColor();
    if (!ChooseTwoColors(this, first, second))
        return;
    target.picture->SetTwoColors(first, second);
    UpdateTwoColorsButton();
    target.picture->Rebuild(true);
    RedrawPreview();
    SetModified(TRUE);
}

void CMainWnd::OnMirror() {
    const PictureTarget target = GetCurrentTarget();
    if (!target.picture)
        return;
    if (!target.object)
        AddUndo(new CEffOb(target.picture->Clone(), -1));
    target.picture->mirror = target.picture->mirror ? 0 : 1;
    target.picture->Rebuild(true);
    RedrawTarget(target);
    SetModified(TRUE);
}

void CMainWnd::OnRotate() {
    const PictureTarget target = GetCurrentTarget();
    if (!target.picture)
        return;
    CAdjustImage& picture = *target.picture;
    if (!target.object)
        AddUndo(new CShiftZoomOb(picture.shiftX, picture.shiftY, picture.rotation, picture.zoom, -1));
    picture.SetRotation(picture.rotation + kQuarterTurn);
    RedrawTarget(target);
    SetModified(TRUE);
}

void CMainWnd::OnOrigPicture() {
    const PictureTarget target = GetCurrentTarget();
    if (!target.picture)
        return;
    ADJUST unadjusted;
    unadjusted.ResetSettings();
    if (unadjusted.SettingsEqual(*target.picture)) {
        AppServices().MessageBox(kAlreadyUnadjustedId);
        return;
    }
    if (AppServices().MessageBox(kResetQuestionId, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CWaitCursor wait;
    // A working picture whose file cannot be read again keeps its picture and loses its settings.
    if (target.object || !AddPicturesToPage(target.picture->GetFilePath()))
        target.picture->ResetAndRebuild();
    RedrawPreview();
    SetModified(TRUE);
}
