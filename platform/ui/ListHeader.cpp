// The report view's columns and the header window that shows them: headings painted by our code, a drag
// on a divider setting a column's width, a click on a heading sent to the list's parent as
// LVN_COLUMNCLICK. The columns live in the list; the header reads and changes them there.

#include "platform/gdi/Dc.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ListCtrlInternals.h"
#include "platform/ui/ListCtrlScroll.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <QWidget>
#include <algorithm>
#include <cstring>

namespace listview {
namespace {

// How far from a divider a press still takes hold of it.
constexpr int kDividerReach = 4;

struct HeaderState final : WindowClassData {
    int sizedColumn = -1;   // the column whose divider is being dragged
    int pressedColumn = -1; // the heading a click began on
    int grabOffset = 0;     // from the pointer to the divider, kept while dragging
};

HeaderState& HeaderStateOf(HWND header) {
    if (!header->classData)
        header->classData = std::make_unique<HeaderState>();
    return static_cast<HeaderState&>(*header->classData);
}

// The list the header belongs to, or null for a header on its own.
HWND ListOf(HWND header) {
    const HWND parent = header->parent;
    return IsLiveWindow(parent) && parent->windowClass == &kListViewClass ? parent : nullptr;
}

std::vector<ListColumn>* ColumnsOf(HWND header) {
    const HWND list = ListOf(header);
    return list ? &StateOf(list).columns : nullptr;
}

int ColumnLeft(const std::vector<ListColumn>& columns, int column) {
    int left = 0;
    for (int each = 0; each < column; ++each)
        left += columns[static_cast<size_t>(each)].width;
    return left;
}

// The column whose divider lies within reach of x, the rightmost first so that a column dragged to no
// width can be widened again; -1 for none.
int DividerAt(const std::vector<ListColumn>& columns, int x) {
    for (int column = static_cast<int>(columns.size()) - 1; column >= 0; --column) {
        const int divider = ColumnLeft(columns, column + 1);
        if (std::abs(x - divider) <= kDividerReach)
            return column;
    }
    return -1;
}

int HeadingAt(const std::vector<ListColumn>& columns, int x) {
    int left = 0;
    for (size_t column = 0; column < columns.size(); ++column) {
        if (x >= left && x < left + columns[column].width)
            return static_cast<int>(column);
        left += columns[column].width;
    }
    return -1;
}

void InvalidateColumns(HWND list) {
    InvalidateWindow(list, ClientArea(list), false);
    const HWND header = StateOf(list).header;
    if (IsLiveWindow(header))
        InvalidateWindow(header, ClientArea(header), false);
}

void SetWidth(HWND list, int column, int width) {
    StateOf(list).columns[static_cast<size_t>(column)].width = std::max(width, 0);
    InvalidateColumns(list);
}

void PaintHeader(HWND header) {
    PAINTSTRUCT paint;
    CDC* dc = CDC::FromHandle(BeginPaint(header, &paint));
    const QSize size = ClientSize(header);
    CRect client(0, 0, size.width(), size.height());
    dc->FillSolidRect(&client, GetSysColor(COLOR_3DFACE));
    const HWND list = ListOf(header);
    const HFONT font = list && list->font ? list->font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    CFont* previous = dc->SelectObject(CFont::FromHandle(font));
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
    int left = 0;
    for (const ListColumn& column : list ? StateOf(list).columns : std::vector<ListColumn>{}) {
        CRect heading(left, 0, left + column.width, size.height());
        dc->DrawEdge(&heading, EDGE_RAISED, BF_RECT);
        heading.DeflateRect(4, 0);
        dc->DrawText(column.heading, &heading,
                     DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        left += column.width;
    }
    dc->SelectObject(previous);
    EndPaint(header, &paint);
}

void Press(HWND header, int x) {
    const std::vector<ListColumn>* columns = ColumnsOf(header);
    if (!columns)
        return;
    HeaderState& state = HeaderStateOf(header);
    state.sizedColumn = DividerAt(*columns, x);
    state.pressedColumn = state.sizedColumn < 0 ? HeadingAt(*columns, x) : -1;
    state.grabOffset = state.sizedColumn < 0 ? 0 : ColumnLeft(*columns, state.sizedColumn + 1) - x;
    SetCapture(header);
}

void Drag(HWND header, int x) {
    const HeaderState& state = HeaderStateOf(header);
    const HWND list = ListOf(header);
    if (!list || state.sizedColumn < 0 || state.sizedColumn >= static_cast<int>(StateOf(list).columns.size()))
        return;
    SetWidth(list, state.sizedColumn,
             x + state.grabOffset - ColumnLeft(StateOf(list).columns, state.sizedColumn));
}

void Release(HWND header, QPoint point) {
    HeaderState& state = HeaderStateOf(header);
    const int pressed = state.pressedColumn;
    state.sizedColumn = -1;
    state.pressedColumn = -1;
    if (GetCapture() == header)
        ReleaseCapture();
    const HWND list = ListOf(header);
    if (!list || pressed < 0 || point.y() < 0 || point.y() >= ClientSize(header).height() ||
        HeadingAt(StateOf(list).columns, point.x()) != pressed || !IsLiveWindow(list->parent))
        return;
    NMLISTVIEW record{{list, list->id, LVN_COLUMNCLICK}, -1, pressed, 0, 0, 0, {point.x(), point.y()}, 0};
    SendToWindow(list->parent, WM_NOTIFY, list->id, reinterpret_cast<LPARAM>(&record));
}

BOOL GetHeading(HWND header, int index, HDITEM* item) {
    const std::vector<ListColumn>* columns = ColumnsOf(header);
    if (!columns || !item || index < 0 || index >= static_cast<int>(columns->size()))
        return FALSE;
    const ListColumn& column = (*columns)[static_cast<size_t>(index)];
    if (item->mask & HDI_WIDTH)
        item->cxy = column.width;
    if ((item->mask & HDI_TEXT) && item->pszText && item->cchTextMax > 0) {
        const size_t length = std::min<size_t>(static_cast<size_t>(column.heading.GetLength()),
                                               static_cast<size_t>(item->cchTextMax) - 1);
        std::memcpy(item->pszText, column.heading.GetString(), length);
        item->pszText[length] = '\0';
    }
    return TRUE;
}

LRESULT HeaderWindowProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
    const QPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_PAINT:
        PaintHeader(header);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        Press(header, point.x());
        return 0;
    case WM_MOUSEMOVE:
        if (wParam & MK_LBUTTON)
            Drag(header, point.x());
        return 0;
    case WM_LBUTTONUP:
        Release(header, point);
        return 0;
    case WM_SETCURSOR: {
        const std::vector<ListColumn>* columns = ColumnsOf(header);
        POINT cursor{};
        GetCursorPos(&cursor);
        CWnd::FromHandle(header)->ScreenToClient(&cursor);
        if (!columns || DividerAt(*columns, cursor.x) < 0)
            return DefWindowProc(header, message, wParam, lParam);
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        return TRUE;
    }
    case HDM_GETITEMCOUNT: {
        const std::vector<ListColumn>* columns = ColumnsOf(header);
        return columns ? static_cast<LRESULT>(columns->size()) : 0;
    }
    case HDM_GETITEMRECT: {
        const std::vector<ListColumn>* columns = ColumnsOf(header);
        auto* rect = reinterpret_cast<RECT*>(lParam);
        const int index = static_cast<int>(wParam);
        if (!columns || !rect || index < 0 || index >= static_cast<int>(columns->size()))
            return FALSE;
        const int left = ColumnLeft(*columns, index);
        *rect =
            CRect(left, 0, left + (*columns)[static_cast<size_t>(index)].width, ClientSize(header).height());
        return TRUE;
    }
    case HDM_GETITEM:
        return GetHeading(header, static_cast<int>(wParam), reinterpret_cast<HDITEM*>(lParam));
    default:
        return DefWindowProc(header, message, wParam, lParam);
    }
}

WindowHost* MakeHeaderWidget(const CREATESTRUCT&, QWidget* parent, Qt::WindowFlags flags) {
    return new WindowWidget<QWidget>(parent, flags);
}

CWnd* MakeHeaderWrapper() {
    return new CHeaderCtrl;
}

} // namespace

HWND MakeHeader(HWND list) {
    ListState& state = StateOf(list);
    if (!IsReport(list))
        return nullptr;
    if (!IsLiveWindow(state.header))
        state.header = CreateWindowEx(0, WC_HEADER, "", WS_CHILD, 0, 0, ClientSize(list).width(),
                                      kHeadingHeight, list, nullptr, nullptr, nullptr);
    PlaceHeader(list);
    return state.header;
}

void PlaceHeader(HWND list) {
    const ListState& state = StateOf(list);
    if (!IsLiveWindow(state.header))
        return;
    const bool shown = IsReport(list) && !state.columns.empty();
    // Scrolled across, the headings move with the rows: the header starts left of the client area.
    const int scrolled = ListScrollPosition(list).x();
    CWnd::FromHandle(state.header)
        ->SetWindowPos(nullptr, -scrolled, 0, ClientSize(list).width() + scrolled, kHeadingHeight,
                       SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

LRESULT ColumnMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    ListState& state = StateOf(list);
    const int column = static_cast<int>(wParam);
    const bool known = column >= 0 && column < static_cast<int>(state.columns.size());
    switch (message) {
    case LVM_INSERTCOLUMN: {
        const auto* info = reinterpret_cast<const LVCOLUMN*>(lParam);
        if (!info)
            return -1;
        const int at = std::clamp(column, 0, static_cast<int>(state.columns.size()));
        ListColumn inserted;
        if ((info->mask & LVCF_TEXT) && info->pszText)
            inserted.heading = info->pszText;
        if ((info->mask & LVCF_WIDTH) && info->cx >= 0)
            inserted.width = info->cx;
        state.columns.insert(state.columns.begin() + at, inserted);
        MakeHeader(list);
        InvalidateColumns(list);
        return at;
    }
    case LVM_DELETECOLUMN:
        if (!known)
            return FALSE;
        state.columns.erase(state.columns.begin() + column);
        for (ListItem& item : state.items) {
            if (static_cast<size_t>(column) < item.texts.size())
                item.texts.erase(item.texts.begin() + column);
            if (item.texts.empty())
                item.texts.emplace_back();
        }
        PlaceHeader(list);
        InvalidateColumns(list);
        return TRUE;
    case LVM_GETCOLUMNWIDTH:
        return known ? state.columns[static_cast<size_t>(column)].width : 0;
    case LVM_SETCOLUMNWIDTH:
        if (!known)
            return FALSE;
        SetWidth(list, column, static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam))));
        return TRUE;
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(MakeHeader(list));
    default:
        return 0;
    }
}

} // namespace listview

const WindowClass kHeaderClass{.name = WC_HEADER,
                               .standardCursor = IDC_ARROW,
                               .proc = listview::HeaderWindowProc,
                               .makeWidget = listview::MakeHeaderWidget,
                               .makeWrapper = listview::MakeHeaderWrapper};
