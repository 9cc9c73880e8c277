// The tab row of a property sheet, drawn by our own code: raised tabs, the current one a little larger
// and open towards the panel.

#include "platform/ui/SheetTabStrip.h"

#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/PaintDC.h"

namespace {

constexpr int kTextPadding = 8;  // on each side of a tab's text
constexpr int kLift = 2;         // how much higher and wider the current tab stands
constexpr int kFirstTabLeft = 2; // room for the current tab's lift at the left edge

// The current tab stands higher and wider than the others.
CRect Lifted(const CRect& tab) {
    return CRect(tab.left - kLift, tab.top - kLift, tab.right + kLift, tab.bottom);
}

} // namespace

BOOL CSheetTabStrip::Create(CWnd* sheet, const CRect& area, UINT id) {
    const LPCTSTR className = AfxRegisterWndClass(CS_DBLCLKS);
    if (!CreateEx(0, className, "", WS_CHILD | WS_VISIBLE, area, sheet, id))
        return FALSE;
    SetFont(sheet->GetFont(), FALSE);
    return TRUE;
}

void CSheetTabStrip::SetTitles(std::vector<CString> titles) {
    m_titles = std::move(titles);
    Invalidate();
}

void CSheetTabStrip::SetCurrent(int index) {
    m_current = index;
    Invalidate();
}

std::vector<CRect> CSheetTabStrip::MeasureTabs() {
    CClientDC dc(this);
    CFont* old = dc.SelectObject(GetFont());
    std::vector<CRect> tabs = TabRects(&dc);
    dc.SelectObject(old);
    return tabs;
}

CRect CSheetTabStrip::GetTabRect(int index) {
    const std::vector<CRect> tabs = MeasureTabs();
    if (index < 0 || index >= static_cast<int>(tabs.size()))
        return CRect();
    return index == m_current ? Lifted(tabs[static_cast<size_t>(index)]) : tabs[static_cast<size_t>(index)];
}

int CSheetTabStrip::HitTest(CPoint point) {
    const std::vector<CRect> tabs = MeasureTabs();
    for (size_t i = 0; i < tabs.size(); ++i) {
        CRect hit = tabs[i];
        if (static_cast<int>(i) == m_current)
            hit = Lifted(hit);
        if (hit.PtInRect(point))
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<CRect> CSheetTabStrip::TabRects(CDC* dc) const {
    std::vector<CRect> tabs;
    int left = kFirstTabLeft;
    for (const CString& title : m_titles) {
        const int width = dc->GetTextExtent(title).cx + 2 * kTextPadding;
        tabs.emplace_back(left, kLift, left + width, kTabHeight);
        left += width;
    }
    return tabs;
}

void CSheetTabStrip::DrawTab(CDC* dc, const CRect& tab, const CString& title, bool current) const {
    CRect face = tab;
    if (current) {
        face = Lifted(tab);
        face.bottom += kFrame; // over the panel's top edge: open towards the page
    }
    dc->FillSolidRect(&face, GetSysColor(COLOR_BTNFACE));
    dc->DrawEdge(&face, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
    CRect text = face;
    text.top += current ? 0 : 1;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
    dc->DrawText(title, title.GetLength(), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CSheetTabStrip::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    // The raised panel under the tabs.
    CRect panel(client.left, kTabHeight, client.right, client.bottom);
    dc.DrawEdge(&panel, EDGE_RAISED, BF_RECT);

    CFont* old = dc.SelectObject(GetFont());
    const std::vector<CRect> tabs = TabRects(&dc);
    for (size_t i = 0; i < tabs.size(); ++i) {
        if (static_cast<int>(i) != m_current)
            DrawTab(&dc, tabs[i], m_titles[i], false);
    }
    // The current tab last, so that it overlaps its neighbours.
    if (m_current >= 0 && m_current < static_cast<int>(tabs.size()))
        DrawTab(&dc, tabs[static_cast<size_t>(m_current)], m_titles[static_cast<size_t>(m_current)], true);
    dc.SelectObject(old);
}

BOOL CSheetTabStrip::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE; // OnPaint fills everything
}

void CSheetTabStrip::OnLButtonDown(UINT /*flags*/, CPoint point) {
    const int index = HitTest(point);
    if (index >= 0 && index != m_current && m_onPick)
        m_onPick(index);
}
