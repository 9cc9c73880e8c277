// The scroll view's bars: their range from the total size, their page from the client area, and the
// requests they report turned into a new position and a scrolled window.

#include "platform/ui/ScrollView.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {

constexpr int kDefaultDivisor = 10;

int Extent(const CSize& size, int bar) {
    return bar == SB_HORZ ? size.cx : size.cy;
}

} // namespace

void CScrollView::SetScrollSizes(int mapMode, SIZE total, const SIZE& page, const SIZE& line) {
    m_nMapMode = mapMode;
    m_totalDev = CSize(std::max<LONG>(total.cx, 0), std::max<LONG>(total.cy, 0));
    m_pageDev = page;
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / kDefaultDivisor;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / kDefaultDivisor;
    m_lineDev = line;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / kDefaultDivisor;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / kDefaultDivisor;
    if (m_hWnd)
        UpdateBars();
}

CPoint CScrollView::GetScrollPosition() const {
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

void CScrollView::OnPrepareDC(CDC* dc) {
    CView::OnPrepareDC(dc);
    if (m_nMapMode == 0)
        return;
    dc->SetMapMode(m_nMapMode);
    const CPoint position = GetScrollPosition();
    dc->SetViewportOrg(-position.x, -position.y);
}

void CScrollView::UpdateBars() {
    // Which bars the total needs is judged on the area the window would have without its bars.
    CRect client;
    GetClientRect(&client);
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    const CSize whole(client.Width() + ((GetStyle() & WS_VSCROLL) ? barWidth : 0),
                      client.Height() + ((GetStyle() & WS_HSCROLL) ? barHeight : 0));
    bool across = m_totalDev.cx > whole.cx;
    bool down = m_totalDev.cy > whole.cy;
    if (across && !down)
        down = m_totalDev.cy > whole.cy - barHeight;
    if (down && !across)
        across = m_totalDev.cx > whole.cx - barWidth;
    const CSize visible(whole.cx - (down ? barWidth : 0), whole.cy - (across ? barHeight : 0));

    const CPoint before = GetScrollPosition();
    for (const int bar : {SB_HORZ, SB_VERT}) {
        const bool needed = bar == SB_HORZ ? across : down;
        const int total = Extent(m_totalDev, bar);
        const int page = Extent(visible, bar);
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = needed ? total - 1 : 0;
        info.nPage = needed ? static_cast<UINT>(page) : 0;
        info.nPos = needed ? std::min(bar == SB_HORZ ? before.x : before.y, total - page) : 0;
        SetScrollInfo(bar, &info, TRUE);
    }
    const CPoint after = GetScrollPosition();
    if (after.x != before.x || after.y != before.y)
        Invalidate(TRUE);
}

void CScrollView::ScrollToPosition(POINT point) {
    const CPoint before = GetScrollPosition();
    SetScrollPos(SB_HORZ, std::max(0, std::min<int>(point.x, GetScrollLimit(SB_HORZ))), TRUE);
    SetScrollPos(SB_VERT, std::max(0, std::min<int>(point.y, GetScrollLimit(SB_VERT))), TRUE);
    const CPoint after = GetScrollPosition();
    if (after.x != before.x || after.y != before.y)
        ScrollWindow(before.x - after.x, before.y - after.y);
}

void CScrollView::ScrollBy(int bar, UINT code) {
    if (m_nMapMode == 0)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    if (!GetScrollInfo(bar, &info, SIF_ALL))
        return;
    int position = info.nPos;
    switch (code) {
    case SB_LINEUP:
        position -= Extent(m_lineDev, bar);
        break;
    case SB_LINEDOWN:
        position += Extent(m_lineDev, bar);
        break;
    case SB_PAGEUP:
        position -= Extent(m_pageDev, bar);
        break;
    case SB_PAGEDOWN:
        position += Extent(m_pageDev, bar);
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = INT_MAX;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        position = info.nTrackPos;
        break;
    default:
        return;
    }
    CPoint target = GetScrollPosition();
    (bar == SB_HORZ ? target.x : target.y) = position;
    ScrollToPosition(target);
}

void CScrollView::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    if (m_nMapMode != 0)
        UpdateBars();
}

void CScrollView::OnHScroll(UINT code, UINT /*position*/, CScrollBar* scrollBar) {
    if (scrollBar == nullptr)
        ScrollBy(SB_HORZ, code);
}

void CScrollView::OnVScroll(UINT code, UINT /*position*/, CScrollBar* scrollBar) {
    if (scrollBar == nullptr)
        ScrollBy(SB_VERT, code);
}
