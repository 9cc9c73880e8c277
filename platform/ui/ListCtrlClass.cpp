// The list view window class: items laid out as a grid of large icons or as rows under column headings,
// painted by our code; selection by the mouse with Ctrl and Shift, each state change reported to the
// parent as LVN_ITEMCHANGED.

#include "platform/gdi/Dc.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/LabelEditor.h"
#include "platform/ui/ListCtrlInternals.h"
#include "platform/ui/ListCtrlScroll.h"
#include "platform/ui/Messages.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <QWidget>
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace listview {

constexpr int kTextHeight = 16;
constexpr int kDefaultIconSide = 32;

ListState& StateOf(HWND list) {
    if (!list->classData)
        list->classData = std::make_unique<ListState>();
    return static_cast<ListState&>(*list->classData);
}

bool IsReport(HWND list) {
    return (list->style & LVS_TYPEMASK) == LVS_REPORT;
}

bool IsItem(const ListState& state, int item) {
    return item >= 0 && item < static_cast<int>(state.items.size());
}

QSize ImageSize(HIMAGELIST images, int fallback) {
    int cx = fallback;
    int cy = fallback;
    if (images)
        ImageList_GetIconSize(images, &cx, &cy);
    return QSize(cx, cy);
}

int RowHeight(const ListState& state) {
    return std::max(kTextHeight, ImageSize(state.images[LVSIL_SMALL], 0).height());
}

QSize IconCell(const ListState& state) {
    if (!state.spacing.isEmpty())
        return state.spacing;
    return QSize(GetSystemMetrics(SM_CXICONSPACING), GetSystemMetrics(SM_CYICONSPACING));
}

// Large icons sit in cells of the icon spacing, as many in a row as the client holds.
int IconsPerRow(HWND list) {
    return std::max(1, ClientSize(list).width() / IconCell(StateOf(list)).width());
}

COLORREF Resolved(COLORREF color, int systemColor) {
    return color == CLR_DEFAULT ? GetSysColor(systemColor) : color;
}

int ReportWidth(const ListState& state) {
    int width = 0;
    for (const ListColumn& column : state.columns)
        width += column.width;
    return std::max(width, kDefaultColumnWidth);
}

ItemParts PartsOf(HWND list, int item) {
    const ListState& state = StateOf(list);
    ItemParts parts;
    if (IsReport(list)) {
        const int height = RowHeight(state);
        const int top = (state.columns.empty() ? 0 : kHeadingHeight) + item * height;
        const int iconWidth = ImageSize(state.images[LVSIL_SMALL], 0).width();
        const int firstWidth = state.columns.empty() ? ReportWidth(state) : state.columns.front().width;
        const QPoint scrolled = ListScrollPosition(list);
        const int left = -scrolled.x();
        const int row = top - scrolled.y() * height;
        parts.bounds = QRect(left, row, ReportWidth(state), height);
        parts.icon = QRect(left, row, iconWidth, height);
        parts.label = QRect(left + iconWidth, row, std::max(firstWidth - iconWidth, 0), height);
        return parts;
    }
    const QSize cell = IconCell(state);
    const int perRow = IconsPerRow(list);
    const QPoint origin = state.items[static_cast<size_t>(item)].placed.value_or(
                              QPoint((item % perRow) * cell.width(), (item / perRow) * cell.height())) -
                          ListScrollPosition(list);
    const QSize icon = ImageSize(state.images[LVSIL_NORMAL], kDefaultIconSide);
    parts.bounds = QRect(origin, cell);
    parts.icon =
        QRect(origin.x() + (cell.width() - icon.width()) / 2, origin.y() + 2, icon.width(), icon.height());
    parts.label = QRect(origin.x(), parts.icon.bottom() + 3, cell.width(), kTextHeight);
    return parts;
}

int HitItem(HWND list, QPoint point, UINT* flags) {
    const ListState& state = StateOf(list);
    *flags = LVHT_NOWHERE;
    // Rows scrolled up under the headings are hidden there.
    if (IsReport(list) && !state.columns.empty() && point.y() < kHeadingHeight)
        return -1;
    for (int item = 0; item < static_cast<int>(state.items.size()); ++item) {
        const ItemParts parts = PartsOf(list, item);
        if (parts.icon.contains(point)) {
            *flags = LVHT_ONITEMICON;
            return item;
        }
        if (parts.label.contains(point) || (IsReport(list) && parts.bounds.contains(point))) {
            *flags = LVHT_ONITEMLABEL;
            return item;
        }
    }
    return -1;
}

void Notify(HWND list, NMLISTVIEW& record) {
    record.hdr = NMHDR{list, list->id, record.hdr.code};
    if (IsLiveWindow(list->parent))
        SendToWindow(list->parent, WM_NOTIFY, list->id, reinterpret_cast<LPARAM>(&record));
}

void ChangeState(HWND list, int item, UINT state, UINT mask) {
    ListState& data = StateOf(list);
    ListItem& entry = data.items[static_cast<size_t>(item)];
    const UINT old = entry.state;
    const UINT next = (old & ~mask) | (state & mask);
    if (next == old)
        return;
    entry.state = next;
    InvalidateWindow(list, ClientArea(list), false);
    NMLISTVIEW record{{nullptr, 0, LVN_ITEMCHANGED}, item, 0, next, old, LVIF_STATE, {}, entry.data};
    Notify(list, record);
}

void GiveOnly(HWND list, int item, UINT bit) {
    ListState& state = StateOf(list);
    for (int other = 0; other < static_cast<int>(state.items.size()); ++other) {
        if (other != item && IsLiveWindow(list) && IsItem(state, other))
            ChangeState(list, other, 0, bit);
    }
    if (IsItem(state, item) && IsLiveWindow(list))
        ChangeState(list, item, bit, bit);
}

void SelectAndFocus(HWND list, int target, const std::function<bool(int)>& selected) {
    ListState& state = StateOf(list);
    constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
    const auto selection = [&selected](int item) { return selected(item) ? LVIS_SELECTED : 0U; };
    const UINT targetState = IsItem(state, target) ? selection(target) | LVIS_FOCUSED : 0;
    for (int other = 0; other < static_cast<int>(state.items.size()) && IsLiveWindow(list); ++other) {
        if (other != target)
            ChangeState(list, other, selection(other), kBoth);
    }
    if (IsItem(state, target) && IsLiveWindow(list))
        ChangeState(list, target, targetState, kBoth);
}

void SetState(HWND list, int item, UINT state, UINT mask) {
    ListState& data = StateOf(list);
    if (item == -1) {
        for (int each = 0; each < static_cast<int>(data.items.size()) && IsLiveWindow(list); ++each)
            ChangeState(list, each, state, mask);
        return;
    }
    if ((mask & state & LVIS_FOCUSED) || ((list->style & LVS_SINGLESEL) && (mask & state & LVIS_SELECTED)))
        GiveOnly(list, item, mask & state & (LVIS_FOCUSED | LVIS_SELECTED));
    if (IsLiveWindow(list) && IsItem(data, item))
        ChangeState(list, item, state, mask);
}

void Click(HWND list, WPARAM keys, QPoint point) {
    ListState& state = StateOf(list);
    UINT flags = 0;
    const int item = HitItem(list, point, &flags);
    const bool single = (list->style & LVS_SINGLESEL) != 0;
    if (!single && (keys & MK_CONTROL)) {
        if (item < 0)
            return;
        const bool wasSelected = (state.items[static_cast<size_t>(item)].state & LVIS_SELECTED) != 0;
        std::vector<bool> selected;
        for (const ListItem& each : state.items)
            selected.push_back((each.state & LVIS_SELECTED) != 0);
        selected[static_cast<size_t>(item)] = !wasSelected;
        state.anchor = item;
        SelectAndFocus(list, item, [&selected](int each) { return selected[static_cast<size_t>(each)]; });
        return;
    }
    if (!single && (keys & MK_SHIFT) && item >= 0 && IsItem(state, state.anchor)) {
        const int from = std::min(state.anchor, item);
        const int to = std::max(state.anchor, item);
        SelectAndFocus(list, item, [from, to](int each) { return each >= from && each <= to; });
        return;
    }
    state.anchor = item;
    if (item < 0)
        GiveOnly(list, item, LVIS_SELECTED);
    else
        SelectAndFocus(list, item, [item](int each) { return each == item; });
}

int InsertItem(HWND list, const LVITEM& info) {
    ListState& state = StateOf(list);
    if (info.iSubItem != 0 || info.iItem < 0)
        return -1;
    const int at = std::min(info.iItem, static_cast<int>(state.items.size()));
    ListItem item;
    item.texts.resize(std::max<size_t>(1, state.columns.size()));
    if ((info.mask & LVIF_TEXT) && info.pszText)
        item.texts[0] = info.pszText;
    if (info.mask & LVIF_IMAGE)
        item.image = info.iImage;
    if (info.mask & LVIF_PARAM)
        item.data = info.lParam;
    if (info.mask & LVIF_STATE)
        item.state = info.state & info.stateMask;
    state.items.insert(state.items.begin() + at, std::move(item));
    if (state.anchor >= at)
        ++state.anchor;
    if (state.editedItem >= at)
        ++state.editedItem;
    InvalidateWindow(list, ClientArea(list), false);
    return at;
}

BOOL SetItem(HWND list, const LVITEM& info) {
    ListState& state = StateOf(list);
    if (!IsItem(state, info.iItem) || info.iSubItem < 0)
        return FALSE;
    ListItem& item = state.items[static_cast<size_t>(info.iItem)];
    if (info.mask & LVIF_TEXT) {
        if (static_cast<size_t>(info.iSubItem) >= item.texts.size())
            item.texts.resize(static_cast<size_t>(info.iSubItem) + 1);
        item.texts[static_cast<size_t>(info.iSubItem)] = info.pszText ? info.pszText : "";
    }
    if (info.iSubItem == 0 && (info.mask & LVIF_IMAGE))
        item.image = info.iImage;
    if (info.iSubItem == 0 && (info.mask & LVIF_PARAM))
        item.data = info.lParam;
    InvalidateWindow(list, ClientArea(list), false);
    if (info.iSubItem == 0 && (info.mask & LVIF_STATE))
        SetState(list, info.iItem, info.state, info.stateMask);
    return TRUE;
}

BOOL GetItem(HWND list, LVITEM& info) {
    const ListState& state = StateOf(list);
    if (!IsItem(state, info.iItem) || info.iSubItem < 0)
        return FALSE;
    const ListItem& item = state.items[static_cast<size_t>(info.iItem)];
    if ((info.mask & LVIF_TEXT) && info.pszText && info.cchTextMax > 0) {
        const size_t column = static_cast<size_t>(info.iSubItem);
        const CString text = column < item.texts.size() ? item.texts[column] : CString();
        const size_t length =
            std::min<size_t>(static_cast<size_t>(text.GetLength()), static_cast<size_t>(info.cchTextMax) - 1);
        std::memcpy(info.pszText, text.GetString(), length);
        info.pszText[length] = '\0';
    }
    if (info.mask & LVIF_IMAGE)
        info.iImage = item.image;
    if (info.mask & LVIF_PARAM)
        info.lParam = item.data;
    if (info.mask & LVIF_STATE)
        info.state = item.state & info.stateMask;
    return TRUE;
}

int NextItem(HWND list, int after, UINT flags) {
    const ListState& state = StateOf(list);
    const UINT wanted =
        ((flags & LVNI_FOCUSED) ? LVIS_FOCUSED : 0) | ((flags & LVNI_SELECTED) ? LVIS_SELECTED : 0);
    for (int item = std::max(after + 1, 0); item < static_cast<int>(state.items.size()); ++item) {
        if ((state.items[static_cast<size_t>(item)].state & wanted) == wanted)
            return item;
    }
    return -1;
}

LRESULT NotifyLabelEdit(HWND list, UINT code, int item, LPTSTR text) {
    const ListState& state = StateOf(list);
    NMLVDISPINFO record{{list, list->id, code}, {}};
    record.item.mask = LVIF_TEXT | LVIF_PARAM;
    record.item.iItem = item;
    record.item.pszText = text;
    record.item.lParam = state.items[static_cast<size_t>(item)].data;
    if (!IsLiveWindow(list->parent))
        return 0;
    return SendToWindow(list->parent, WM_NOTIFY, list->id, reinterpret_cast<LPARAM>(&record));
}

namespace {

// The label with room for the editor's frame and a few more letters: about the label's centre in the
// icon views, to its right in a report, within the client area.
CRect LabelEditorArea(HWND list, const QRect& label) {
    const int width = std::max(label.width() + kLabelEditorRoom, kLabelEditorMinimum);
    const int clientWidth = ClientSize(list).width();
    int left = IsReport(list) ? label.left() : label.center().x() - width / 2;
    left = std::max(0, std::min(left, clientWidth - width));
    return CRect(left, label.top(), left + width, label.bottom() + 1);
}

} // namespace

HWND BeginLabelEdit(HWND list, int item) {
    ListState& state = StateOf(list);
    if (!IsItem(state, item) || IsLiveWindow(state.editor))
        return nullptr;
    CString label = state.items[static_cast<size_t>(item)].texts[0];
    if (NotifyLabelEdit(list, LVN_BEGINLABELEDIT, item, label.GetBuffer()) || !IsLiveWindow(list) ||
        !IsItem(state, item))
        return nullptr;
    const CRect area = LabelEditorArea(list, PartsOf(list, item).label);
    auto* editor = new LabelEditor;
    if (!editor->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, area, CWnd::FromHandle(list),
                        1)) {
        delete editor;
        return nullptr;
    }
    state.editedItem = item;
    state.editor = editor->m_hWnd;
    editor->SetWindowText(state.items[static_cast<size_t>(item)].texts[0]);
    editor->SetSel(0, -1);
    editor->SetFocus();
    return state.editor;
}

void EndLabelEdit(HWND list, bool cancelled) {
    ListState& state = StateOf(list);
    const HWND editor = state.editor;
    const int item = state.editedItem;
    state.editor = nullptr;
    state.editedItem = -1;
    if (!IsLiveWindow(editor))
        return;
    CString text;
    CWnd::FromHandle(editor)->GetWindowText(text);
    CWnd::FromHandle(editor)->DestroyWindow();
    if (!IsItem(state, item))
        return;
    const bool keep =
        NotifyLabelEdit(list, LVN_ENDLABELEDIT, item, cancelled ? nullptr : text.GetBuffer()) != 0;
    if (keep && !cancelled && IsLiveWindow(list) && IsItem(state, item)) {
        state.items[static_cast<size_t>(item)].texts[0] = text;
        InvalidateWindow(list, ClientArea(list), false);
    }
}

void NotePress(HWND list, LPARAM point) {
    ListState& state = StateOf(list);
    UINT flags = 0;
    state.pressPoint = QPoint(GET_X_LPARAM(point), GET_Y_LPARAM(point));
    state.pressedItem = HitItem(list, state.pressPoint, &flags);
}

void DetectDrag(HWND list, UINT code, LPARAM point) {
    ListState& state = StateOf(list);
    const QPoint at(GET_X_LPARAM(point), GET_Y_LPARAM(point));
    if (!IsItem(state, state.pressedItem) ||
        (std::abs(at.x() - state.pressPoint.x()) <= GetSystemMetrics(SM_CXDRAG) &&
         std::abs(at.y() - state.pressPoint.y()) <= GetSystemMetrics(SM_CYDRAG)))
        return;
    const int item = state.pressedItem;
    state.pressedItem = -1;
    NMLISTVIEW record{{nullptr, 0, code},
                      item,
                      0,
                      0,
                      0,
                      0,
                      {state.pressPoint.x(), state.pressPoint.y()},
                      state.items[static_cast<size_t>(item)].data};
    Notify(list, record);
}

void DrawItem(HWND list, CDC* dc, int index, bool focused) {
    const ListState& state = StateOf(list);
    const ListItem& item = state.items[static_cast<size_t>(index)];
    const ItemParts parts = PartsOf(list, index);
    const HIMAGELIST images = state.images[IsReport(list) ? LVSIL_SMALL : LVSIL_NORMAL];
    if (images)
        ImageList_Draw(images, item.image, *dc, parts.icon.left(), parts.icon.top(), ILD_TRANSPARENT);
    const bool highlighted =
        (item.state & (LVIS_SELECTED | LVIS_DROPHILITED)) &&
        (focused || (list->style & LVS_SHOWSELALWAYS) || (item.state & LVIS_DROPHILITED));
    CRect label(parts.label.left(), parts.label.top(), parts.label.right() + 1, parts.label.bottom() + 1);
    if (highlighted)
        dc->FillSolidRect(&label, GetSysColor(COLOR_HIGHLIGHT));
    else if (state.textBackground != CLR_NONE)
        dc->FillSolidRect(&label, state.textBackground);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT) : Resolved(state.text, COLOR_WINDOWTEXT));
    const UINT alignment = IsReport(list) ? DT_LEFT : DT_CENTER;
    dc->DrawText(item.texts[0], &label,
                 alignment | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (!IsReport(list))
        return;
    // Only the label shows the selection: the other columns keep the plain text colour.
    dc->SetTextColor(Resolved(state.text, COLOR_WINDOWTEXT));
    int left = parts.bounds.left() + (state.columns.empty() ? 0 : state.columns.front().width);
    for (size_t column = 1; column < state.columns.size(); ++column) {
        CRect cell(left, parts.bounds.top(), left + state.columns[column].width, parts.bounds.bottom() + 1);
        if (column < item.texts.size())
            dc->DrawText(item.texts[column], &cell,
                         DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        left += state.columns[column].width;
    }
}

// The run [first, last) of items whose rows or cells can meet the area.
std::pair<int, int> ItemsMeeting(HWND list, const QRect& area) {
    const ListState& state = StateOf(list);
    const int count = static_cast<int>(state.items.size());
    if (count == 0 || area.isEmpty())
        return {0, 0};
    const ItemParts first = PartsOf(list, 0);
    const int rowHeight = first.bounds.height();
    const int perRow = IsReport(list) ? 1 : IconsPerRow(list);
    // Icons placed by hand lie anywhere: all of them are looked at.
    const bool placed = std::any_of(state.items.begin(), state.items.end(),
                                    [](const ListItem& item) { return item.placed.has_value(); });
    if (rowHeight <= 0 || placed)
        return {0, count};
    // A picture taller than its cell reaches into the rows below.
    const int reach = std::max(first.bounds.bottom(), first.label.bottom()) - first.bounds.top();
    const int firstRow = std::max(0, (area.top() - first.bounds.top() - reach) / rowHeight);
    const int lastRow = std::max(0, (area.bottom() - first.bounds.top()) / rowHeight + 1);
    return {std::min(count, firstRow * perRow),
            static_cast<int>(std::min<long long>(count, static_cast<long long>(lastRow) * perRow))};
}

void Paint(HWND list) {
    PAINTSTRUCT paint;
    CDC* dc = CDC::FromHandle(BeginPaint(list, &paint));
    const ListState& state = StateOf(list);
    const QSize size = ClientSize(list);
    CRect client(0, 0, size.width(), size.height());
    dc->FillSolidRect(&client, Resolved(state.background, COLOR_WINDOW));
    CFont* previous =
        dc->SelectObject(CFont::FromHandle(list->font ? list->font : GetStockObject(DEFAULT_GUI_FONT)));
    const bool focused = GetFocus() == list;
    // Rows scrolled up under the headings are not painted there.
    if (IsReport(list) && !state.columns.empty())
        dc->IntersectClipRect(0, kHeadingHeight, size.width(), size.height());
    const auto [first, last] = ItemsMeeting(list, QRect(paint.rcPaint.left, paint.rcPaint.top,
                                                        paint.rcPaint.right - paint.rcPaint.left,
                                                        paint.rcPaint.bottom - paint.rcPaint.top));
    for (int item = first; item < last; ++item)
        DrawItem(list, dc, item, focused);
    dc->SelectObject(previous);
    EndPaint(list, &paint);
}

LRESULT ListWindowProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    ListState& state = StateOf(list);
    switch (message) {
    case WM_PAINT:
        UpdateListScrollBars(list);
        Paint(list);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        SetFocus(list);
        Click(list, wParam, QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        NotePress(list, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        SetFocus(list);
        NotePress(list, lParam);
        return 0;
    case WM_MOUSEMOVE:
        if (wParam & (MK_LBUTTON | MK_RBUTTON))
            DetectDrag(list, (wParam & MK_LBUTTON) ? LVN_BEGINDRAG : LVN_BEGINRDRAG, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        state.pressedItem = -1;
        return 0;
    case WM_LBUTTONDBLCLK: {
        NMHDR record{list, list->id, NM_DBLCLK};
        if (IsLiveWindow(list->parent))
            SendToWindow(list->parent, WM_NOTIFY, list->id, reinterpret_cast<LPARAM>(&record));
        return 0;
    }
    case WM_KEYDOWN: {
        NMLVKEYDOWN record{{list, list->id, LVN_KEYDOWN}, static_cast<WORD>(wParam), 0};
        if (IsLiveWindow(list->parent))
            SendToWindow(list->parent, WM_NOTIFY, list->id, reinterpret_cast<LPARAM>(&record));
        if (IsLiveWindow(list))
            HandleListKey(list, static_cast<UINT>(wParam));
        return 0;
    }
    case WM_SIZE:
        PlaceHeader(list);
        return DefWindowProc(list, message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateWindow(list, ClientArea(list), false);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LVM_SETIMAGELIST: {
        if (wParam > LVSIL_SMALL)
            return 0;
        const HIMAGELIST previous = state.images[wParam];
        state.images[wParam] = reinterpret_cast<HIMAGELIST>(lParam);
        InvalidateWindow(list, ClientArea(list), false);
        return reinterpret_cast<LRESULT>(previous);
    }
    case LVM_GETIMAGELIST:
        return wParam <= LVSIL_SMALL ? reinterpret_cast<LRESULT>(state.images[wParam]) : 0;
    case LVM_EDITLABEL:
        return reinterpret_cast<LRESULT>(BeginLabelEdit(list, static_cast<int>(wParam)));
    case LVM_GETEDITCONTROL:
        return reinterpret_cast<LRESULT>(IsLiveWindow(state.editor) ? state.editor : nullptr);
    case kEndLabelEdit:
        if (reinterpret_cast<HWND>(lParam) == state.editor)
            EndLabelEdit(list, wParam != 0);
        return 0;
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR: {
        COLORREF& color = message == LVM_SETBKCOLOR     ? state.background
                          : message == LVM_SETTEXTCOLOR ? state.text
                                                        : state.textBackground;
        color = static_cast<COLORREF>(lParam);
        InvalidateWindow(list, ClientArea(list), false);
        return TRUE;
    }
    case LVM_GETBKCOLOR:
        return Resolved(state.background, COLOR_WINDOW);
    case LVM_GETTEXTCOLOR:
        return Resolved(state.text, COLOR_WINDOWTEXT);
    case LVM_GETTEXTBKCOLOR:
        return state.textBackground;
    case LVM_SETICONSPACING: {
        const QSize previous = IconCell(state);
        const int cx = static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam)));
        const int cy = static_cast<SHORT>(HIWORD(static_cast<DWORD>(lParam)));
        state.spacing = cx <= 0 || cy <= 0 ? QSize() : QSize(cx, cy);
        InvalidateWindow(list, ClientArea(list), false);
        return MAKELONG(static_cast<WORD>(previous.width()), static_cast<WORD>(previous.height()));
    }
    case LVM_SORTITEMS: {
        const auto compare = reinterpret_cast<PFNLVCOMPARE>(lParam);
        if (!compare)
            return FALSE;
        EndLabelEdit(list, true);
        // The comparison may call back into the list: sort a copy and put it in place afterwards.
        std::vector<ListItem> sorted = state.items;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const ListItem& a, const ListItem& b) {
            return compare(a.data, b.data, static_cast<LPARAM>(wParam)) < 0;
        });
        if (!IsLiveWindow(list))
            return FALSE;
        state.items = std::move(sorted);
        state.anchor = -1;
        InvalidateWindow(list, ClientArea(list), false);
        return TRUE;
    }
    case LVM_REDRAWITEMS:
    case LVM_UPDATE:
        InvalidateWindow(list, ClientArea(list), false);
        return TRUE;
    case LVM_GETITEMCOUNT:
        return static_cast<LRESULT>(state.items.size());
    case LVM_INSERTITEM:
        return lParam ? InsertItem(list, *reinterpret_cast<const LVITEM*>(lParam)) : -1;
    case LVM_SETITEM:
        return lParam && SetItem(list, *reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEM:
        return lParam && GetItem(list, *reinterpret_cast<LVITEM*>(lParam));
    case LVM_DELETEITEM: {
        const int item = static_cast<int>(wParam);
        if (!IsItem(state, item))
            return FALSE;
        if (item == state.editedItem) {
            EndLabelEdit(list, true);
            if (!IsLiveWindow(list) || !IsItem(state, item))
                return FALSE;
        }
        if (state.editedItem > item)
            --state.editedItem;
        state.items.erase(state.items.begin() + item);
        if (state.anchor == item)
            state.anchor = -1;
        else if (state.anchor > item)
            --state.anchor;
        InvalidateWindow(list, ClientArea(list), false);
        return TRUE;
    }
    case LVM_DELETEALLITEMS:
        EndLabelEdit(list, true);
        state.items.clear();
        state.anchor = -1;
        InvalidateWindow(list, ClientArea(list), false);
        return TRUE;
    case LVM_INSERTCOLUMN:
    case LVM_DELETECOLUMN:
    case LVM_GETCOLUMNWIDTH:
    case LVM_SETCOLUMNWIDTH:
    case LVM_GETHEADER:
        return ColumnMessage(list, message, wParam, lParam);
    case LVM_SETITEMSTATE: {
        const auto* info = reinterpret_cast<const LVITEM*>(lParam);
        const int item = static_cast<int>(wParam);
        if (!info || (item != -1 && !IsItem(state, item)))
            return FALSE;
        SetState(list, item, info->state, info->stateMask);
        return TRUE;
    }
    case LVM_GETITEMSTATE: {
        const int item = static_cast<int>(wParam);
        return IsItem(state, item) ? state.items[static_cast<size_t>(item)].state & static_cast<UINT>(lParam)
                                   : 0;
    }
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(state.items.begin(), state.items.end(),
                             [](const ListItem& item) { return (item.state & LVIS_SELECTED) != 0; });
    case LVM_GETNEXTITEM:
        return NextItem(list, static_cast<int>(wParam), static_cast<UINT>(lParam));
    case LVM_GETITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        const int item = static_cast<int>(wParam);
        if (!rect || !IsItem(state, item))
            return FALSE;
        const ItemParts parts = PartsOf(list, item);
        const QRect part = rect->left == LVIR_ICON    ? parts.icon
                           : rect->left == LVIR_LABEL ? parts.label
                                                      : parts.bounds;
        *rect = CRect(part.left(), part.top(), part.right() + 1, part.bottom() + 1);
        return TRUE;
    }
    case LVM_SETITEMPOSITION32: {
        const auto* point = reinterpret_cast<const POINT*>(lParam);
        const int item = static_cast<int>(wParam);
        if (!point || !IsItem(state, item) || IsReport(list))
            return FALSE;
        state.items[static_cast<size_t>(item)].placed = QPoint(point->x, point->y);
        InvalidateWindow(list, ClientArea(list), true);
        return TRUE;
    }
    case LVM_HITTEST: {
        auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        info->iItem = HitItem(list, QPoint(info->pt.x, info->pt.y), &info->flags);
        info->iSubItem = 0;
        return info->iItem;
    }
    default:
        if (LRESULT result = 0; HandleListScrolling(list, message, wParam, lParam, &result))
            return result;
        return DefWindowProc(list, message, wParam, lParam);
    }
}

WindowHost* MakeListWidget(const CREATESTRUCT&, QWidget* parent, Qt::WindowFlags flags) {
    return new WindowWidget<QWidget>(parent, flags);
}

CWnd* MakeListWrapper() {
    return new CListCtrl;
}

} // namespace listview

const WindowClass kListViewClass{.name = WC_LISTVIEW,
                                 .style = CS_DBLCLKS,
                                 .standardCursor = IDC_ARROW,
                                 .proc = listview::ListWindowProc,
                                 .makeWidget = listview::MakeListWidget,
                                 .makeWrapper = listview::MakeListWrapper};
