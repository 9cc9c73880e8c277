// The preview's tool bar: its items, the zoom box with its font and its 18 entries, and their choice.

#include "output/MailPreviewToolBar.h"

#include "output/MailPreviewMessages.h"
#include "platform/base/AppServices.h"

#include <iterator>

namespace {

constexpr UINT kToolBarId = 731;
constexpr int kZoomBoxWidth = 100;
// Room for the drop-down list below the box.
constexpr int kDropDownHeight = 500;
constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM | CBRS_BORDER_3D |
                            CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
// The zoom percents after the two named entries (fit and 100 %); the list has no 350 % or 400 %.
constexpr int kPercents[] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 150, 200, 250, 300, 450, 500};

} // namespace

BOOL CMailPreviewToolBar::CreatePreviewBar(CWnd* parent) {
    if (!CreateEx(parent, TBSTYLE_FLAT, kBarStyle, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !LoadToolBar(kToolBarId))
        return FALSE;
    static constexpr UINT kItems[] = {ID_SEPARATOR, kNextPageId};
    if (!SetButtons(kItems, static_cast<int>(std::size(kItems))))
        return FALSE;
    SetButtonInfo(0, kZoomBoxId, TBBS_SEPARATOR, kZoomBoxWidth);
    CRect box;
    GetItemRect(0, &box);
    box.bottom += kDropDownHeight;
    if (!m_zoomBox.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, box, this,
                          kZoomBoxId))
        return TRUE;
    SetToolBarComboFont(m_zoomBox, m_font);
    FillZoomBox();
    return TRUE;
}

void CMailPreviewToolBar::FillZoomBox() {
    for (const int code : {kZoomFit, kZoomOriginal}) {
        const int index = m_zoomBox.AddString(AppServices().LoadString(static_cast<UINT>(code)));
        m_zoomBox.SetItemData(index, static_cast<DWORD_PTR>(code));
    }
    for (const int percent : kPercents) {
        CString text;
        text.Format("%d%%", percent);
        const int index = m_zoomBox.AddString(text);
        m_zoomBox.SetItemData(index, static_cast<DWORD_PTR>(percent));
    }
}

void CMailPreviewToolBar::OnZoomSelChange() {
    int position = m_zoomBox.GetCurSel();
    if (position == CB_ERR)
        position = m_zoomBox.FindStringExact(-1, "100%");
    if (position == CB_ERR && m_zoomBox.GetCount() > 0)
        position = 0;
    if (position == CB_ERR)
        return;
    if (CWnd* frame = GetParent())
        frame->SendMessage(WM_MAILPREVIEW_ZOOM, 0, static_cast<LPARAM>(m_zoomBox.GetItemData(position)));
}

BOOL CMailPreviewToolBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kZoomBoxId && HIWORD(wParam) == CBN_SELCHANGE) {
        OnZoomSelChange();
        return TRUE;
    }
    return CToolBar::OnCommand(wParam, lParam);
}

void CMailPreviewToolBar::OnDestroy() {
    CToolBar::OnDestroy();
    m_font.DeleteObject();
}
