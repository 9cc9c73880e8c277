// List controls scroll with the bars of their own window. The content's extent comes from the items'
// rectangles as the list lays them out; a scroll moves the bars' positions and repaints, and every
// rectangle and hit test then follows the new offset.

#include "platform/ui/ListCtrlScroll.h"

#include "platform/ui/ListCtrl.h"
#include "platform/ui/ListCtrlInternals.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/WindowInternals.h"

#include <algorithm>

namespace {

// A line of the icon view and of the horizontal bar, in pixels.
constexpr int kPixelLine = 16;
// Lines per notch of the wheel.
constexpr int kWheelLines = 3;

bool IsReport(HWND list) {
    return (list->style & LVS_TYPEMASK) == LVS_REPORT;
}

int ItemCount(HWND list) {
    return static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
}

CRect ItemBounds(HWND list, int item) {
    CRect rect(LVIR_BOUNDS, 0, 0, 0);
    SendMessage(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

// The report view's rows: their height and where the first one starts unscrolled (below the headings).
struct Rows {
    int height = 1;
    int top = 0;
};

Rows ReportRows(HWND list) {
    if (ItemCount(list) == 0)
        return {};
    const CRect first = ItemBounds(list, 0);
    const int height = std::max(1, first.Height());
    return {height, first.top + ListScrollPosition(list).y() * height};
}

int RowsPerPage(HWND list) {
    const Rows rows = ReportRows(list);
    return std::max(0, (ClientSize(list).height() - rows.top) / rows.height);
}

// The content's extent from the view's origin: pixels, or for the report view's height, rows.
QSize ContentExtent(HWND list) {
    const int count = ItemCount(list);
    if (count == 0)
        return {};
    const QPoint scrolled = ListScrollPosition(list);
    if (IsReport(list))
        return {ItemBounds(list, 0).Width(), count};
    QSize extent;
    for (int item = 0; item < count; ++item) {
        const CRect bounds = ItemBounds(list, item);
        extent = extent.expandedTo(QSize(bounds.right + scrolled.x(), bounds.bottom + scrolled.y()));
    }
    return extent;
}

void SetBar(HWND list, int bar, int extent, int page) {
    SCROLLINFO info{sizeof(SCROLLINFO),
                    SIF_RANGE | SIF_PAGE,
                    0,
                    std::max(extent - 1, 0),
                    static_cast<UINT>(std::max(page, 0)),
                    0,
                    0};
    SetScrollInfo(list, bar, &info, TRUE);
}

void ScrollTo(HWND list, QPoint position) {
    const QPoint before = ListScrollPosition(list);
    SetScrollPos(list, SB_HORZ, position.x(), TRUE);
    SetScrollPos(list, SB_VERT, position.y(), TRUE);
    if (ListScrollPosition(list) != before) {
        listview::PlaceHeader(list);
        InvalidateWindow(list, ClientArea(list), true);
    }
}

void ScrollBy(HWND list, QPoint delta) {
    ScrollTo(list, ListScrollPosition(list) + delta);
}

int LineOf(HWND list, int bar) {
    return bar == SB_VERT && IsReport(list) ? 1 : kPixelLine;
}

void FollowRequest(HWND list, int bar, UINT code) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(list, bar, &info);
    const int line = LineOf(list, bar);
    const int page = std::max(static_cast<int>(info.nPage), 1);
    int next = info.nPos;
    switch (code) {
    case SB_LINEUP:
        next -= line;
        break;
    case SB_LINEDOWN:
        next += line;
        break;
    case SB_PAGEUP:
        next -= page;
        break;
    case SB_PAGEDOWN:
        next += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        next = info.nTrackPos;
        break;
    case SB_TOP:
        next = info.nMin;
        break;
    case SB_BOTTOM:
        next = info.nMax;
        break;
    default:
        return;
    }
    QPoint position = ListScrollPosition(list);
    (bar == SB_VERT ? position.ry() : position.rx()) = next;
    ScrollTo(list, position);
}

bool EnsureVisible(HWND list, int item, bool partialOK) {
    if (item < 0 || item >= ItemCount(list))
        return false;
    UpdateListScrollBars(list);
    const QSize client = ClientSize(list);
    if (IsReport(list)) {
        const int top = ListScrollPosition(list).y();
        const int perPage = std::max(RowsPerPage(list), 1);
        const int next = item < top ? item : item >= top + perPage ? item - perPage + 1 : top;
        ScrollTo(list, QPoint(ListScrollPosition(list).x(), next));
        return true;
    }
    const CRect bounds = ItemBounds(list, item);
    const auto shift = [partialOK](int start, int end, int visible) {
        if (partialOK && end > 0 && start < visible)
            return 0;
        if (start < 0)
            return start;
        return end > visible ? std::min(end - visible, start) : 0;
    };
    ScrollBy(list, QPoint(shift(bounds.left, bounds.right, client.width()),
                          shift(bounds.top, bounds.bottom, client.height())));
    return true;
}

} // namespace

QPoint ListScrollPosition(HWND list) {
    return {GetScrollPos(list, SB_HORZ), GetScrollPos(list, SB_VERT)};
}

void UpdateListScrollBars(HWND list) {
    // A bar that comes or goes changes the client area, and with it the icon view's rows: settle twice.
    for (int round = 0; round < 2; ++round) {
        const QSize extent = ContentExtent(list);
        const QSize client = ClientSize(list);
        SetBar(list, SB_HORZ, extent.width(), client.width());
        SetBar(list, SB_VERT, extent.height(), IsReport(list) ? RowsPerPage(list) : client.height());
    }
}

bool HandleListScrolling(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam)
            return false; // a scroll bar control's request for the parent
        FollowRequest(list, message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(static_cast<DWORD>(wParam)));
        return true;
    case WM_MOUSEWHEEL: {
        const int notches = static_cast<SHORT>(HIWORD(static_cast<DWORD>(wParam))) / 120;
        ScrollBy(list, QPoint(0, -notches * kWheelLines * LineOf(list, SB_VERT)));
        return true;
    }
    case LVM_GETTOPINDEX:
        *result = IsReport(list) ? ListScrollPosition(list).y() : 0;
        return true;
    case LVM_GETCOUNTPERPAGE:
        UpdateListScrollBars(list);
        *result = IsReport(list) ? RowsPerPage(list) : ItemCount(list);
        return true;
    case LVM_GETORIGIN: {
        auto* origin = reinterpret_cast<POINT*>(lParam);
        if (!origin)
            return true;
        const QPoint scrolled = IsReport(list) ? QPoint() : ListScrollPosition(list);
        *origin = POINT{scrolled.x(), scrolled.y()};
        *result = !IsReport(list);
        return true;
    }
    case LVM_ENSUREVISIBLE:
        *result = EnsureVisible(list, static_cast<int>(wParam), lParam != 0);
        return true;
    case LVM_SCROLL: {
        UpdateListScrollBars(list);
        const int dx = static_cast<int>(wParam);
        const int dy = static_cast<int>(lParam);
        ScrollBy(list, QPoint(dx, IsReport(list) ? dy / ReportRows(list).height : dy));
        *result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

int CListCtrl::GetTopIndex() const {
    return static_cast<int>(SendMessage(LVM_GETTOPINDEX));
}

int CListCtrl::GetCountPerPage() const {
    return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE));
}

BOOL CListCtrl::GetOrigin(LPPOINT origin) const {
    return static_cast<BOOL>(SendMessage(LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(origin)));
}

BOOL CListCtrl::SetItemPosition(int item, POINT position) {
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMPOSITION32, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&position)));
}

BOOL CListCtrl::EnsureVisible(int item, BOOL partialOK) {
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOK));
}

BOOL CListCtrl::Scroll(CSize size) {
    return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy));
}
