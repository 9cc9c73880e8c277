// The adjustment panel: opening in the middle of the desktop, its skin, the bar and the keys, cancel.

#include "editing/ToolbarEffectsDlg.h"

#include "editing/StrengthBar.h"
#include "platform/base/AppServices.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PaintDC.h"
#include "skinart/SkinArt.h"

#include <algorithm>
#include <new>

namespace {

constexpr int kFocusHolderId = 1066;
constexpr int kMinusId = 1052;
constexpr int kPlusId = 1053;
constexpr int kLabelId = 2052;
constexpr UINT kOkTip = 140;
constexpr CStrengthBar kBar(CToolbarEffectsDlg::kValueBar);
constexpr CRect kLabelRect(112, 50, 143, 67);

} // namespace

CToolbarEffectsDlg::CToolbarEffectsDlg(int value, CWnd* parent, IToolPanelOwner* owner)
    : CDialog(kTemplateId, parent), m_value(value), m_initialValue(value), m_owner(owner) {}

CToolbarEffectsDlg::~CToolbarEffectsDlg() = default;

int CToolbarEffectsDlg::ValueAtX(int x) {
    return kBar.ValueAtX(x);
}

int CToolbarEffectsDlg::MarkerX(int value) {
    return kBar.MarkerX(value);
}

void CToolbarEffectsDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDCANCEL, m_closeButton);
    DDX_Control(exchange, IDOK, m_okButton);
    DDX_Control(exchange, kPlusId, m_plusButton);
    DDX_Control(exchange, kMinusId, m_minusButton);
}

BOOL CToolbarEffectsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CRect desktop;
    GetDesktopWindow()->GetWindowRect(&desktop);
    SetWindowPos(nullptr, (desktop.Width() - kWidth) / 2, (desktop.Height() - kHeight) / 2 + 1, kWidth,
                 kHeight, SWP_NOZORDER);
    // Without its background the panel ends unapplied.
    if (!m_background.Load("TOOLBAR_EFFECTS", this)) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    // A panel whose keys failed stays open without them and without its tip.
    const bool skinned = BuildSkin();
    CreateLabel();
    if (skinned)
        AddToolTip();
    return TRUE;
}

bool CToolbarEffectsDlg::BuildSkin() {
    using namespace SkinArt;
    return ShapeSkinButton(m_closeButton, {235, 2}, 100, kToolPanelCloseShape, "TOOLBAR_EFFECTS_CLOSEU",
                           "TOOLBAR_EFFECTS_CLOSED", "TOOLBAR_EFFECTS_CLOSEF") &&
           ShapeSkinButton(m_okButton, {227, 53}, 50, kToolPanelOkShape, "EINSTELLUNGEN_OKU",
                           "EINSTELLUNGEN_OKD", "EINSTELLUNGEN_OKF") &&
           // Pressed and focused, minus shows the effects dialog's minus.
           ShapeSkinButton(m_minusButton, {82, 44}, 100, kToolPanelMinusShape, "TOOLBAR_EFFECTS_MINUSU",
                           "EFFECTS_MINUSD", "EFFECTS_MINUSF") &&
           ShapeSkinButton(m_plusButton, {147, 44}, 100, kToolPanelPlusShape, "TOOLBAR_EFFECTS_PLUSU",
                           "TOOLBAR_EFFECTS_PLUSD", "TOOLBAR_EFFECTS_PLUSF");
}

bool CToolbarEffectsDlg::CreateLabel() {
    try {
        m_label = std::make_unique<CTransparentStatic>(-12, RGB(255, 255, 255), "Arial",
                                                       DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_label->SetStyle(TRUE, kLabelRect.left, kLabelRect.top, m_background.GetDC());
    if (!m_label->Create("", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, kLabelRect, this, kLabelId)) {
        m_label.reset();
        return false;
    }
    CString text;
    text.Format("%d", m_value);
    m_label->SetText(text);
    return true;
}

void CToolbarEffectsDlg::AddToolTip() {
    if (!m_toolTip.Create(this))
        return;
    m_toolTip.Activate(TRUE);
    // The tip's text lives in the text module.
    AfxSetResourceHandle(AppServices().GetTextModule());
    m_toolTip.AddTool(&m_okButton, kOkTip);
    AfxSetResourceHandle(AppServices().GetResourceModule());
}

void CToolbarEffectsDlg::ShowValue() {
    if (m_label) {
        CString text;
        text.Format("%d", m_value);
        m_label->SetText(text);
    }
    kBar.Invalidate(this);
    UpdateWindow();
    if (m_owner)
        m_owner->SetAdjustmentValue(m_value);
}

BOOL CToolbarEffectsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(static_cast<DWORD>(wParam)) != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    switch (LOWORD(static_cast<DWORD>(wParam))) {
    case kMinusId:
        m_value = std::max(m_value - 1, 0);
        ShowValue();
        return TRUE;
    case kPlusId:
        m_value = std::min(m_value + 1, 100);
        ShowValue();
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

void CToolbarEffectsDlg::OnCancel() {
    m_value = m_initialValue;
    ShowValue();
    EndDialog(IDCANCEL);
}

void CToolbarEffectsDlg::OnLButtonDown(UINT flags, CPoint point) {
    // Only the press counts: the bar does not follow a drag.
    if (kBar.Contains(point)) {
        m_value = ValueAtX(point.x);
        ShowValue();
    }
    CDialog::OnLButtonDown(flags, point);
}

BOOL CToolbarEffectsDlg::PreTranslateMessage(MSG* message) {
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

void CToolbarEffectsDlg::OnPaint() {
    CPaintDC dc(this);
    m_background.Paint(&dc, kWidth, kHeight);
    kBar.PaintMarker(&dc, m_value);
}

BOOL CToolbarEffectsDlg::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

LRESULT CToolbarEffectsDlg::OnNcHitTest(CPoint point) {
    // The borderless panel moves by everything but its bar.
    return kBar.IsUnder(this, point) ? CDialog::OnNcHitTest(point) : HTCAPTION;
}

BOOL CToolbarEffectsDlg::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    FocusUnderPointer(this, window, kFocusHolderId);
    return CDialog::OnSetCursor(window, hitTest, message);
}

void CToolbarEffectsDlg::OnDestroy() {
    if (m_label && m_label->GetSafeHwnd())
        m_label->DestroyWindow();
    m_label.reset();
    CDialog::OnDestroy();
}
