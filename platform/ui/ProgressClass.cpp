// The progress bar window class: range, position and step, drawn as a sunken frame with a filled part.

#include "platform/gdi/Dc.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <algorithm>

namespace {

struct ProgressState final : WindowClassData {
    int low = 0;
    int high = 100;
    int position = 0;
    int step = 10;

    int Lowest() const { return std::min(low, high); }
    int Highest() const { return std::max(low, high); }
    int Clamp(long long value) const {
        return static_cast<int>(std::clamp<long long>(value, Lowest(), Highest()));
    }
};

ProgressState& StateOf(HWND window) {
    if (!window->classData)
        window->classData = std::make_unique<ProgressState>();
    return static_cast<ProgressState&>(*window->classData);
}

// Past the high end the position wraps to the low end, as the system's bar does; an empty range has
// one position only.
int Stepped(const ProgressState& bar) {
    const long long span = static_cast<long long>(bar.Highest()) - bar.Lowest();
    long long next = static_cast<long long>(bar.position) + bar.step;
    if (span == 0)
        return bar.Lowest();
    if (next > bar.Highest())
        next = bar.Lowest() + (next - bar.Lowest()) % span;
    else if (next < bar.Lowest())
        next = bar.Highest() - (bar.Lowest() - next) % span;
    return static_cast<int>(next);
}

LRESULT Move(HWND window, int position) {
    ProgressState& bar = StateOf(window);
    const int previous = bar.position;
    bar.position = bar.Clamp(position);
    if (bar.position != previous)
        InvalidateWindow(window, ClientArea(window), false);
    return previous;
}

void PaintProgress(HWND window) {
    PAINTSTRUCT paint;
    CDC* dc = CDC::FromHandle(BeginPaint(window, &paint));
    const ProgressState& bar = StateOf(window);
    QWidget* widget = WidgetOf(window);
    CRect client(0, 0, widget->width(), widget->height());
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CBrush frame(GetSysColor(COLOR_BTNSHADOW));
    dc->FrameRect(&client, &frame);
    client.DeflateRect(2, 2);
    const long long span = static_cast<long long>(bar.Highest()) - bar.Lowest();
    const long long done = span ? (static_cast<long long>(bar.position) - bar.Lowest()) : 0;
    if ((window->style & PBS_VERTICAL) && span) {
        const int filled = static_cast<int>(client.Height() * done / span);
        dc->FillSolidRect(client.left, client.bottom - filled, client.Width(), filled,
                          GetSysColor(COLOR_HIGHLIGHT));
    } else if (span) {
        const int filled = static_cast<int>(client.Width() * done / span);
        dc->FillSolidRect(client.left, client.top, filled, client.Height(), GetSysColor(COLOR_HIGHLIGHT));
    }
    EndPaint(window, &paint);
}

LRESULT ProgressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ProgressState& bar = StateOf(window);
    switch (message) {
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
        const LRESULT previous = MAKELPARAM(static_cast<WORD>(bar.low), static_cast<WORD>(bar.high));
        if (message == PBM_SETRANGE) {
            bar.low = static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam)));
            bar.high = static_cast<SHORT>(HIWORD(static_cast<DWORD>(lParam)));
        } else {
            bar.low = static_cast<int>(static_cast<LONG>(wParam));
            bar.high = static_cast<int>(lParam);
        }
        bar.position = bar.Clamp(bar.position);
        InvalidateWindow(window, ClientArea(window), false);
        return previous;
    }
    case PBM_GETRANGE: {
        if (auto* range = reinterpret_cast<PBRANGE*>(lParam))
            *range = PBRANGE{bar.low, bar.high};
        return wParam ? bar.low : bar.high;
    }
    case PBM_SETPOS:
        return Move(window, static_cast<int>(static_cast<LONG>(wParam)));
    case PBM_GETPOS:
        return bar.position;
    case PBM_DELTAPOS:
        return Move(window, bar.Clamp(static_cast<long long>(bar.position) + static_cast<LONG>(wParam)));
    case PBM_SETSTEP: {
        const int previous = bar.step;
        bar.step = static_cast<int>(static_cast<LONG>(wParam));
        return previous;
    }
    case PBM_STEPIT:
        return Move(window, Stepped(bar));
    case WM_PAINT:
        PaintProgress(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

WindowHost* MakeProgressWidget(const CREATESTRUCT&, QWidget* parent, Qt::WindowFlags flags) {
    return new WindowWidget<QWidget>(parent, flags);
}

CWnd* MakeProgressWrapper() {
    return new CProgressCtrl;
}

} // namespace

const WindowClass kProgressClass{.name = PROGRESS_CLASS,
                                 .standardCursor = IDC_ARROW,
                                 .proc = ProgressWindowProc,
                                 .makeWidget = MakeProgressWidget,
                                 .makeWrapper = MakeProgressWrapper};
