// The static window class: text in the window's font on the dialog colour, frames and rectangles, or a
// bitmap.

#include "platform/gdi/Dc.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Static.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

namespace {

struct StaticState final : WindowClassData {
    HBITMAP bitmap = nullptr; // shown, not owned
};

StaticState& StateOf(HWND window) {
    if (!window->classData)
        window->classData = std::make_unique<StaticState>();
    return static_cast<StaticState&>(*window->classData);
}

void DrawText(HWND window, CDC* dc, const CRect& client) {
    // The parent's colour answer may set the text colour; it starts as the system's.
    dc->SetTextColor(GetSysColor(WidgetOf(window)->isEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    dc->SetBkColor(GetSysColor(COLOR_3DFACE));
    EraseControl(window, dc, client, WM_CTLCOLORSTATIC);
    const DWORD type = window->style & SS_TYPEMASK;
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if (type == SS_CENTER)
        format |= DT_CENTER;
    else if (type == SS_RIGHT)
        format |= DT_RIGHT;
    else if (type == SS_LEFTNOWORDWRAP)
        format = DT_EXPANDTABS | DT_SINGLELINE;
    if (window->style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    if (window->style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    CFont* previous =
        dc->SelectObject(CFont::FromHandle(window->font ? window->font : GetStockObject(DEFAULT_GUI_FONT)));
    dc->SetBkMode(TRANSPARENT);
    CRect area = client;
    dc->DrawText(window->text, &area, format);
    dc->SelectObject(previous);
}

void DrawBitmap(HWND window, CDC* dc, const CRect& client) {
    EraseControl(window, dc, client, WM_CTLCOLORSTATIC);
    CBitmap* bitmap = CBitmap::FromHandle(StateOf(window).bitmap);
    BITMAP info{};
    if (!bitmap || !bitmap->GetBitmap(&info))
        return;
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* previous = memory.SelectObject(bitmap);
    int x = 0;
    int y = 0;
    if (window->style & SS_CENTERIMAGE) {
        x = (client.Width() - info.bmWidth) / 2;
        y = (client.Height() - info.bmHeight) / 2;
    }
    dc->BitBlt(x, y, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
}

void PaintStatic(HWND window) {
    PAINTSTRUCT paint;
    CDC* dc = CDC::FromHandle(BeginPaint(window, &paint));
    QWidget* widget = WidgetOf(window);
    const CRect client(0, 0, widget->width(), widget->height());
    switch (window->style & SS_TYPEMASK) {
    case SS_BITMAP:
        DrawBitmap(window, dc, client);
        break;
    case SS_BLACKRECT:
        dc->FillSolidRect(&client, GetSysColor(COLOR_WINDOWFRAME));
        break;
    case SS_GRAYRECT:
        dc->FillSolidRect(&client, GetSysColor(COLOR_BTNSHADOW));
        break;
    case SS_WHITERECT:
        dc->FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
        break;
    case SS_BLACKFRAME:
    case SS_ETCHEDFRAME: {
        CBrush frame(GetSysColor(COLOR_BTNSHADOW));
        dc->FrameRect(&client, &frame);
        break;
    }
    default:
        DrawText(window, dc, client);
        break;
    }
    EndPaint(window, &paint);
}

void Notify(HWND window, WORD code) {
    if ((window->style & SS_NOTIFY) && IsLiveWindow(window->parent))
        SendToWindow(window->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(window->id), code),
                     reinterpret_cast<LPARAM>(window));
}

LRESULT StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintStatic(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        Notify(window, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        Notify(window, STN_DBLCLK);
        return 0;
    case WM_ENABLE:
        InvalidateWindow(window, ClientArea(window), false);
        return 0;
    case STM_SETIMAGE: {
        if (wParam != IMAGE_BITMAP)
            return 0;
        StaticState& state = StateOf(window);
        const HBITMAP previous = state.bitmap;
        state.bitmap = reinterpret_cast<HBITMAP>(lParam);
        InvalidateWindow(window, ClientArea(window), true);
        return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETIMAGE:
        return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(StateOf(window).bitmap) : 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

WindowHost* MakeStaticWidget(const CREATESTRUCT& create, QWidget* parent, Qt::WindowFlags flags) {
    auto* widget = new WindowWidget<QWidget>(parent, flags);
    // A label that does not notify lets the pointer through to what lies below it.
    if (!(static_cast<DWORD>(create.style) & SS_NOTIFY))
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    return widget;
}

CWnd* MakeStaticWrapper() {
    return new CStatic;
}

} // namespace

// Statics take the double clicks they report as STN_DBLCLK.
const WindowClass kStaticClass{.name = WC_STATIC,
                               .style = CS_DBLCLKS,
                               .standardCursor = IDC_ARROW,
                               .proc = StaticWindowProc,
                               .makeWidget = MakeStaticWidget,
                               .makeWrapper = MakeStaticWrapper};
