// The bars of WS_HSCROLL and WS_VSCROLL, drawn by this layer in the window's frame, and the scroll bar
// functions that reach them or a scroll bar control (SB_CTL). The style bit is the bar's visibility:
// a range that needs no scrolling hides the bar, unless SIF_DISABLENOSCROLL keeps it, disabled.

#include "platform/ui/WindowScrollBars.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ScrollBarState.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowInternals.h"

#include <QWidget>

namespace {

struct WindowBars final : WindowClassData {
    WindowBars() {
        // A window's bars start with the range 0 to 100, as the system gives them.
        for (ScrollBarState& bar : bars)
            bar.max = 100;
    }
    ScrollBarState bars[2]; // SB_HORZ, SB_VERT
};

WindowBars& BarsOf(HWND window) {
    if (!window->scrollBars)
        window->scrollBars = std::make_unique<WindowBars>();
    return static_cast<WindowBars&>(*window->scrollBars);
}

DWORD StyleBit(int bar) {
    return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

// Qt-drawn controls scroll themselves, and a combo box's WS_VSCROLL is meant for its list.
bool TakesScrollBars(HWND window) {
    return !window->windowClass->nativeWidget && window->windowClass != &kComboBoxClass;
}

// The window's pixels inside its border (the window less FrameMargins' border part).
QRect InsideBorder(HWND window) {
    const QMargins all = FrameMargins(window);
    const QMargins bars = ScrollBarMargins(window);
    return WidgetOf(window)->rect().marginsRemoved(all - bars);
}

// The bar's rectangle in the window's pixels; empty while hidden.
CRect BarRect(HWND window, int bar) {
    if (!(window->style & StyleBit(bar)) || !TakesScrollBars(window))
        return {};
    const QRect inside = InsideBorder(window);
    const QMargins bars = ScrollBarMargins(window);
    if (bar == SB_VERT)
        return CRect(inside.right() + 1 - bars.right(), inside.top(), inside.right() + 1,
                     inside.bottom() + 1 - bars.bottom());
    return CRect(inside.left(), inside.bottom() + 1 - bars.bottom(), inside.right() + 1 - bars.right(),
                 inside.bottom() + 1);
}

ScrollBarState* WindowBar(HWND window, int bar) {
    if (!IsLiveWindow(window) || (bar != SB_HORZ && bar != SB_VERT))
        return nullptr;
    return &BarsOf(window).bars[bar];
}

ScrollBarState* StateOf(HWND window, int bar) {
    if (!IsLiveWindow(window))
        return nullptr;
    return bar == SB_CTL ? ScrollControlState(window) : WindowBar(window, bar);
}

void ShowBar(HWND window, int bar, bool show) {
    const DWORD before = window->style;
    if (show)
        window->style |= StyleBit(bar);
    else
        window->style &= ~StyleBit(bar);
    if (window->style == before || !TakesScrollBars(window))
        return;
    LayOutFrame(window);
    WidgetOf(window)->update();
    SendClientSize(window);
}

void Redraw(HWND window, int bar) {
    if (bar == SB_CTL) {
        RedrawScrollControl(window);
        return;
    }
    const CRect rect = BarRect(window, bar);
    if (rect.IsRectEmpty())
        return;
    DrawWindowScrollBars(window);
    WidgetOf(window)->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

// After a change of range or page, a window's bar shows exactly while it has something to scroll.
void FollowNeed(HWND window, int bar) {
    if (bar == SB_CTL)
        return;
    const ScrollBarState& state = *WindowBar(window, bar);
    ShowBar(window, bar, ScrollBarNeeded(state) || state.keepWhenUnneeded);
}

int BarOfHit(int hit) {
    return hit == HTVSCROLL ? SB_VERT : SB_HORZ;
}

CPoint InWindow(HWND window, POINT screenPoint) {
    const QPoint local = WidgetOf(window)->mapFromGlobal(QPoint(screenPoint.x, screenPoint.y));
    return {local.x(), local.y()};
}

UINT MessageOf(int bar) {
    return bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
}

} // namespace

QMargins ScrollBarMargins(HWND window) {
    if (!window || !TakesScrollBars(window))
        return {};
    return {0, 0, (window->style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0,
            (window->style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0};
}

void DrawWindowScrollBars(HWND window) {
    if (window->surface.isNull())
        return;
    CDC dc;
    dc.CreateImageDC(&window->surface);
    for (const int bar : {SB_HORZ, SB_VERT}) {
        const CRect rect = BarRect(window, bar);
        if (!rect.IsRectEmpty())
            DrawScrollBar(&dc, rect, bar == SB_VERT, *WindowBar(window, bar));
    }
    const CRect vertical = BarRect(window, SB_VERT);
    const CRect horizontal = BarRect(window, SB_HORZ);
    if (vertical.IsRectEmpty() || horizontal.IsRectEmpty())
        return;
    // The corner between two bars.
    CRect corner(vertical.left, horizontal.top, vertical.right, horizontal.bottom);
    CBrush face(GetSysColor(COLOR_3DFACE));
    dc.FillRect(&corner, &face);
}

int ScrollBarHitTest(HWND window, POINT screenPoint) {
    const CPoint point = InWindow(window, screenPoint);
    if (BarRect(window, SB_VERT).PtInRect(point))
        return HTVSCROLL;
    if (BarRect(window, SB_HORZ).PtInRect(point))
        return HTHSCROLL;
    return HTCLIENT;
}

void PressWindowScrollBar(HWND window, int hit, POINT screenPoint) {
    const int bar = BarOfHit(hit);
    ScrollBarState& state = *WindowBar(window, bar);
    const std::vector<ScrollRequest> requests =
        PressScrollBar(state, BarRect(window, bar), bar == SB_VERT, InWindow(window, screenPoint));
    if (state.pressed == ScrollPart::None)
        return;
    SetCapture(window);
    if (RepeatsWhileHeld(state.pressed))
        StartScrollRepeatTimer(window, kScrollRepeatDelay);
    Redraw(window, bar);
    SendScrollRequests(window, MessageOf(bar), nullptr, requests);
}

bool FollowWindowScrollBar(HWND window, QEvent::Type type, QPoint screenPoint) {
    if (!IsLiveWindow(window) || !window->scrollBars)
        return false;
    for (const int bar : {SB_HORZ, SB_VERT}) {
        ScrollBarState& state = *WindowBar(window, bar);
        if (state.pressed == ScrollPart::None)
            continue;
        if (type == QEvent::MouseMove) {
            const std::vector<ScrollRequest> requests =
                DragScrollBar(state, BarRect(window, bar), bar == SB_VERT,
                              InWindow(window, POINT{screenPoint.x(), screenPoint.y()}));
            Redraw(window, bar);
            SendScrollRequests(window, MessageOf(bar), nullptr, requests);
        } else if (type == QEvent::MouseButtonRelease) {
            const std::vector<ScrollRequest> requests = ReleaseScrollBar(state);
            StopScrollRepeatTimer(window);
            ReleaseCapture();
            Redraw(window, bar);
            SendScrollRequests(window, MessageOf(bar), nullptr, requests);
        }
        return true;
    }
    return false;
}

void EndWindowScrollBarPress(HWND window) {
    if (!window->scrollBars)
        return;
    for (const int bar : {SB_HORZ, SB_VERT}) {
        const std::vector<ScrollRequest> requests = ReleaseScrollBar(*WindowBar(window, bar));
        if (requests.empty())
            continue;
        StopScrollRepeatTimer(window);
        Redraw(window, bar);
        SendScrollRequests(window, MessageOf(bar), nullptr, requests);
    }
}

void RepeatScrollPress(HWND window) {
    if (window->windowClass == &kScrollBarClass) {
        RepeatScrollControlPress(window);
        return;
    }
    POINT pointer;
    GetCursorPos(&pointer);
    for (const int bar : {SB_HORZ, SB_VERT}) {
        ScrollBarState& state = *WindowBar(window, bar);
        if (!RepeatsWhileHeld(state.pressed))
            continue;
        StartScrollRepeatTimer(window, kScrollRepeatInterval);
        SendScrollRequests(
            window, MessageOf(bar), nullptr,
            RepeatScrollBar(state, BarRect(window, bar), bar == SB_VERT, InWindow(window, pointer)));
        return;
    }
    StopScrollRepeatTimer(window);
}

void ShowScrollBarMenu(HWND window, int hit, POINT screenPoint) {
    const int bar = BarOfHit(hit);
    const bool vertical = bar == SB_VERT;
    ScrollBarState& state = *WindowBar(window, bar);
    if (!ScrollBarUsable(state))
        return;
    // Commands are the request codes plus one, so that 0 stays "cancelled".
    constexpr UINT kScrollHere = 100;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kScrollHere, "Hier scrollen");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, SB_TOP + 1, vertical ? "Oben" : "Linker Rand");
    menu.AppendMenu(MF_STRING, SB_BOTTOM + 1, vertical ? "Unten" : "Rechter Rand");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, SB_PAGEUP + 1, vertical ? "Seite nach oben" : "Seite nach links");
    menu.AppendMenu(MF_STRING, SB_PAGEDOWN + 1, vertical ? "Seite nach unten" : "Seite nach rechts");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, SB_LINEUP + 1, vertical ? "Nach oben scrollen" : "Nach links scrollen");
    menu.AppendMenu(MF_STRING, SB_LINEDOWN + 1, vertical ? "Nach unten scrollen" : "Nach rechts scrollen");
    const UINT chosen = menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, screenPoint.x,
                                            screenPoint.y, CWnd::FromHandle(window));
    if (!chosen || !IsLiveWindow(window))
        return;
    if (chosen != kScrollHere) {
        SendScrollRequests(window, MessageOf(bar), nullptr, {{chosen - 1, 0}, {SB_ENDSCROLL, 0}});
        return;
    }
    // The thumb's middle goes to the point.
    const CRect rect = BarRect(window, bar);
    const ScrollBarGeometry geometry(rect, vertical, state);
    const CRect thumb = geometry.PartRect(ScrollPart::Thumb);
    const int half = (vertical ? thumb.Height() : thumb.Width()) / 2;
    const int position = geometry.PositionAtThumbStart(geometry.Along(InWindow(window, screenPoint)) - half);
    state.trackPos = position;
    SendScrollRequests(window, MessageOf(bar), nullptr,
                       {{SB_THUMBTRACK, position}, {SB_THUMBPOSITION, position}, {SB_ENDSCROLL, 0}});
}

int SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) {
    ScrollBarState* state = StateOf(window, bar);
    if (!state || !info)
        return 0;
    const int position = ApplyScrollInfo(*state, *info);
    if (info->fMask & (SIF_RANGE | SIF_PAGE))
        FollowNeed(window, bar);
    if (redraw)
        Redraw(window, bar);
    return position;
}

BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info) {
    const ScrollBarState* state = StateOf(window, bar);
    if (!state || !info)
        return FALSE;
    ReadScrollInfo(*state, *info);
    return TRUE;
}

int SetScrollPos(HWND window, int bar, int position, BOOL redraw) {
    const ScrollBarState* state = StateOf(window, bar);
    if (!state)
        return 0;
    const int previous = state->pos;
    const SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position, 0};
    SetScrollInfo(window, bar, &info, redraw);
    return previous;
}

int GetScrollPos(HWND window, int bar) {
    const ScrollBarState* state = StateOf(window, bar);
    return state ? state->pos : 0;
}

BOOL SetScrollRange(HWND window, int bar, int minPos, int maxPos, BOOL redraw) {
    if (!StateOf(window, bar))
        return FALSE;
    const SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    SetScrollInfo(window, bar, &info, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND window, int bar, int* minPos, int* maxPos) {
    const ScrollBarState* state = StateOf(window, bar);
    if (!state)
        return FALSE;
    *minPos = state->min;
    *maxPos = state->max;
    return TRUE;
}

BOOL ShowScrollBar(HWND window, int bar, BOOL show) {
    if (!IsLiveWindow(window))
        return FALSE;
    if (bar == SB_CTL) {
        CWnd::FromHandle(window)->ShowWindow(show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    for (const int each : {SB_HORZ, SB_VERT}) {
        if (bar == each || bar == SB_BOTH)
            ShowBar(window, each, show != FALSE);
    }
    return TRUE;
}

BOOL EnableScrollBar(HWND window, int bar, UINT arrows) {
    if (!IsLiveWindow(window))
        return FALSE;
    for (const int each : {SB_HORZ, SB_VERT, SB_CTL}) {
        if (bar != each && !(bar == SB_BOTH && each != SB_CTL))
            continue;
        ScrollBarState* state = StateOf(window, each);
        if (!state)
            return FALSE;
        state->disabledArrows = arrows & ESB_DISABLE_BOTH;
        Redraw(window, each);
    }
    return TRUE;
}

int CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw) {
    return ::SetScrollInfo(m_hWnd, bar, info, redraw);
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) {
    if (!info)
        return FALSE;
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info);
}

int CWnd::SetScrollPos(int bar, int position, BOOL redraw) {
    return ::SetScrollPos(m_hWnd, bar, position, redraw);
}

int CWnd::GetScrollPos(int bar) const {
    return ::GetScrollPos(m_hWnd, bar);
}

void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw) {
    ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
}

void CWnd::GetScrollRange(int bar, int* minPos, int* maxPos) const {
    ::GetScrollRange(m_hWnd, bar, minPos, maxPos);
}

int CWnd::GetScrollLimit(int bar) {
    const ScrollBarState* state = StateOf(m_hWnd, bar);
    return state ? ScrollLimit(*state) : 0;
}

void CWnd::ShowScrollBar(UINT bar, BOOL show) {
    ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show);
}

BOOL CWnd::EnableScrollBar(int bar, UINT arrows) {
    return ::EnableScrollBar(m_hWnd, bar, arrows);
}
