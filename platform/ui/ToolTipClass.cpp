// The tool-tip window class: a list of tools, the relayed mouse messages that decide which one the
// pointer rests on, and a small top-most window that shows its text.

#include "platform/base/AppServices.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/Messages.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UINT_PTR kInitialTimer = 1;
constexpr UINT_PTR kAutopopTimer = 2;
constexpr UINT kDefaultInitial = 500;
constexpr UINT kDefaultAutopop = 5000;
// Room around the text, and where the tip stands below the pointer.
constexpr int kPadding = 3;
constexpr int kBelowPointer = 20;

struct Tool {
    UINT flags;
    HWND window;
    UINT_PTR id;
    RECT rect;
    CString text;
};

struct ToolTipState final : WindowClassData {
    std::vector<Tool> tools;
    bool active = true;
    UINT initial = kDefaultInitial;
    UINT autopop = kDefaultAutopop;
    int pending = -1; // the tool the pointer rests on, until the tip shows
    int shown = -1;
    int silenced = -1; // the tool clicked: no tip until the pointer leaves it
};

ToolTipState& StateOf(HWND window) {
    if (!window->classData)
        window->classData = std::make_unique<ToolTipState>();
    return static_cast<ToolTipState&>(*window->classData);
}

bool SameTool(const Tool& tool, const TOOLINFO& info) {
    if ((tool.flags & TTF_IDISHWND) != (info.uFlags & TTF_IDISHWND))
        return false;
    return (tool.flags & TTF_IDISHWND) ? tool.id == info.uId
                                       : tool.window == info.hwnd && tool.id == info.uId;
}

int FindTool(const ToolTipState& state, const TOOLINFO* info) {
    if (!info)
        return -1;
    const auto it = std::find_if(state.tools.begin(), state.tools.end(),
                                 [&](const Tool& t) { return SameTool(t, *info); });
    return it == state.tools.end() ? -1 : static_cast<int>(it - state.tools.begin());
}

CString TextOf(const TOOLINFO& info) {
    if (!info.lpszText || info.lpszText == LPSTR_TEXTCALLBACK)
        return CString();
    if (IS_INTRESOURCE(info.lpszText)) {
        const auto id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(info.lpszText));
        const CString text = LoadWholeString(info.hinst ? info.hinst : AfxGetResourceHandle(), id, 255);
        // The string table lives in the text module, not in the resource module that is the handle.
        return text.IsEmpty() && !info.hinst ? AppServices().LoadString(id) : text;
    }
    return info.lpszText;
}

int ToolUnder(const ToolTipState& state, const MSG& msg) {
    const POINT point{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    for (size_t i = 0; i < state.tools.size(); ++i) {
        const Tool& tool = state.tools[i];
        const bool hit = (tool.flags & TTF_IDISHWND)
                             ? reinterpret_cast<HWND>(tool.id) == msg.hwnd
                             : tool.window == msg.hwnd && CRect(tool.rect).PtInRect(point);
        if (hit)
            return static_cast<int>(i);
    }
    return -1;
}

void Hide(HWND window) {
    ToolTipState& state = StateOf(window);
    state.shown = -1;
    KillWindowTimer(window, kAutopopTimer);
    CWnd::FromHandle(window)->ShowWindow(SW_HIDE);
}

void Cancel(HWND window) {
    StateOf(window).pending = -1;
    KillWindowTimer(window, kInitialTimer);
    Hide(window);
}

void Show(HWND window) {
    ToolTipState& state = StateOf(window);
    const int tool = state.pending;
    KillWindowTimer(window, kInitialTimer);
    state.pending = -1;
    if (tool < 0 || state.tools[static_cast<size_t>(tool)].text.IsEmpty())
        return;
    CWnd* tip = CWnd::FromHandle(window);
    window->text = state.tools[static_cast<size_t>(tool)].text;
    CDC* dc = tip->GetDC();
    CFont* previous = dc->SelectObject(CFont::FromHandle(GetStockObject(DEFAULT_GUI_FONT)));
    CRect extent(0, 0, 0, 0);
    dc->DrawText(window->text, &extent, DT_CALCRECT | DT_NOPREFIX);
    dc->SelectObject(previous);
    tip->ReleaseDC(dc);
    POINT pointer;
    GetCursorPos(&pointer);
    tip->SetWindowPos(nullptr, pointer.x, pointer.y + kBelowPointer, extent.Width() + 2 * kPadding,
                      extent.Height() + 2 * kPadding, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    tip->Invalidate(TRUE);
    state.shown = tool;
    SetWindowTimer(window, kAutopopTimer, state.autopop, nullptr);
}

void Relay(HWND window, const MSG& msg) {
    ToolTipState& state = StateOf(window);
    if (!state.active)
        return;
    const int tool = ToolUnder(state, msg);
    if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE) {
        if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MBUTTONDBLCLK) {
            state.silenced = tool;
            Cancel(window);
        }
        return;
    }
    if (tool != state.silenced)
        state.silenced = -1;
    if (tool < 0 || tool == state.silenced) {
        Cancel(window);
        return;
    }
    if (tool == state.shown || tool == state.pending)
        return;
    Cancel(window);
    state.pending = tool;
    SetWindowTimer(window, kInitialTimer, state.initial, nullptr);
}

void CopyText(const CString& text, TOOLINFO* info, WPARAM size) {
    if (!info || !info->lpszText || IS_INTRESOURCE(info->lpszText) || info->lpszText == LPSTR_TEXTCALLBACK)
        return;
    const size_t capacity = size ? size : 80; // the system's limit for a buffer of unknown size
    const size_t length = std::min<size_t>(static_cast<size_t>(text.GetLength()), capacity - 1);
    std::memcpy(info->lpszText, text.GetString(), length);
    info->lpszText[length] = '\0';
}

void PaintTip(HWND window) {
    PAINTSTRUCT paint;
    CDC* dc = CDC::FromHandle(BeginPaint(window, &paint));
    QWidget* widget = WidgetOf(window);
    CRect client(0, 0, widget->width(), widget->height());
    dc->FillSolidRect(&client, GetSysColor(COLOR_INFOBK));
    CBrush frame(GetSysColor(COLOR_INFOTEXT));
    dc->FrameRect(&client, &frame);
    CFont* previous = dc->SelectObject(CFont::FromHandle(GetStockObject(DEFAULT_GUI_FONT)));
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor(COLOR_INFOTEXT));
    client.DeflateRect(kPadding, kPadding);
    dc->DrawText(window->text, &client, DT_NOPREFIX);
    dc->SelectObject(previous);
    EndPaint(window, &paint);
}

LRESULT ToolTipWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ToolTipState& state = StateOf(window);
    auto* info = reinterpret_cast<TOOLINFO*>(lParam);
    switch (message) {
    case TTM_ADDTOOL:
        if (!info || FindTool(state, info) >= 0)
            return FALSE;
        state.tools.push_back({info->uFlags, info->hwnd, info->uId, info->rect, TextOf(*info)});
        return TRUE;
    case TTM_DELTOOL:
        if (const int index = FindTool(state, info); index >= 0) {
            Cancel(window);
            state.silenced = -1;
            state.tools.erase(state.tools.begin() + index);
        }
        return 0;
    case TTM_ACTIVATE:
        state.active = wParam != 0;
        if (!state.active)
            Cancel(window);
        return 0;
    case TTM_RELAYEVENT:
        if (lParam)
            Relay(window, *reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_GETTOOLCOUNT:
        return static_cast<LRESULT>(state.tools.size());
    case TTM_GETTEXT:
        if (const int index = FindTool(state, info); index >= 0)
            CopyText(state.tools[static_cast<size_t>(index)].text, info, wParam);
        return 0;
    case TTM_UPDATETIPTEXT:
        if (const int index = FindTool(state, info); index >= 0)
            state.tools[static_cast<size_t>(index)].text = TextOf(*info);
        return 0;
    case TTM_SETDELAYTIME: {
        const auto time = static_cast<UINT>(static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam))));
        if (wParam == TTDT_INITIAL) {
            state.initial = time;
        } else if (wParam == TTDT_AUTOPOP) {
            state.autopop = time;
        } else if (wParam == TTDT_AUTOMATIC) {
            state.initial = time;
            state.autopop = time * 10;
        }
        return 0;
    }
    case TTM_POP:
        Cancel(window);
        return 0;
    case WM_TIMER:
        if (wParam == kInitialTimer)
            Show(window);
        else if (wParam == kAutopopTimer)
            Hide(window);
        return 0;
    case WM_PAINT:
        PaintTip(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

WindowHost* MakeToolTipWidget(const CREATESTRUCT&, QWidget* parent, Qt::WindowFlags) {
    auto* widget =
        new WindowWidget<QWidget>(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    widget->setAttribute(Qt::WA_ShowWithoutActivating);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    return widget;
}

CWnd* MakeToolTipWrapper() {
    return new CToolTipCtrl;
}

} // namespace

const WindowClass kToolTipClass{.name = TOOLTIPS_CLASS,
                                .proc = ToolTipWindowProc,
                                .makeWidget = MakeToolTipWidget,
                                .makeWrapper = MakeToolTipWrapper};
