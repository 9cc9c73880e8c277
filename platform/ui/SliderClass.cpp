// The slider window class: a channel with a thumb. A press on the thumb drags it (TB_THUMBTRACK while
// moving, TB_THUMBPOSITION on release); a press beside it pages; the arrow keys move by a line, the page
// keys by a page, Home and End to the ends. Every move ends with TB_ENDTRACK.

#include "platform/gdi/Dc.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/Messages.h"
#include "platform/ui/SliderCtrl.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <algorithm>
#include <set>

namespace {

constexpr int kThumbLength = 11; // along the channel
constexpr int kMargin = kThumbLength / 2 + 2;

struct SliderState final : WindowClassData {
    int low = 0;
    int high = 100;
    int position = 0;
    int line = 1;
    int page = 20;
    int frequency = 1;
    std::set<int> ticks;
    bool dragging = false;
    int grab = 0; // where on the thumb the press was, along the channel
};

SliderState& StateOf(HWND slider) {
    if (!slider->classData)
        slider->classData = std::make_unique<SliderState>();
    return static_cast<SliderState&>(*slider->classData);
}

bool IsVertical(HWND slider) {
    return (slider->style & TBS_VERT) != 0;
}

// Lengths along and across the channel.
int Along(HWND slider) {
    const QSize size = ClientSize(slider);
    return IsVertical(slider) ? size.height() : size.width();
}

int Across(HWND slider) {
    const QSize size = ClientSize(slider);
    return IsVertical(slider) ? size.width() : size.height();
}

int OffsetOf(HWND slider, int position) {
    const SliderState& state = StateOf(slider);
    const int span = std::max(1, Along(slider) - 2 * kMargin);
    if (state.high <= state.low)
        return kMargin;
    return kMargin +
           static_cast<int>(static_cast<long long>(position - state.low) * span / (state.high - state.low));
}

int PositionAt(HWND slider, int offset) {
    const SliderState& state = StateOf(slider);
    const int span = std::max(1, Along(slider) - 2 * kMargin);
    const long long steps = state.high - state.low;
    const long long position = state.low + ((offset - kMargin) * steps + span / 2) / span;
    return static_cast<int>(std::clamp<long long>(position, state.low, state.high));
}

CRect Oriented(HWND slider, int alongStart, int acrossStart, int alongEnd, int acrossEnd) {
    return IsVertical(slider) ? CRect(acrossStart, alongStart, acrossEnd, alongEnd)
                              : CRect(alongStart, acrossStart, alongEnd, acrossEnd);
}

CRect ThumbRect(HWND slider) {
    const int centre = OffsetOf(slider, StateOf(slider).position);
    const int thickness = std::min(Across(slider) - 4, 20);
    const int start = (Across(slider) - thickness) / 2;
    return Oriented(slider, centre - kThumbLength / 2, start, centre + kThumbLength / 2 + 1,
                    start + thickness);
}

void Notify(HWND slider, UINT code) {
    if (!IsLiveWindow(slider->parent))
        return;
    const bool thumb = code == TB_THUMBTRACK || code == TB_THUMBPOSITION;
    const auto position = static_cast<WORD>(thumb ? StateOf(slider).position : 0);
    SendToWindow(slider->parent, IsVertical(slider) ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(static_cast<WORD>(code), position), reinterpret_cast<LPARAM>(slider));
}

bool MoveTo(HWND slider, int position) {
    SliderState& state = StateOf(slider);
    const int clamped = std::clamp(position, state.low, std::max(state.low, state.high));
    if (clamped == state.position)
        return false;
    state.position = clamped;
    InvalidateWindow(slider, ClientArea(slider), true);
    return true;
}

void Paint(HWND slider) {
    PAINTSTRUCT paint;
    CDC* dc = CDC::FromHandle(BeginPaint(slider, &paint));
    const QSize size = ClientSize(slider);
    const CRect client(0, 0, size.width(), size.height());
    EraseControl(slider, dc, client, WM_CTLCOLORSTATIC);
    const SliderState& state = StateOf(slider);
    const int middle = Across(slider) / 2;
    CRect channel = Oriented(slider, kMargin - 2, middle - 2, Along(slider) - kMargin + 2, middle + 2);
    dc->DrawEdge(&channel, EDGE_SUNKEN, BF_RECT);
    if ((slider->style & TBS_AUTOTICKS) && !(slider->style & TBS_NOTICKS)) {
        std::set<int> ticks = state.ticks;
        for (int position = state.low; position <= state.high && state.frequency > 0;
             position += state.frequency)
            ticks.insert(position);
        ticks.insert(state.high);
        const int edge = Across(slider) - 3;
        for (const int position : ticks) {
            const int offset = OffsetOf(slider, position);
            const CRect tick = Oriented(slider, offset, edge - 3, offset + 1, edge);
            dc->FillSolidRect(&tick, GetSysColor(COLOR_BTNTEXT));
        }
    }
    CRect thumb = ThumbRect(slider);
    dc->FillSolidRect(&thumb, GetSysColor(COLOR_3DFACE));
    dc->DrawEdge(&thumb, EDGE_RAISED, BF_RECT);
    if (GetFocus() == slider) {
        CRect focus = client;
        dc->DrawFocusRect(&focus);
    }
    EndPaint(slider, &paint);
}

int AlongOf(HWND slider, LPARAM point) {
    return IsVertical(slider) ? GET_Y_LPARAM(point) : GET_X_LPARAM(point);
}

void Press(HWND slider, LPARAM point) {
    SliderState& state = StateOf(slider);
    SetFocus(slider);
    SetCapture(slider);
    const CRect thumb = ThumbRect(slider);
    if (thumb.PtInRect(CPoint(GET_X_LPARAM(point), GET_Y_LPARAM(point)))) {
        state.dragging = true;
        state.grab = AlongOf(slider, point) - OffsetOf(slider, state.position);
        return;
    }
    const bool before = AlongOf(slider, point) < OffsetOf(slider, state.position);
    MoveTo(slider, state.position + (before ? -state.page : state.page));
    Notify(slider, before ? TB_PAGEUP : TB_PAGEDOWN);
}

void Release(HWND slider) {
    SliderState& state = StateOf(slider);
    if (GetCapture() != slider)
        return;
    if (state.dragging) {
        state.dragging = false;
        Notify(slider, TB_THUMBPOSITION);
    }
    ReleaseCapture();
    Notify(slider, TB_ENDTRACK);
}

void Key(HWND slider, UINT key) {
    SliderState& state = StateOf(slider);
    struct Step {
        UINT key;
        UINT code;
    };
    static constexpr Step kSteps[] = {{VK_LEFT, TB_LINEUP},   {VK_UP, TB_LINEUP},    {VK_RIGHT, TB_LINEDOWN},
                                      {VK_DOWN, TB_LINEDOWN}, {VK_PRIOR, TB_PAGEUP}, {VK_NEXT, TB_PAGEDOWN},
                                      {VK_HOME, TB_TOP},      {VK_END, TB_BOTTOM}};
    const auto step =
        std::find_if(std::begin(kSteps), std::end(kSteps), [key](const Step& s) { return s.key == key; });
    if (step == std::end(kSteps))
        return;
    switch (step->code) {
    case TB_LINEUP:
        MoveTo(slider, state.position - state.line);
        break;
    case TB_LINEDOWN:
        MoveTo(slider, state.position + state.line);
        break;
    case TB_PAGEUP:
        MoveTo(slider, state.position - state.page);
        break;
    case TB_PAGEDOWN:
        MoveTo(slider, state.position + state.page);
        break;
    case TB_TOP:
        MoveTo(slider, state.low);
        break;
    default:
        MoveTo(slider, state.high);
        break;
    }
    Notify(slider, step->code);
}

LRESULT SliderWindowProc(HWND slider, UINT message, WPARAM wParam, LPARAM lParam) {
    SliderState& state = StateOf(slider);
    switch (message) {
    case WM_PAINT:
        Paint(slider);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press(slider, lParam);
        return 0;
    case WM_MOUSEMOVE:
        if (state.dragging && GetCapture() == slider &&
            MoveTo(slider, PositionAt(slider, AlongOf(slider, lParam) - state.grab)))
            Notify(slider, TB_THUMBTRACK);
        return 0;
    case WM_LBUTTONUP:
        Release(slider);
        return 0;
    case WM_CAPTURECHANGED:
        state.dragging = false;
        return 0;
    case WM_KEYDOWN:
        Key(slider, static_cast<UINT>(wParam));
        return 0;
    case WM_KEYUP:
        if (wParam == VK_LEFT || wParam == VK_RIGHT || wParam == VK_UP || wParam == VK_DOWN ||
            wParam == VK_PRIOR || wParam == VK_NEXT || wParam == VK_HOME || wParam == VK_END)
            Notify(slider, TB_ENDTRACK);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        InvalidateWindow(slider, ClientArea(slider), true);
        return 0;
    case TBM_GETPOS:
        return state.position;
    case TBM_GETRANGEMIN:
        return state.low;
    case TBM_GETRANGEMAX:
        return state.high;
    case TBM_SETPOS:
        MoveTo(slider, static_cast<int>(lParam));
        return 0;
    case TBM_SETRANGE:
        state.low = static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam)));
        state.high = static_cast<SHORT>(HIWORD(static_cast<DWORD>(lParam)));
        MoveTo(slider, state.position);
        InvalidateWindow(slider, ClientArea(slider), true);
        return 0;
    case TBM_SETRANGEMIN:
    case TBM_SETRANGEMAX:
        (message == TBM_SETRANGEMIN ? state.low : state.high) = static_cast<int>(lParam);
        state.position = std::clamp(state.position, state.low, std::max(state.low, state.high));
        InvalidateWindow(slider, ClientArea(slider), true);
        return 0;
    case TBM_SETTIC:
        if (static_cast<int>(lParam) < state.low || static_cast<int>(lParam) > state.high)
            return FALSE;
        state.ticks.insert(static_cast<int>(lParam));
        return TRUE;
    case TBM_CLEARTICS:
        state.ticks.clear();
        return 0;
    case TBM_SETTICFREQ:
        state.frequency = static_cast<int>(wParam);
        return 0;
    case TBM_SETPAGESIZE:
    case TBM_SETLINESIZE: {
        int& size = message == TBM_SETPAGESIZE ? state.page : state.line;
        const int previous = size;
        size = static_cast<int>(lParam);
        return previous;
    }
    case TBM_GETPAGESIZE:
        return state.page;
    case TBM_GETLINESIZE:
        return state.line;
    default:
        return DefWindowProc(slider, message, wParam, lParam);
    }
}

WindowHost* MakeSliderWidget(const CREATESTRUCT& create, QWidget* parent, Qt::WindowFlags flags) {
    auto* widget = new WindowWidget<QWidget>(parent, flags);
    if (create.style & WS_TABSTOP)
        widget->setFocusPolicy(Qt::TabFocus);
    return widget;
}

CWnd* MakeSliderWrapper() {
    return new CSliderCtrl;
}

} // namespace

const WindowClass kSliderClass{.name = TRACKBAR_CLASS,
                               .style = CS_DBLCLKS,
                               .standardCursor = IDC_ARROW,
                               .proc = SliderWindowProc,
                               .makeWidget = MakeSliderWidget,
                               .makeWrapper = MakeSliderWrapper};
