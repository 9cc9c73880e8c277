// The effects dialog's list of effects: its closed face and the notifications it keeps to itself.

#include "editing/EffectsComboBox.h"

#include "platform/ui/PaintDC.h"

namespace {

constexpr int kFaceWidth = 177;
constexpr CSize kArrowSize(35, 22);
constexpr int kArrowSourceY = 8;

} // namespace

CEffectsComboBox::CEffectsComboBox() : CSkinComboBox(15, "EFFECTS_COMBO") {}

void CEffectsComboBox::OnPaint() {
    CPaintDC dc(this);
    dc.FillSolidRect(CRect(0, -1, kFaceWidth, 19), kPaleColor);
    DrawArrow(&dc, CPoint(kFaceWidth, 0), kArrowSize, kArrowSourceY);
    DrawFaceText(&dc, CPoint(37, 3), false);
}

void CEffectsComboBox::OnLButtonUp(UINT /*flags*/, CPoint /*point*/) {
    RepaintInParent();
}

// The list keeps its focus drawing to itself: losing the focus changes nothing on the skin.
void CEffectsComboBox::OnKillFocus(CWnd* /*newWindow*/) {}

BOOL CEffectsComboBox::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_SETFOCUS)
        SendMessage(WM_SETREDRAW, FALSE);
    return CSkinComboBox::OnWndMsg(message, wParam, lParam, result);
}

BOOL CEffectsComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(static_cast<DWORD>(wParam)) == CBN_DROPDOWN)
        return TRUE;
    return CSkinComboBox::OnChildNotify(message, wParam, lParam, result);
}
