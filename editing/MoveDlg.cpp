// The move pad: opening beside the canvas, its skin, the keys, the step fields and cancel.

#include "editing/MoveDlg.h"

#include "app/StepSettings.h"
#include "platform/base/AppServices.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinApp.h"
#include "skinart/SkinArt.h"

#include <cstdlib>
#include <span>

namespace {

constexpr int kFocusHolderId = 1066;
// Every key is a 50 by 50 window that its outline clips.
constexpr int kKeyWindow = 50;

struct Key {
    int id;
    POINT position;
    std::span<const POINT> outline;
    LPCTSTR up;
    LPCTSTR down;
    LPCTSTR focus;
    UINT tip; // a string of the text module
    void (IMovePadOwner::*step)();
};

// clang-format off
const Key kKeys[] = {
    {1120, {33, 12}, SkinArt::kMoveUpShape, "MOVE_UPU", "MOVE_UPD", "MOVE_UPF", 231,
     &IMovePadOwner::DecreasePictureOffsetY},
    {1123, {33, 60}, SkinArt::kMoveDownShape, "MOVE_DOWNU", "MOVE_DOWND", "MOVE_DOWNF", 232,
     &IMovePadOwner::IncreasePictureOffsetY},
    {1122, {10, 36}, SkinArt::kMoveLeftShape, "MOVE_LEFTU", "MOVE_LEFTD", "MOVE_LEFTF", 233,
     &IMovePadOwner::DecreasePictureOffsetX},
    {1121, {57, 35}, SkinArt::kMoveRightShape, "MOVE_RIGHTU", "MOVE_RIGHTD", "MOVE_RIGHTF", 234,
     &IMovePadOwner::IncreasePictureOffsetX},
    {1124, {56, 103}, SkinArt::kMovePlusShape, "MOVE_PLUSU", "MOVE_PLUSD", "MOVE_PLUSF", 235,
     &IMovePadOwner::IncreasePictureZoom},
    {1125, {10, 103}, SkinArt::kMoveMinusShape, "MOVE_MINUSU", "MOVE_MINUSD", "MOVE_MINUSF", 236,
     &IMovePadOwner::DecreasePictureZoom},
    {1001, {10, 143}, SkinArt::kMoveRotateLeftShape, "MOVE_ROTATELEFTU", "MOVE_ROTATELEFTD",
     "MOVE_ROTATELEFTF", 237, &IMovePadOwner::IncreasePictureRotation},
    {1002, {57, 143}, SkinArt::kMoveRotateRightShape, "MOVE_ROTATERIGHTU", "MOVE_ROTATERIGHTD",
     "MOVE_ROTATERIGHTF", 238, &IMovePadOwner::DecreasePictureRotation},
};
// clang-format on

constexpr POINT kCancelPosition{120, 8};
constexpr POINT kOkPosition{65, 182};
constexpr int kFieldFontHeight = 14;

} // namespace

CMoveDlg::CMoveDlg(int zoomStep, int shiftStep, int rotateStep, CWnd* parent, const RECT& canvas,
                   IMovePadOwner* owner)
    : CDialog(kTemplateId, parent), m_steps{{{kZoomStepId, CRect(95, 109, 125, 125), zoomStep, 241},
                                             {kShiftStepId, CRect(95, 42, 125, 58), shiftStep, 239},
                                             {kRotateStepId, CRect(95, 150, 125, 165), rotateStep, 240}}},
      m_canvas(canvas), m_owner(owner) {}

CRect CMoveDlg::PlaceBeside(const RECT& canvas) {
    const int left = canvas.right - kWidth + 20;
    return {left, canvas.top, left + kWidth, canvas.top + kHeight + 20};
}

void CMoveDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    for (size_t i = 0; i < m_keys.size(); ++i)
        DDX_Control(exchange, kKeys[i].id, m_keys[i]);
    DDX_Control(exchange, IDCANCEL, m_cancelButton);
    DDX_Control(exchange, IDOK, m_okButton);
}

BOOL CMoveDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const CRect place = PlaceBeside(m_canvas);
    SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(), SWP_NOZORDER);
    // A pad without its skin ends at once; the main window's record stays on its list.
    if (!m_background.Load("MOVE_DLG", this) || !BuildSkin() || !CreateStepFields()) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    AddToolTips();
    return TRUE;
}

bool CMoveDlg::BuildSkin() {
    for (size_t i = 0; i < m_keys.size(); ++i) {
        const Key& key = kKeys[i];
        if (!ShapeSkinButton(m_keys[i], key.position, kKeyWindow, key.outline, key.up, key.down, key.focus))
            return false;
    }
    return ShapeSkinButton(m_cancelButton, kCancelPosition, kKeyWindow, SkinArt::kMoveCloseShape, "MOVE_OKU",
                           "MOVE_OKD", "MOVE_OKF") &&
           ShapeSkinButton(m_okButton, kOkPosition, kKeyWindow, SkinArt::kMoveOkShape, "EINSTELLUNGEN_OKU",
                           "EINSTELLUNGEN_OKD", "EINSTELLUNGEN_OKF");
}

bool CMoveDlg::CreateStepFields() {
    for (size_t i = 0; i < m_steps.size(); ++i) {
        const StepField& step = m_steps[i];
        if (!m_fonts[i].CreateFont(kFieldFontHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial") ||
            !m_fields[i].Create(WS_CHILD | WS_VISIBLE, step.rect, this, static_cast<UINT>(step.id)))
            return false;
        m_fields[i].SetFont(&m_fonts[i]);
        CString text;
        text.Format("%d", step.value);
        m_fields[i].SetWindowText(text);
    }
    return true;
}

void CMoveDlg::AddToolTips() {
    if (!m_toolTip.Create(this))
        return;
    m_toolTip.Activate(TRUE);
    // The tips' texts live in the text module.
    AfxSetResourceHandle(AppServices().GetTextModule());
    for (size_t i = 0; i < m_keys.size(); ++i)
        m_toolTip.AddTool(&m_keys[i], kKeys[i].tip);
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_toolTip.AddTool(&m_fields[i], m_steps[i].tip);
    AfxSetResourceHandle(AppServices().GetResourceModule());
}

void CMoveDlg::StoreEditValue(CEdit* field) {
    auto* settings = dynamic_cast<IStepSettings*>(AfxGetApp());
    if (!field || !settings)
        return;
    CString text;
    field->GetWindowText(text);
    const int value = std::atoi(text);
    switch (field->GetDlgCtrlID()) {
    case kZoomStepId:
        settings->SetZoomStep(value);
        break;
    case kShiftStepId:
        settings->SetShiftStep(value);
        break;
    case kRotateStepId:
        settings->SetRotateStep(value);
        break;
    default:
        break;
    }
}

BOOL CMoveDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(static_cast<DWORD>(wParam));
    const bool clicked = HIWORD(static_cast<DWORD>(wParam)) == BN_CLICKED;
    for (const Key& key : kKeys) {
        if (clicked && key.id == id) {
            if (m_owner)
                (m_owner->*key.step)();
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CMoveDlg::OnCancel() {
    if (m_owner)
        m_owner->OnUndo();
    EndDialog(IDCANCEL);
}

BOOL CMoveDlg::PreTranslateMessage(MSG* message) {
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

void CMoveDlg::OnPaint() {
    CPaintDC dc(this);
    m_background.Paint(&dc, kWidth, kHeight + 20);
}

BOOL CMoveDlg::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

LRESULT CMoveDlg::OnNcHitTest(CPoint /*point*/) {
    // The borderless pad moves by its background.
    return HTCAPTION;
}

bool CMoveDlg::IsStepField(const CWnd* window) const {
    for (const CEditZoom& field : m_fields) {
        if (window && field.GetSafeHwnd() && window->GetSafeHwnd() == field.GetSafeHwnd())
            return true;
    }
    return false;
}

BOOL CMoveDlg::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    // Over the background a step field keeps the focus: the user may be typing into it.
    if (window != this || !IsStepField(GetFocus()))
        FocusUnderPointer(this, window, kFocusHolderId);
    return CDialog::OnSetCursor(window, hitTest, message);
}
