// The drop-down list of a combo box: a top-level window below the field that holds the pointer while it
// is open. Moving over an item highlights it; releasing the button on an item chooses it; a press
// outside closes the list without a choice. The release of the press that opened the list keeps it open.

#include "platform/gdi/Dc.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ComboBoxState.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <QWidget>
#include <algorithm>

namespace {

constexpr UINT kListId = 1000;

struct ListState final : WindowClassData {
    HWND combo = nullptr;
    int highlight = -1;
    int top = 0;
    bool tracking = false; // a press is under way; its release may choose
    bool closing = false;
};

ListState& StateOf(HWND list) {
    if (!list->classData)
        list->classData = std::make_unique<ListState>();
    return static_cast<ListState&>(*list->classData);
}

int Rows(HWND list) {
    const ComboState& combo = ComboStateOf(StateOf(list).combo);
    return std::max(1, (ClientSize(list).height() - 2) / combo.itemHeight);
}

int ItemAt(HWND list, LPARAM point) {
    const int x = GET_X_LPARAM(point);
    const int y = GET_Y_LPARAM(point);
    const QSize size = ClientSize(list);
    if (x < 1 || y < 1 || x >= size.width() - 1 || y >= size.height() - 1)
        return -2; // outside the list
    const ListState& state = StateOf(list);
    const ComboState& combo = ComboStateOf(state.combo);
    const int index = state.top + (y - 1) / combo.itemHeight;
    return index < static_cast<int>(combo.items.size()) ? index : -1;
}

void EnsureVisible(HWND list, int index) {
    ListState& state = StateOf(list);
    if (index < 0)
        return;
    if (index < state.top)
        state.top = index;
    else if (index >= state.top + Rows(list))
        state.top = index - Rows(list) + 1;
}

void Highlight(HWND list, int index) {
    ListState& state = StateOf(list);
    if (state.highlight == index)
        return;
    state.highlight = index;
    EnsureVisible(list, index);
    InvalidateWindow(list, ClientArea(list), false);
    // The combo box hears of it as of a list box's selection change.
    SendToWindow(state.combo, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(kListId), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void PaintList(HWND list) {
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(list, &paint);
    CDC* dc = CDC::FromHandle(hdc);
    const QSize size = ClientSize(list);
    CRect client(0, 0, size.width(), size.height());
    CBrush frame(GetSysColor(COLOR_WINDOWFRAME));
    dc->FrameRect(&client, &frame);
    client.DeflateRect(1, 1);
    dc->FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    const ListState& state = StateOf(list);
    const ComboState& combo = ComboStateOf(state.combo);
    const int count = static_cast<int>(combo.items.size());
    for (int index = state.top; index < count && index < state.top + Rows(list); ++index) {
        const int y = 1 + (index - state.top) * combo.itemHeight;
        const RECT item{1, y, size.width() - 1, y + combo.itemHeight};
        const UINT itemState = index == state.highlight ? ODS_SELECTED | ODS_FOCUS : 0;
        DrawComboItem(state.combo, hdc, index, item, itemState, ODA_DRAWENTIRE);
    }
    EndPaint(list, &paint);
}

LRESULT ListWindowProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    ListState& state = StateOf(list);
    switch (message) {
    case WM_PAINT:
        PaintList(list);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        if (const int index = ItemAt(list, lParam); index >= 0)
            Highlight(list, index);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (ItemAt(list, lParam) == -2)
            CloseComboList(state.combo, -1);
        else
            state.tracking = true;
        return 0;
    case WM_LBUTTONUP: {
        const int index = ItemAt(list, lParam);
        if (index >= 0)
            CloseComboList(state.combo, index);
        else
            state.tracking = false;
        return 0;
    }
    case WM_MOUSEWHEEL: {
        const int count = static_cast<int>(ComboStateOf(state.combo).items.size());
        const int step = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : 1;
        state.top = std::clamp(state.top + step, 0, std::max(0, count - Rows(list)));
        InvalidateWindow(list, ClientArea(list), false);
        return 0;
    }
    case WM_CAPTURECHANGED:
        // Another window took the pointer: the list closes as if pressed outside.
        if (!state.closing && reinterpret_cast<HWND>(lParam) != list)
            CloseComboList(state.combo, -1);
        return 0;
    default:
        return DefWindowProc(list, message, wParam, lParam);
    }
}

WindowHost* MakeListWidget(const CREATESTRUCT&, QWidget* parent, Qt::WindowFlags flags) {
    auto* widget = new WindowWidget<QWidget>(parent, flags | Qt::Tool | Qt::FramelessWindowHint);
    widget->setAttribute(Qt::WA_ShowWithoutActivating);
    return widget;
}

CWnd* MakeListWrapper() {
    return new CWnd;
}

} // namespace

const WindowClass kComboListClass{.name = "ComboLBox",
                                  .style = CS_DBLCLKS | CS_SAVEBITS,
                                  .standardCursor = IDC_ARROW,
                                  .proc = ListWindowProc,
                                  .makeWidget = MakeListWidget,
                                  .makeWrapper = MakeListWrapper};

HWND OpenComboList(HWND combo, bool tracking) {
    ComboState& state = ComboStateOf(combo);
    if (state.list)
        return state.list;
    NotifyComboParent(combo, CBN_DROPDOWN);
    if (!IsLiveWindow(combo))
        return nullptr;
    CRect field;
    CWnd::FromHandle(combo)->GetWindowRect(&field);
    const int count = static_cast<int>(state.items.size());
    const int room = std::max(1, (state.droppedHeight - field.Height() - 2) / state.itemHeight);
    const int rows = std::clamp(count, 1, room);
    const int width = std::max(static_cast<int>(field.Width()), static_cast<int>(state.horizontalExtent) + 2);
    const HWND list =
        CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ComboLBox", "", WS_POPUP, field.left, field.bottom,
                       width, rows * state.itemHeight + 2, combo, nullptr, nullptr, nullptr);
    if (!list)
        return nullptr;
    ListState& listState = StateOf(list);
    listState.combo = combo;
    listState.tracking = tracking;
    state.list = list;
    listState.highlight = state.selection;
    EnsureVisible(list, state.selection);
    CWnd::FromHandle(list)->ShowWindow(SW_SHOWNA);
    SetCapture(list);
    InvalidateWindow(combo, ClientArea(combo), false);
    return list;
}

void CloseComboList(HWND combo, int choice) {
    ComboState& state = ComboStateOf(combo);
    const HWND list = state.list;
    if (!list)
        return;
    StateOf(list).closing = true;
    state.list = nullptr;
    if (GetCapture() == list)
        ReleaseCapture();
    DestroyWindow(list);
    InvalidateWindow(combo, ClientArea(combo), false);
    NotifyComboParent(combo, CBN_CLOSEUP);
    if (choice >= 0 && IsLiveWindow(combo))
        ChooseComboItem(combo, choice, true);
}

int ComboListHighlight(HWND combo) {
    const HWND list = ComboStateOf(combo).list;
    return list ? StateOf(list).highlight : -1;
}

void SetComboListHighlight(HWND combo, int index) {
    if (const HWND list = ComboStateOf(combo).list)
        Highlight(list, index);
}
