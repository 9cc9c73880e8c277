// The button window class: a press captures the pointer and shows the button pushed while the pointer
// stays inside; a release inside sends BN_CLICKED to the parent. Releasing the capture before the
// release message (as owner-drawn buttons that notify by themselves do) ends the press silently.

#include "platform/gdi/Dc.h"
#include "platform/ui/Button.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace {

struct ButtonState final : WindowClassData {
    UINT state = 0;       // BST_ check bits and BST_PUSHED
    bool pressed = false; // a press of the mouse or the space bar is under way
};

ButtonState& StateOf(HWND window) {
    if (!window->classData)
        window->classData = std::make_unique<ButtonState>();
    return static_cast<ButtonState&>(*window->classData);
}

DWORD TypeOf(HWND window) {
    return window->style & BS_TYPEMASK;
}

bool IsCheckable(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_3STATE ||
           type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
}

void NotifyParent(HWND window, WORD code) {
    if (IsLiveWindow(window->parent))
        SendToWindow(window->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(window->id), code),
                     reinterpret_cast<LPARAM>(window));
}

// Owner-drawn buttons are drawn at once on a change of state, the others when painting comes.
void Redraw(HWND window) {
    InvalidateWindow(window, ClientArea(window), false);
    if (TypeOf(window) == BS_OWNERDRAW)
        PaintNow(window);
}

bool Inside(HWND window, LPARAM point) {
    return WidgetOf(window)->rect().contains(GET_X_LPARAM(point), GET_Y_LPARAM(point));
}

// The group of an automatic radio button: its siblings from the last WS_GROUP at or before it up to the
// next WS_GROUP.
void UncheckGroupSiblings(HWND window) {
    if (!window->IsChild() || !IsLiveWindow(window->parent))
        return;
    const std::vector<HWND> siblings = ChildWindowsOf(window->parent, false);
    const auto self = std::find(siblings.begin(), siblings.end(), window);
    auto first = self;
    while (first != siblings.begin() && !((*first)->style & WS_GROUP))
        --first;
    for (auto it = first; it != siblings.end(); ++it) {
        if (it != first && ((*it)->style & WS_GROUP))
            break;
        if (*it != window && (*it)->windowClass == &kButtonClass && TypeOf(*it) == BS_AUTORADIOBUTTON)
            SendToWindow(*it, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void Click(HWND window, bool inside) {
    ButtonState& button = StateOf(window);
    SendToWindow(window, BM_SETSTATE, FALSE, 0);
    if (!inside) {
        ReleaseCapture();
        return;
    }
    switch (TypeOf(window)) {
    case BS_AUTOCHECKBOX:
        SendToWindow(window, BM_SETCHECK, (button.state & BST_CHECKED) ? BST_UNCHECKED : BST_CHECKED, 0);
        break;
    case BS_AUTORADIOBUTTON:
        SendToWindow(window, BM_SETCHECK, BST_CHECKED, 0);
        break;
    case BS_AUTO3STATE:
        SendToWindow(window, BM_SETCHECK, ((button.state & 3) + 1) % 3, 0);
        break;
    default:
        break;
    }
    ReleaseCapture();
    NotifyParent(window, BN_CLICKED);
}

LRESULT Release(HWND window, bool inside) {
    ButtonState& button = StateOf(window);
    if (!button.pressed)
        return 0;
    button.pressed = false;
    if (!(button.state & BST_PUSHED)) {
        ReleaseCapture();
        return 0;
    }
    Click(window, inside);
    return 0;
}

UINT ItemState(HWND window) {
    const ButtonState& button = StateOf(window);
    UINT state = 0;
    if (button.state & BST_PUSHED)
        state |= ODS_SELECTED;
    if (GetFocus() == window)
        state |= ODS_FOCUS;
    if (!WidgetOf(window)->isEnabled())
        state |= ODS_DISABLED;
    if (button.state & BST_CHECKED)
        state |= ODS_CHECKED;
    return state;
}

void DrawLabel(HWND window, CDC* dc, CRect area, UINT format) {
    CFont* font = CFont::FromHandle(window->font ? window->font : GetStockObject(DEFAULT_GUI_FONT));
    CFont* previous = dc->SelectObject(font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor(WidgetOf(window)->isEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    dc->DrawText(window->text, &area, format);
    dc->SelectObject(previous);
}

// The look of the standard buttons: Qt's style draws the bevel and the indicators, the drawing layer
// the label in the window's font.
void DrawStandard(HWND window, CDC* dc) {
    QWidget* widget = WidgetOf(window);
    const DWORD type = TypeOf(window);
    const UINT itemState = ItemState(window);
    const CRect client(0, 0, widget->width(), widget->height());
    CBrush face(GetSysColor(COLOR_BTNFACE));
    dc->FillRect(&client, &face);

    QStyleOptionButton option;
    option.initFrom(widget);
    option.state &= ~QStyle::State_HasFocus;
    if (itemState & ODS_FOCUS)
        option.state |= QStyle::State_HasFocus;
    const int indicator = 13;
    CRect label = client;
    {
        QPainter painter(&window->surface);
        QStyle* style = widget->style();
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_USERBUTTON) {
            option.rect = widget->rect();
            option.state |= (itemState & ODS_SELECTED) ? QStyle::State_Sunken : QStyle::State_Raised;
            if (type == BS_DEFPUSHBUTTON)
                option.features |= QStyleOptionButton::DefaultButton;
            style->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, widget);
        } else if (type == BS_GROUPBOX) {
            QStyleOptionFrame frame;
            frame.initFrom(widget);
            frame.rect = widget->rect().adjusted(0, 7, 0, 0);
            style->drawPrimitive(QStyle::PE_FrameGroupBox, &frame, &painter, widget);
        } else if (IsCheckable(type)) {
            const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
            option.rect = QRect(0, (widget->height() - indicator) / 2, indicator, indicator);
            const UINT check = StateOf(window).state & 3;
            option.state |= check == BST_CHECKED         ? QStyle::State_On
                            : check == BST_INDETERMINATE ? QStyle::State_NoChange
                                                         : QStyle::State_Off;
            if (itemState & ODS_SELECTED)
                option.state |= QStyle::State_Sunken;
            style->drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox,
                                 &option, &painter, widget);
            label.left = indicator + 4;
        }
    }
    if (type == BS_GROUPBOX) {
        CSize extent = dc->GetTextExtent(window->text);
        CRect caption(8, 0, 8 + extent.cx + 4, extent.cy);
        dc->FillRect(&caption, &face);
        DrawLabel(window, dc, CRect(10, 0, client.right, extent.cy), DT_LEFT | DT_TOP | DT_SINGLELINE);
        return;
    }
    const UINT align = IsCheckable(type) ? DT_LEFT : DT_CENTER;
    if (itemState & ODS_SELECTED && !IsCheckable(type))
        label.OffsetRect(1, 1);
    DrawLabel(window, dc, label, align | DT_VCENTER | DT_SINGLELINE);
}

void PaintButton(HWND window) {
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(window, &paint);
    if (TypeOf(window) == BS_OWNERDRAW) {
        QWidget* widget = WidgetOf(window);
        DRAWITEMSTRUCT drawItem{ODT_BUTTON,
                                window->id,
                                0,
                                ODA_DRAWENTIRE,
                                ItemState(window),
                                window,
                                hdc,
                                RECT{0, 0, widget->width(), widget->height()},
                                0};
        if (IsLiveWindow(window->parent))
            SendToWindow(window->parent, WM_DRAWITEM, window->id, reinterpret_cast<LPARAM>(&drawItem));
    } else {
        DrawStandard(window, CDC::FromHandle(hdc));
    }
    EndPaint(window, &paint);
}

LRESULT ButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ButtonState& button = StateOf(window);
    const DWORD type = TypeOf(window);
    switch (message) {
    case WM_LBUTTONDBLCLK:
        if ((window->style & BS_NOTIFY) || type == BS_RADIOBUTTON || type == BS_USERBUTTON ||
            type == BS_OWNERDRAW) {
            NotifyParent(window, BN_DOUBLECLICKED);
            return 0;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        SetFocus(window);
        SetCapture(window);
        button.pressed = true;
        SendToWindow(window, BM_SETSTATE, TRUE, 0);
        return 0;
    case WM_LBUTTONUP:
        return Release(window, Inside(window, lParam));
    case WM_MOUSEMOVE:
        if (button.pressed && GetCapture() == window)
            SendToWindow(window, BM_SETSTATE, Inside(window, lParam) ? TRUE : FALSE, 0);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) == window || !button.pressed)
            return 0;
        button.pressed = false;
        if (button.state & BST_PUSHED)
            SendToWindow(window, BM_SETSTATE, FALSE, 0);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !(HIWORD(static_cast<DWORD>(lParam)) & 0x4000)) {
            button.pressed = true;
            SetCapture(window);
            SendToWindow(window, BM_SETSTATE, TRUE, 0);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            return Release(window, true);
        return 0;
    case WM_SETFOCUS:
        Redraw(window);
        if (window->style & BS_NOTIFY)
            NotifyParent(window, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (button.pressed && GetCapture() == window)
            ReleaseCapture();
        Redraw(window);
        if (window->style & BS_NOTIFY)
            NotifyParent(window, BN_KILLFOCUS);
        return 0;
    case WM_ENABLE:
        Redraw(window);
        return 0;
    case BM_GETCHECK:
        return button.state & 3;
    case BM_SETCHECK:
        if (!IsCheckable(type) && type != BS_OWNERDRAW)
            return 0;
        if ((button.state & 3) != (wParam & 3)) {
            button.state = (button.state & ~3u) | static_cast<UINT>(wParam & 3);
            Redraw(window);
        }
        if (type == BS_AUTORADIOBUTTON && (wParam & 3) == BST_CHECKED)
            UncheckGroupSiblings(window);
        return 0;
    case BM_GETSTATE:
        return button.state | (GetFocus() == window ? BST_FOCUS : 0);
    case BM_SETSTATE: {
        const UINT before = button.state;
        button.state = wParam ? (button.state | BST_PUSHED) : (button.state & ~BST_PUSHED);
        if (before != button.state)
            Redraw(window);
        return 0;
    }
    case BM_SETSTYLE:
        window->style = (window->style & ~0xFFFFu) | (static_cast<DWORD>(wParam) & 0xFFFF);
        if (LOWORD(static_cast<DWORD>(lParam)))
            Redraw(window);
        return 0;
    case BM_CLICK:
        SendToWindow(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendToWindow(window, WM_LBUTTONUP, 0, 0);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintButton(window);
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

WindowHost* MakeButtonWidget(const CREATESTRUCT& create, QWidget* parent, Qt::WindowFlags flags) {
    auto* widget = new WindowWidget<QWidget>(parent, flags);
    // Group boxes only frame other controls; the pointer reaches what lies below them.
    if ((static_cast<DWORD>(create.style) & BS_TYPEMASK) == BS_GROUPBOX)
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (create.style & WS_TABSTOP)
        widget->setFocusPolicy(Qt::TabFocus);
    return widget;
}

CWnd* MakeButtonWrapper() {
    return new CButton;
}

} // namespace

const WindowClass kButtonClass{.name = WC_BUTTON,
                               .style = CS_DBLCLKS,
                               .standardCursor = IDC_ARROW,
                               .proc = ButtonWindowProc,
                               .makeWidget = MakeButtonWidget,
                               .makeWrapper = MakeButtonWrapper};
