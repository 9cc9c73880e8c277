// The effects dialog: opening, the settings commands, undo, reset, OK and Cancel. The skin is built in
// EffectsDlgSkin.cpp, the strength bar lives in EffectsDlgStrength.cpp.

#include "editing/EffectsDlg.h"

#include "editing/EffModifWnd.h"
#include "editing/EffOrigWnd.h"
#include "editing/EffectImgWnd.h"
#include "editing/EffectsComboBox.h"
#include "image/FileHelpers.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "platform/base/AppServices.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WaitCursor.h"

#include <algorithm>
#include <new>

namespace {

constexpr UINT kCropId = 1036;
constexpr UINT kResetId = 1037;
constexpr UINT kMirrorId = 1034;
constexpr UINT kRotateId = 1035;
constexpr UINT kTwoColorsId = 1048;
constexpr UINT k256ColorsId = 1049;
constexpr UINT kGrayId = 1050;
constexpr UINT kTrueColorId = 1051;
constexpr UINT kMinusId = 1052;
constexpr UINT kPlusId = 1053;
constexpr UINT kEffectListId = 2045;
constexpr UINT kUndoId = 3;
constexpr UINT kCloseId = 4;
constexpr UINT kUndo2Id = 5;
constexpr UINT kClose2Id = 1045;
constexpr UINT kAlbumId = 1140;
constexpr UINT kOrigWndId = 1206;
constexpr UINT kModifWndId = 1207;
constexpr UINT kFirstPresetId = 10256;
// A right click of the two-colour button reports this code: it opens the colour choice.
constexpr WORD kSecondClick = 5;

constexpr CRect kOrigRect(34, 275, 240, 423);
constexpr CRect kModifRect(295, 95, 774, 482);
constexpr CRect kFirstPresetRect(282, 511, 370, 595);
constexpr int kPresetStep = 105;

constexpr UINT kResetQuestion = 213;
constexpr UINT kWriteBackQuestion = 220;

} // namespace

CEffectsDlg::CEffectsDlg(CAdjustImage* picture, CWnd* parent, IEffectsDialogOwner* owner)
    : CDialog(kTemplateId, parent), m_picture(picture), m_owner(owner) {
    if (picture) {
        m_color1 = picture->GetDarkColor();
        m_color2 = picture->GetLightColor();
    }
}

CEffectsDlg::~CEffectsDlg() = default;

void CEffectsDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kResetId, m_resetButton);
    DDX_Control(exchange, kCropId, m_cropButton);
    DDX_Control(exchange, kCloseId, m_closeButton2);
    DDX_Control(exchange, kUndo2Id, m_undoButton2);
    DDX_Control(exchange, kPlusId, m_plusButton);
    DDX_Control(exchange, kMinusId, m_minusButton);
    DDX_Control(exchange, IDOK, m_okButton);
    DDX_Control(exchange, IDCANCEL, m_cancelButton);
    DDX_Control(exchange, kUndoId, m_undoButton);
    DDX_Control(exchange, kRotateId, m_rotateButton);
    DDX_Control(exchange, kMirrorId, m_mirrorButton);
    DDX_Control(exchange, kTrueColorId, m_trueColorButton);
    DDX_Control(exchange, kGrayId, m_grayButton);
    DDX_Control(exchange, kTwoColorsId, m_twoColorsButton);
    DDX_Control(exchange, k256ColorsId, m_256ColorsButton);
    DDX_Control(exchange, kClose2Id, m_closeButton);
}

BOOL CEffectsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CRect desktop;
    GetDesktopWindow()->GetWindowRect(&desktop);
    SetWindowPos(nullptr, (desktop.Width() - m_width) / 2, (desktop.Height() - m_height) / 2 + 1, m_width,
                 m_height, SWP_NOZORDER);
    // Every way out of a failed opening leaves the edited picture as it was.
    if (!m_picture || !m_background.Load("EFFEKTE_WND", this) || !MakeWorkingPicture() || !BuildSkin() ||
        !CreateWindows()) {
        m_work.reset();
        EndDialog(IDCANCEL);
        return FALSE;
    }
    TakePictureState();
    m_cropButton.SetCheck(m_cropOn);
    ShowStrength();
    AddToolTips();
    CWaitCursor wait;
    RebuildPreview();
    m_modif->ResetView();
    m_modif->UpdateView();
    return TRUE;
}

bool CEffectsDlg::MakeWorkingPicture() {
    CPictureInfo* source = m_picture->GetOriginalDib();
    if (!source || !source->IsValid())
        return false;
    try {
        m_work = std::make_unique<CWorkBitmap>();
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_work->SetTwoColors(m_color1, m_color2);
    m_work->CopyFrom(m_picture);
    if (source->Is24Bit()) {
        m_work->SetOriginalDib(source);
        return true;
    }
    // Other depths are shown from a 24-bit copy at the size of the original window.
    CWaitCursor wait;
    HGLOBAL scaled = source->ScaleToFitHGlobal(CRect(0, 0, kOrigRect.Width(), kOrigRect.Height()),
                                               static_cast<int>(m_color1), static_cast<int>(m_color2));
    return scaled && m_work->SetFromFile(scaled);
}

bool CEffectsDlg::CreateWindows() {
    m_orig.reset();
    m_modif.reset();
    try {
        m_orig = std::make_unique<CEffOrigWnd>(this);
        m_modif = std::make_unique<CEffModifWnd>(this);
        if (!m_orig->Create(nullptr, "EffOrigWnd", WS_CHILD | WS_VISIBLE, kOrigRect, this, kOrigWndId) ||
            !m_modif->Create(nullptr, "EffModifWnd", WS_CHILD | WS_VISIBLE, kModifRect, this, kModifWndId))
            return false;
        for (int i = 0; i < kPresetCount; ++i) {
            auto& preset = m_presets[static_cast<size_t>(i)];
            preset = std::make_unique<CEffectImgWnd>(this);
            CRect rect = kFirstPresetRect;
            rect.OffsetRect(kPresetStep * i, 0);
            if (!preset->Create(nullptr, "EffItemWnd", WS_CHILD | WS_VISIBLE | WS_DLGFRAME, rect, this,
                                kFirstPresetId + static_cast<UINT>(i)))
                return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CEffectsDlg::TakePictureState() {
    m_colorMode = m_picture->colourMode;
    m_mirror = m_picture->mirror;
    m_rotation = m_picture->rotation;
    bool cropOn = false;
    m_picture->GetCrop(cropOn, m_cropLeft, m_cropRight, m_cropTop, m_cropBottom);
    m_cropOn = cropOn ? 1 : 0;
    CAdjustImage::FillEffectList(m_effectList.get());
    m_effectList->SetCurSel(0);
    m_strength = m_work->GetAdjustPercent(0);
    ShowPresets(0);
}

BOOL CEffectsDlg::IsEffectSelected(int effect) const {
    if (!m_effectList || !m_effectList->GetSafeHwnd())
        return FALSE;
    const int selection = m_effectList->GetCurSel();
    return selection != CB_ERR && selection == effect;
}

void CEffectsDlg::PushUndo() {
    if (m_work)
        m_undo.emplace_back(m_work->Clone());
}

void CEffectsDlg::RefreshPreview() {
    RepaintPreview();
}

void CEffectsDlg::RepaintPreview() {
    if (!m_work || !m_modif)
        return;
    RebuildPreview();
    m_modif->UpdateView();
    m_modif->Invalidate(TRUE);
    m_modif->UpdateWindow();
}

void CEffectsDlg::GetCrop(double& left, double& right, double& top, double& bottom) const {
    left = m_cropLeft;
    right = m_cropRight;
    top = m_cropTop;
    bottom = m_cropBottom;
}

void CEffectsDlg::SetCrop(double left, double right, double top, double bottom) {
    m_cropLeft = left;
    m_cropRight = right;
    m_cropTop = top;
    m_cropBottom = bottom;
}

void CEffectsDlg::ShowPresets(int effect) {
    CWaitCursor wait;
    int values[kPresetCount];
    CAdjustImage::GetEffectPresets(effect, values, kPresetCount);
    for (int i = 0; i < kPresetCount; ++i) {
        CEffectImgWnd* preset = m_presets[static_cast<size_t>(i)].get();
        if (!preset)
            continue;
        if (values[i] < 0) {
            preset->ShowWindow(SW_HIDE);
            continue;
        }
        preset->SetEffect(m_work.get(), effect, values[i]);
        preset->ShowWindow(SW_SHOW);
        preset->Invalidate(TRUE);
    }
}

void CEffectsDlg::WriteGeometry() {
    m_work->SetRotation(m_rotation);
    m_work->mirror = m_mirror;
    m_work->colourMode = m_colorMode;
    m_work->SetCrop(m_cropOn != 0, m_cropLeft, m_cropRight, m_cropTop, m_cropBottom);
    RepaintPreview();
}

void CEffectsDlg::OnEffectChanged() {
    const int selection = m_effectList->GetCurSel();
    if (selection == CB_ERR)
        return;
    ShowPresets(selection);
    PushUndo();
    m_strength = m_work->GetAdjustPercent(selection);
    ShowStrength();
    InvalidateBar();
    UpdateWindow();
    WriteGeometry();
}

void CEffectsDlg::OnMirror() {
    PlaySound("sfclick.wav");
    PushUndo();
    m_mirror = m_mirror ? 0 : 1;
    m_work->mirror = m_mirror;
    RepaintPreview();
}

void CEffectsDlg::OnRotate() {
    PlaySound("dreh.wav");
    PushUndo();
    m_rotation = (m_rotation + 900) % 3600;
    m_work->SetRotation(m_rotation);
    RebuildPreview();
    if (m_modif->GetZoom() == 1.0) {
        m_modif->FitScale();
        m_modif->ResetView();
    } else {
        // A quarter turn of the shown rectangle about its centre.
        const CRect old = m_modif->GetPictureRect();
        const int left = (old.left + old.right) / 2 - (old.bottom - old.top) / 2;
        const int top = (old.top + old.bottom) / 2 - (old.right - old.left) / 2;
        m_modif->SetPictureRect(CRect(left, top, left + old.Height(), top + old.Width()));
        m_modif->ClampPictureRect();
    }
    m_modif->UpdateView();
    m_modif->Invalidate(TRUE);
    m_modif->UpdateWindow();
}

void CEffectsDlg::OnColorMode(int mode) {
    PlaySound("quickcl.wav");
    PushUndo();
    m_colorMode = mode;
    m_work->colourMode = mode;
    RepaintPreview();
}

void CEffectsDlg::OnChooseColors() {
    COLORREF first = m_work->GetDarkColor();
    COLORREF second = m_work->GetLightColor();
    if (!m_owner || !m_owner->ChooseTwoColors(this, first, second))
        return;
    if (m_colorMode == 0)
        PushUndo();
    m_color1 = first;
    m_color2 = second;
    m_work->SetTwoColors(first, second);
    m_twoColorsButton.SetFirstColor(first);
    m_twoColorsButton.SetSecondColor(second);
    m_twoColorsButton.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    if (m_colorMode == 0)
        RepaintPreview();
}

void CEffectsDlg::OnCrop() {
    PushUndo();
    m_cropOn = m_cropButton.GetCheck() ? 1 : 0;
    m_work->SetCrop(m_cropOn != 0, m_cropLeft, m_cropRight, m_cropTop, m_cropBottom);
    m_orig->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    m_modif->ResetView();
    RepaintPreview();
}

void CEffectsDlg::OnReset() {
    if (AppServices().MessageBox(kResetQuestion, MB_YESNO) != IDYES)
        return;
    m_colorMode = 3;
    // Back to the defaults; the picture stays the same file, so its path is kept.
    const CString path = m_work->GetFilePath();
    const CAdjustImage defaults(false);
    m_work->CopyFrom(&defaults);
    m_work->SetFilePath(path);
    m_color1 = m_work->GetDarkColor();
    m_color2 = m_work->GetLightColor();
    m_twoColorsButton.SetFirstColor(m_color1);
    m_twoColorsButton.SetSecondColor(m_color2);
    m_twoColorsButton.Invalidate(TRUE);
    m_mirror = 0;
    m_rotation = 0;
    SetCrop(0.0, 1.0, 0.0, 1.0);
    m_cropOn = 0;
    InvalidateBar();
    m_cropButton.SetCheck(m_cropOn);
    m_cropButton.Invalidate(TRUE);
    m_orig->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    OnEffectChanged();
}

void CEffectsDlg::OnUndo() {
    PlaySound("tick.wav");
    if (m_undo.empty())
        return;
    InvalidateBar();
    UpdateWindow();
    const CAdjustImage& snapshot = *m_undo.back();
    const CSize oldSize = CPreviewPicture::FullSize(*m_work);
    m_work->CopyFrom(&snapshot);
    bool cropOn = false;
    snapshot.GetCrop(cropOn, m_cropLeft, m_cropRight, m_cropTop, m_cropBottom);
    m_cropOn = cropOn ? 1 : 0;
    m_cropButton.SetCheck(m_cropOn);
    const int selection = m_effectList->GetCurSel();
    if (selection != CB_ERR)
        m_strength = m_work->GetAdjustPercent(selection);
    m_colorMode = snapshot.colourMode;
    m_mirror = snapshot.mirror;
    m_rotation = snapshot.rotation;
    m_color1 = snapshot.GetDarkColor();
    m_color2 = snapshot.GetLightColor();
    m_twoColorsButton.SetFirstColor(m_color1);
    m_twoColorsButton.SetSecondColor(m_color2);
    ShowStrength();
    RebuildPreview();
    // An undone quarter turn or crop changes the picture's proportions: fit it again.
    const CSize newSize = CPreviewPicture::FullSize(*m_work);
    if (newSize.cx != oldSize.cx || newSize.cy != oldSize.cy)
        m_modif->ResetView();
    m_modif->UpdateView();
    m_modif->Invalidate(TRUE);
    m_modif->UpdateWindow();
    m_undo.pop_back();
    InvalidateBar();
    UpdateWindow();
}

void CEffectsDlg::OnOK() {
    PlaySound("camera2.wav");
    // The two colours count: a change of only them is a change.
    const bool same = m_work->HasSameSettings(m_picture) &&
                      m_work->GetDarkColor() == m_picture->GetDarkColor() &&
                      m_work->GetLightColor() == m_picture->GetLightColor();
    if (same) {
        EndDialog(IDOK);
        return;
    }
    const int answer = AppServices().MessageBox(kWriteBackQuestion, MB_YESNOCANCEL);
    if (answer == IDCANCEL)
        return;
    if (answer != IDYES) {
        // No: nothing is written, and the caller must not write either.
        EndDialog(IDCANCEL);
        return;
    }
    CAdjustImage* target = m_owner ? m_owner->GetEffectsTarget() : nullptr;
    if (!target)
        return;
    target->CopyFrom(m_work.get());
    target->colourMode = m_colorMode;
    target->mirror = m_mirror;
    target->SetRotation(m_rotation);
    target->SetCrop(m_cropOn != 0, m_cropLeft, m_cropRight, m_cropTop, m_cropBottom);
    {
        CWaitCursor wait;
        target->Rebuild(true);
        m_owner->RedrawPreview();
    }
    m_applied = 1;
    m_owner->UpdateTwoColorsButton();
    EndDialog(IDOK);
}

void CEffectsDlg::OnCancel() {
    PlaySound("tick.wav");
    EndDialog(IDCANCEL);
}

void CEffectsDlg::PlaySound(LPCTSTR fileName) {
    if (m_owner)
        m_owner->PlayButtonSound(fileName);
}

BOOL CEffectsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(static_cast<DWORD>(wParam));
    const WORD code = HIWORD(static_cast<DWORD>(wParam));
    if (id == kEffectListId) {
        if (code == CBN_SELCHANGE)
            OnEffectChanged();
        return TRUE;
    }
    if (id == kTwoColorsId) {
        if (code == kSecondClick)
            OnChooseColors();
        else
            OnColorMode(0);
        return TRUE;
    }
    switch (id) {
    case kMirrorId:
        OnMirror();
        return TRUE;
    case kRotateId:
        OnRotate();
        return TRUE;
    case kCropId:
        OnCrop();
        return TRUE;
    case kResetId:
        OnReset();
        return TRUE;
    case kGrayId:
        OnColorMode(1);
        return TRUE;
    case k256ColorsId:
        OnColorMode(2);
        return TRUE;
    case kTrueColorId:
        OnColorMode(3);
        return TRUE;
    case kPlusId:
        SetStrength(std::min(m_strength + 1, 100));
        return TRUE;
    case kMinusId:
        SetStrength(std::max(m_strength - 1, 0));
        return TRUE;
    case kUndoId:
    case kUndo2Id:
        OnUndo();
        return TRUE;
    case kCloseId:
    case kClose2Id:
        EndDialog(IDCANCEL);
        return TRUE;
    case kAlbumId:
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

BOOL CEffectsDlg::PreTranslateMessage(MSG* message) {
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

BOOL CEffectsDlg::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    // The focus follows the mouse; over the background it rests on the template's focus holder.
    if (window == this) {
        if (CWnd* holder = GetDlgItem(kFocusHolderId))
            holder->SetFocus();
    } else if (window) {
        window->SetFocus();
    }
    return CDialog::OnSetCursor(window, hitTest, message);
}

void CEffectsDlg::OnDestroy() {
    CDialog::OnDestroy();
    if (m_work)
        m_settings.reset(m_work->Clone());
    m_work.reset();
    for (auto* window : {static_cast<CWnd*>(m_orig.get()), static_cast<CWnd*>(m_modif.get())}) {
        if (window && window->GetSafeHwnd())
            window->DestroyWindow();
    }
    m_orig.reset();
    m_modif.reset();
}
