// The spin button window class: a press on an arrow steps the position once and holds the pointer until
// the release, which ends the step. With UDS_SETBUDDYINT the buddy shows the position as its text, and
// text typed into it is read back before a step and by UDM_GETPOS. UDS_ALIGNRIGHT and UDS_ALIGNLEFT
// place the arrows against the buddy, UDS_AUTOBUDDY takes the window made just before as the buddy.

#include "platform/gdi/Dc.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/Messages.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace {

struct SpinState final : WindowClassData {
    int lower = 100; // the system's defaults: the up arrow lowers the value
    int upper = 0;
    int position = 0;
    HWND buddy = nullptr;
    int pressed = 0; // +1 the up arrow, -1 the down arrow, 0 none
};

SpinState& StateOf(HWND spin) {
    if (!spin->classData)
        spin->classData = std::make_unique<SpinState>();
    return static_cast<SpinState&>(*spin->classData);
}

bool IsHorizontal(HWND spin) {
    return (spin->style & UDS_HORZ) != 0;
}

// "1.234" as German text shows thousands.
CString Format(HWND spin, int value) {
    CString digits;
    digits.Format("%d", std::abs(value));
    if (!(spin->style & UDS_NOTHOUSANDS)) {
        for (int at = digits.GetLength() - 3; at > 0; at -= 3)
            digits.Insert(at, '.');
    }
    return value < 0 ? CString("-") + digits : digits;
}

void ShowInBuddy(HWND spin) {
    const SpinState& state = StateOf(spin);
    if ((spin->style & UDS_SETBUDDYINT) && IsLiveWindow(state.buddy))
        CWnd::FromHandle(state.buddy)->SetWindowText(Format(spin, state.position));
}

int Clamp(const SpinState& state, long long value) {
    return static_cast<int>(
        std::clamp<long long>(value, std::min(state.lower, state.upper), std::max(state.lower, state.upper)));
}

// The buddy's text as a number, thousands dots allowed unless UDS_NOTHOUSANDS; false for other text.
bool ParseBuddyText(HWND spin, const CString& text, long long& value) {
    CString digits = text;
    digits.Trim();
    const bool negative = !digits.IsEmpty() && digits[0] == '-';
    if (negative)
        digits.Delete(0);
    if (!(spin->style & UDS_NOTHOUSANDS))
        digits.Remove('.');
    if (digits.IsEmpty() || digits.GetLength() > 12)
        return false;
    value = 0;
    for (int i = 0; i < digits.GetLength(); ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            return false;
        value = value * 10 + (digits[i] - '0');
    }
    if (negative)
        value = -value;
    return true;
}

// What the user typed into the buddy becomes the position the arrows step from.
void TakeFromBuddy(HWND spin) {
    SpinState& state = StateOf(spin);
    if (!(spin->style & UDS_SETBUDDYINT) || !IsLiveWindow(state.buddy))
        return;
    CString text;
    CWnd::FromHandle(state.buddy)->GetWindowText(text);
    long long value = 0;
    if (ParseBuddyText(spin, text, value))
        state.position = Clamp(state, value);
}

void Step(HWND spin, int arrow) {
    SpinState& state = StateOf(spin);
    TakeFromBuddy(spin);
    const int towardsUpper = state.upper >= state.lower ? 1 : -1;
    NMUPDOWN change{{spin, spin->id, UDN_DELTAPOS}, state.position, arrow * towardsUpper};
    if (IsLiveWindow(spin->parent) &&
        SendToWindow(spin->parent, WM_NOTIFY, spin->id, reinterpret_cast<LPARAM>(&change)))
        return;
    if (!IsLiveWindow(spin))
        return;
    const long long wanted = static_cast<long long>(state.position) + change.iDelta;
    int next = Clamp(state, wanted);
    if (next != wanted && (spin->style & UDS_WRAP))
        next = wanted > next ? std::min(state.lower, state.upper) : std::max(state.lower, state.upper);
    if (next == state.position)
        return;
    state.position = next;
    ShowInBuddy(spin);
    if (IsLiveWindow(spin->parent))
        SendToWindow(spin->parent, IsHorizontal(spin) ? WM_HSCROLL : WM_VSCROLL,
                     MAKEWPARAM(static_cast<WORD>(SB_THUMBPOSITION), static_cast<WORD>(state.position)),
                     reinterpret_cast<LPARAM>(spin));
}

// The arrow under a client point: +1 the up (or right) arrow, -1 the other.
int ArrowAt(HWND spin, LPARAM point) {
    const QSize size = ClientSize(spin);
    if (IsHorizontal(spin))
        return GET_X_LPARAM(point) >= size.width() / 2 ? 1 : -1;
    return GET_Y_LPARAM(point) < size.height() / 2 ? 1 : -1;
}

void Paint(HWND spin) {
    PAINTSTRUCT paint;
    CDC* dc = CDC::FromHandle(BeginPaint(spin, &paint));
    const QSize size = ClientSize(spin);
    const SpinState& state = StateOf(spin);
    const UINT inactive = WidgetOf(spin)->isEnabled() ? 0 : DFCS_INACTIVE;
    CRect first(0, 0, size.width(), size.height());
    CRect second = first;
    if (IsHorizontal(spin)) {
        first.right = second.left = size.width() / 2;
    } else {
        first.bottom = second.top = size.height() / 2;
    }
    const UINT firstArrow = IsHorizontal(spin) ? DFCS_SCROLLLEFT : DFCS_SCROLLUP;
    const UINT secondArrow = IsHorizontal(spin) ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN;
    // Horizontal: left lowers, right raises; vertical: the top arrow raises.
    const int firstDirection = IsHorizontal(spin) ? -1 : 1;
    dc->DrawFrameControl(&first, DFC_SCROLL,
                         firstArrow | inactive | (state.pressed == firstDirection ? DFCS_PUSHED : 0));
    dc->DrawFrameControl(&second, DFC_SCROLL,
                         secondArrow | inactive | (state.pressed == -firstDirection ? DFCS_PUSHED : 0));
    EndPaint(spin, &paint);
}

// Moves the arrows against the buddy and narrows the buddy by their width.
void Attach(HWND spin, HWND buddy) {
    SpinState& state = StateOf(spin);
    state.buddy = IsLiveWindow(buddy) ? buddy : nullptr;
    if (!state.buddy || !(spin->style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) || buddy->parent != spin->parent)
        return;
    CWnd* buddyWindow = CWnd::FromHandle(buddy);
    CWnd* spinWindow = CWnd::FromHandle(spin);
    CRect box;
    buddyWindow->GetWindowRect(&box);
    CWnd::FromHandle(spin->parent)->ScreenToClient(&box);
    CRect own;
    spinWindow->GetWindowRect(&own);
    const int width = own.Width();
    if (spin->style & UDS_ALIGNRIGHT) {
        buddyWindow->MoveWindow(box.left, box.top, box.Width() - width, box.Height());
        spinWindow->MoveWindow(box.right - width, box.top, width, box.Height());
    } else {
        buddyWindow->MoveWindow(box.left + width, box.top, box.Width() - width, box.Height());
        spinWindow->MoveWindow(box.left, box.top, width, box.Height());
    }
}

HWND WindowMadeBefore(HWND spin) {
    CWnd* before = CWnd::FromHandle(spin)->GetWindow(GW_HWNDPREV);
    return before ? before->m_hWnd : nullptr;
}

LRESULT SpinWindowProc(HWND spin, UINT message, WPARAM wParam, LPARAM lParam) {
    SpinState& state = StateOf(spin);
    switch (message) {
    case WM_CREATE:
        if (spin->style & UDS_AUTOBUDDY)
            Attach(spin, WindowMadeBefore(spin));
        ShowInBuddy(spin);
        return 0;
    case WM_PAINT:
        Paint(spin);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        SetCapture(spin);
        const int arrow = ArrowAt(spin, lParam);
        state.pressed = arrow;
        InvalidateWindow(spin, ClientArea(spin), false);
        Step(spin, arrow);
        return 0;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == spin)
            ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        if (!state.pressed)
            return 0;
        state.pressed = 0;
        InvalidateWindow(spin, ClientArea(spin), false);
        if (IsLiveWindow(spin->parent))
            SendToWindow(spin->parent, IsHorizontal(spin) ? WM_HSCROLL : WM_VSCROLL,
                         MAKEWPARAM(static_cast<WORD>(SB_ENDSCROLL), static_cast<WORD>(state.position)),
                         reinterpret_cast<LPARAM>(spin));
        return 0;
    case WM_KEYDOWN:
        if ((spin->style & UDS_ARROWKEYS) && (wParam == VK_UP || wParam == VK_DOWN))
            Step(spin, wParam == VK_UP ? 1 : -1);
        return 0;
    case WM_GETDLGCODE:
        return (spin->style & UDS_ARROWKEYS) ? DLGC_WANTARROWS : 0;
    case WM_ENABLE:
        InvalidateWindow(spin, ClientArea(spin), false);
        return 0;
    case UDM_SETRANGE:
        state.upper = static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam)));
        state.lower = static_cast<SHORT>(HIWORD(static_cast<DWORD>(lParam)));
        state.position = Clamp(state, state.position);
        return 0;
    case UDM_SETRANGE32:
        state.lower = static_cast<int>(wParam);
        state.upper = static_cast<int>(lParam);
        state.position = Clamp(state, state.position);
        return 0;
    case UDM_GETRANGE:
        return MAKELONG(static_cast<WORD>(state.upper), static_cast<WORD>(state.lower));
    case UDM_GETRANGE32:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = state.lower;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = state.upper;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        const int previous = state.position;
        state.position =
            Clamp(state, message == UDM_SETPOS ? static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam)))
                                               : static_cast<int>(lParam));
        ShowInBuddy(spin);
        return previous;
    }
    case UDM_GETPOS:
    case UDM_GETPOS32:
        TakeFromBuddy(spin);
        return state.position;
    case UDM_SETBUDDY: {
        const HWND previous = state.buddy;
        Attach(spin, reinterpret_cast<HWND>(wParam));
        ShowInBuddy(spin);
        return reinterpret_cast<LRESULT>(previous);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(IsLiveWindow(state.buddy) ? state.buddy : nullptr);
    default:
        return DefWindowProc(spin, message, wParam, lParam);
    }
}

WindowHost* MakeSpinWidget(const CREATESTRUCT&, QWidget* parent, Qt::WindowFlags flags) {
    return new WindowWidget<QWidget>(parent, flags);
}

CWnd* MakeSpinWrapper() {
    return new CSpinButtonCtrl;
}

} // namespace

const WindowClass kSpinButtonClass{.name = UPDOWN_CLASS,
                                   .style = CS_DBLCLKS,
                                   .standardCursor = IDC_ARROW,
                                   .proc = SpinWindowProc,
                                   .makeWidget = MakeSpinWidget,
                                   .makeWrapper = MakeSpinWrapper};
