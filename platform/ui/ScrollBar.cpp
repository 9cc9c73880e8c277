// CScrollBar: the scroll bar control's functions, over the scroll bar functions with SB_CTL.

#include "platform/ui/ScrollBar.h"

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_SCROLLBAR, "", style, rect, parent, id);
}

int CScrollBar::GetScrollPos() const {
    return ::GetScrollPos(m_hWnd, SB_CTL);
}

int CScrollBar::SetScrollPos(int position, BOOL redraw) {
    return ::SetScrollPos(m_hWnd, SB_CTL, position, redraw);
}

void CScrollBar::GetScrollRange(int* minPos, int* maxPos) const {
    ::GetScrollRange(m_hWnd, SB_CTL, minPos, maxPos);
}

void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL redraw) {
    ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw);
}

void CScrollBar::ShowScrollBar(BOOL show) {
    ::ShowScrollBar(m_hWnd, SB_CTL, show);
}

BOOL CScrollBar::EnableScrollBar(UINT arrows) {
    return ::EnableScrollBar(m_hWnd, SB_CTL, arrows);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO info, BOOL redraw) {
    ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask) {
    return CWnd::GetScrollInfo(SB_CTL, info, mask);
}

int CScrollBar::GetScrollLimit() {
    return CWnd::GetScrollLimit(SB_CTL);
}
