// The picker's swatch face and its relay of the popup's messages to its parent.

#include "skin/ColorPicker.h"

#include "platform/base/AppServices.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CColorPicker, CButton)

namespace {

// Strings of the text module: the captions of the popup's default and custom boxes.
constexpr UINT kDefaultTextId = 297;
constexpr UINT kCustomTextId = 298;

CString LoadCaption(UINT id) {
    return AppServices().LoadString(id).Left(255);
}

} // namespace

CColorPicker::CColorPicker()
    : m_backgroundColor(GetSysColor(COLOR_BTNFACE)), m_textColor(GetSysColor(COLOR_BTNTEXT)),
      m_defaultText(LoadCaption(kDefaultTextId)), m_customText(LoadCaption(kCustomTextId)) {}

COLORREF CColorPicker::GetColor() const {
    return m_selectionMode == 1 ? m_textColor : m_backgroundColor;
}

void CColorPicker::SetColor(COLORREF color) {
    if (m_selectionMode == 1)
        SetTextColour(color);
    else
        SetBkColour(color);
}

void CColorPicker::SetBkColour(COLORREF color) {
    m_backgroundColor = color;
    if (m_hWnd)
        RedrawWindow();
}

void CColorPicker::SetTextColour(COLORREF color) {
    m_textColor = color;
    if (m_hWnd)
        RedrawWindow();
}

void CColorPicker::SetDefaultText(LPCTSTR text) {
    m_defaultText = text ? text : "";
}

void CColorPicker::SetCustomText(LPCTSTR text) {
    m_customText = text ? text : "";
}

void CColorPicker::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
    SetWindowSize();
}

int CColorPicker::OnCreate(LPCREATESTRUCT create) {
    if (CButton::OnCreate(create) == -1)
        return -1;
    SetWindowSize();
    return 0;
}

void CColorPicker::SetWindowSize() {
    const CSize margin(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
    const int arrowWidth = std::max(GetSystemMetrics(SM_CXHTHUMB), 5 * margin.cx);
    const int arrowHeight = std::max(GetSystemMetrics(SM_CYVTHUMB), 5 * margin.cy);
    const int arrow = std::max(arrowWidth, arrowHeight);

    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&rect);
    const int width = std::max(static_cast<int>(rect.Width()), 2 * static_cast<int>(margin.cx) + 2 * arrow);
    const int height = arrow + 2 * margin.cy;
    MoveWindow(rect.left, rect.top, width, height, TRUE);

    GetClientRect(&rect);
    m_arrowRect.SetRect(rect.right - arrow - margin.cx, rect.top + margin.cy, rect.right - margin.cx,
                        rect.bottom - margin.cy);
}

void CColorPicker::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    CDC* dc = CDC::FromHandle(drawItem->hDC);
    CRect rect = drawItem->rcItem;
    const bool disabled = (drawItem->itemState & ODS_DISABLED) != 0;
    const bool selected = m_active || (drawItem->itemState & ODS_SELECTED);
    const CSize margin(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));

    CRect arrow = m_arrowRect;
    dc->DrawFrameControl(&arrow, DFC_SCROLL,
                         DFCS_SCROLLDOWN | (selected ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
    dc->DrawEdge(&rect, EDGE_SUNKEN, BF_RECT);

    rect.DeflateRect(margin.cx, margin.cy);
    rect.right -= m_arrowRect.Width();
    const COLORREF swatch =
        disabled || m_backgroundColor == CLR_DEFAULT ? GetSysColor(COLOR_3DFACE) : m_backgroundColor;
    dc->FillSolidRect(&rect, swatch);

    CString text;
    GetWindowText(text);
    if (!text.IsEmpty()) {
        dc->SetBkMode(TRANSPARENT);
        if (disabled) {
            CRect shifted = rect;
            shifted.OffsetRect(1, 1);
            dc->SetTextColor(GetSysColor(COLOR_3DHILIGHT));
            dc->DrawText(text, &shifted, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            dc->SetTextColor(GetSysColor(COLOR_3DSHADOW));
        } else {
            dc->SetTextColor(m_textColor == CLR_DEFAULT ? RGB(0, 0, 0) : m_textColor);
        }
        dc->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    if (drawItem->itemState & ODS_FOCUS) {
        rect.DeflateRect(1, 1);
        dc->DrawFocusRect(&rect);
    }
}

BOOL CColorPicker::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(static_cast<DWORD>(wParam)) == BN_CLICKED) {
        OnClicked();
        *result = 0;
        return TRUE;
    }
    return CButton::OnChildNotify(message, wParam, lParam, result);
}

void CColorPicker::OnClicked() {
    m_active = TRUE;
    CRect rect;
    GetWindowRect(&rect);
    CColorPopup::Open(CPoint(rect.left, rect.bottom), GetColor(), this, m_defaultText, m_customText);
    SendToParent(CPN_DROPDOWN, GetColor());
}

LRESULT CColorPicker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto color = static_cast<COLORREF>(wParam);
    switch (message) {
    case CPN_SELCHANGE:
        OnSelChange(color);
        return TRUE;
    case CPN_SELENDOK:
    case CPN_SELENDCANCEL:
        OnSelEnd(message, color);
        return TRUE;
    default:
        return CButton::WindowProc(message, wParam, lParam);
    }
}

void CColorPicker::OnSelChange(COLORREF color) {
    if (m_trackSelection)
        SetColor(color);
    SendToParent(CPN_SELCHANGE, color);
}

void CColorPicker::OnSelEnd(UINT message, COLORREF color) {
    m_active = FALSE;
    SetColor(color);
    SendToParent(CPN_CLOSEUP, color);
    SendToParent(message, color);
}

void CColorPicker::SendToParent(UINT message, COLORREF color) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(message, color, static_cast<LPARAM>(GetDlgCtrlID()));
}
