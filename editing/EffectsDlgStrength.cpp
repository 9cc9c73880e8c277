// The effects dialog's strength: the bar with its marker, the drag over it, the label and applying a
// strength to the working settings.

#include "editing/EffModifWnd.h"
#include "editing/EffectsComboBox.h"
#include "editing/EffectsDlg.h"
#include "editing/StrengthBar.h"
#include "image/WorkBitmap.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WaitCursor.h"

#include <cstdio>

namespace {

constexpr CStrengthBar kBar(CEffectsDlg::kStrengthBar);

} // namespace

int CEffectsDlg::StrengthAtX(int x) {
    return kBar.ValueAtX(x);
}

int CEffectsDlg::MarkerX(int strength) {
    return kBar.MarkerX(strength);
}

void CEffectsDlg::ShowStrength() {
    if (!m_strengthLabel || !m_strengthLabel->GetSafeHwnd())
        return;
    char text[16];
    std::snprintf(text, sizeof text, "%d", m_strength);
    m_strengthLabel->SetText(text);
}

void CEffectsDlg::InvalidateBar() {
    kBar.Invalidate(this);
}

void CEffectsDlg::SetStrength(int value) {
    m_strength = value;
    ShowStrength();
    InvalidateBar();
    UpdateWindow();
    ApplyStrength();
}

void CEffectsDlg::ApplyStrength() {
    const int selection = m_effectList ? m_effectList->GetCurSel() : CB_ERR;
    if (selection == CB_ERR || !m_work)
        return;
    if (m_work->GetAdjustPercent(selection) == m_strength)
        return;
    m_work->SetAdjustPercent(selection, m_strength);
    CWaitCursor wait;
    RebuildPreview();
    m_modif->UpdateView();
    m_modif->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CEffectsDlg::OnPaint() {
    CPaintDC dc(this);
    m_background.Paint(&dc, m_width, m_height);
    kBar.PaintMarker(&dc, m_strength);
}

BOOL CEffectsDlg::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

LRESULT CEffectsDlg::OnNcHitTest(CPoint point) {
    // The borderless dialog moves by its background: everything but the bar is caption.
    return kBar.IsUnder(this, point) ? CDialog::OnNcHitTest(point) : HTCAPTION;
}

void CEffectsDlg::OnLButtonDown(UINT flags, CPoint point) {
    m_dragging = kBar.Contains(point) ? 1 : 0;
    if (m_dragging) {
        m_dragStart = m_strength;
        m_strength = StrengthAtX(point.x);
        ShowStrength();
        InvalidateBar();
    }
    CDialog::OnLButtonDown(flags, point);
}

void CEffectsDlg::OnMouseMove(UINT flags, CPoint point) {
    if (m_dragging && kBar.Contains(point)) {
        m_strength = StrengthAtX(point.x);
        ShowStrength();
        InvalidateBar();
        // Only the ends are applied while dragging; anything between waits for the release.
        if (m_strength != m_dragStart && (m_strength == 0 || m_strength == 100)) {
            m_dragStart = m_strength;
            PushUndo();
            UpdateWindow();
            ApplyStrength();
        }
    }
    CDialog::OnMouseMove(flags, point);
}

void CEffectsDlg::OnLButtonUp(UINT flags, CPoint point) {
    if (m_dragging) {
        if (kBar.Contains(point))
            m_strength = StrengthAtX(point.x);
        if (m_strength != m_dragStart) {
            m_dragStart = m_strength;
            PushUndo();
            ShowStrength();
            InvalidateBar();
            UpdateWindow();
            ApplyStrength();
        }
        m_dragging = 0;
    }
    CDialog::OnLButtonUp(flags, point);
}

BOOL CEffectsDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_NCLBUTTONUP)
        m_dragging = 0;
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}
