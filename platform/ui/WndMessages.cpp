// Message decoding into the handlers, their default processing, and the default window procedure.

#include "platform/gdi/Dc.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Messages.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowScrollBars.h"
#include "platform/ui/Wnd.h"

#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CWnd, CObject)

namespace {

CPoint PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

// A key press that types text reaches a Qt editor with its WM_CHAR, so that a handler of WM_CHAR can
// still keep a character out.
bool TypesText(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const QString text = static_cast<const QKeyEvent*>(event)->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

// The Qt event a message came from, handed back to a Qt-drawn control as its default processing.
LRESULT RunNativeDefault(HWND window, UINT message) {
    const CurrentMessage* current = TopMessage();
    if (!current || !current->native || current->msg.hwnd != window)
        return 0;
    if (current->msg.message != message)
        return 0;
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && TypesText(current->native))
        return 0;
    if (message == WM_CHAR && !TypesText(current->native))
        return 0;
    return window->host->RunNativeEvent(current->native) ? 1 : 0;
}

LRESULT CopyWindowText(HWND window, WPARAM size, LPTSTR buffer) {
    if (!buffer || size == 0)
        return 0;
    // Cut at a character boundary so that the copy stays valid UTF-8.
    size_t length = std::min<size_t>(window->text.GetLength(), size - 1);
    while (length > 0 && length < static_cast<size_t>(window->text.GetLength()) &&
           (static_cast<unsigned char>(window->text[static_cast<int>(length)]) & 0xC0) == 0x80)
        --length;
    std::memcpy(buffer, window->text.GetString(), length);
    buffer[length] = '\0';
    return static_cast<LRESULT>(length);
}

LRESULT EraseWithClassBackground(HWND window, HDC dc) {
    COLORREF color = 0;
    if (!BackgroundColor(window->windowClass->background, &color))
        return 0;
    CDC* context = CDC::FromHandle(dc);
    CRect box;
    context->GetClipBox(&box);
    CBrush brush(color);
    context->FillRect(&box, &brush);
    return 1;
}

LRESULT SetClassCursor(HWND window, WPARAM wParam, LPARAM lParam) {
    // The parent may choose the cursor of its children first.
    if (window->IsChild() && window->parent && SendToWindow(window->parent, WM_SETCURSOR, wParam, lParam))
        return TRUE;
    if (static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam))) != HTCLIENT ||
        window->windowClass->nativeWidget)
        return FALSE;
    const WindowClass& windowClass = *window->windowClass;
    HCURSOR cursor =
        windowClass.cursor ? windowClass.cursor : LoadCursor(nullptr, windowClass.standardCursor);
    if (!cursor)
        return FALSE;
    SetCursor(cursor);
    return TRUE;
}

// After a right-button release at a client point, or from the menu key with (-1, -1).
void RequestContextMenu(HWND window, CPoint point, bool fromMouse) {
    if (!IsLiveWindow(window))
        return;
    if (fromMouse)
        CWnd::FromHandle(window)->ClientToScreen(&point);
    SendToWindow(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
}

} // namespace

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsLiveWindow(window))
        return 0;
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return EraseWithClassBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_SETCURSOR:
        return SetClassCursor(window, wParam, lParam);
    case WM_NCHITTEST:
        return ScrollBarHitTest(window, PointOf(lParam));
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && message == WM_NCLBUTTONDOWN)
            StartCaptionDrag(window, PointOf(lParam));
        if (wParam == HTHSCROLL || wParam == HTVSCROLL)
            PressWindowScrollBar(window, static_cast<int>(wParam), PointOf(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        EndWindowScrollBarPress(window);
        return 0;
    case WM_NCRBUTTONUP:
        if (wParam == HTHSCROLL || wParam == HTVSCROLL)
            ShowScrollBarMenu(window, static_cast<int>(wParam), PointOf(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (window->IsChild() && window->parent)
            return SendToWindow(window->parent, message, wParam, lParam);
        return RunNativeDefault(window, message);
    case WM_SETTEXT:
        window->text = reinterpret_cast<LPCTSTR>(lParam);
        if (!window->IsChild())
            WidgetOf(window)->setWindowTitle(QString::fromUtf8(window->text.GetString()));
        InvalidateWindow(window, ClientArea(window), true);
        return TRUE;
    case WM_GETTEXT:
        return CopyWindowText(window, wParam, reinterpret_cast<LPTSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return window->text.GetLength();
    case WM_SETFONT:
        window->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(static_cast<DWORD>(lParam)))
            InvalidateWindow(window, ClientArea(window), true);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(window->font);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(DefaultControlBrush(message));
    case WM_CONTEXTMENU:
        // A child's menu request goes up until a window takes it.
        if (window->IsChild() && IsLiveWindow(window->parent))
            SendToWindow(window->parent, message, wParam, lParam);
        return 0;
    case WM_SETREDRAW:
        window->redrawOff = !wParam;
        WidgetOf(window)->setUpdatesEnabled(wParam != 0);
        return 0;
    default:
        break;
    }
    if (message == WM_RBUTTONUP || (message == WM_KEYUP && wParam == VK_APPS)) {
        const LRESULT result = window->windowClass->nativeWidget ? RunNativeDefault(window, message) : 0;
        RequestContextMenu(window, message == WM_RBUTTONUP ? PointOf(lParam) : CPoint(-1, -1),
                           message == WM_RBUTTONUP);
        return result;
    }
    const bool isInput = IsMouseMessage(message) || (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
                         message == WM_SETFOCUS || message == WM_KILLFOCUS;
    if (isInput && window->windowClass->nativeWidget)
        return RunNativeDefault(window, message);
    return 0;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    // A handler may delete this object: only the result is used afterwards.
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    const auto flags = static_cast<UINT>(wParam);
    switch (message) {
    case WM_CREATE:
        *result = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_NCDESTROY:
        OnNcDestroy();
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_ERASEBKGND:
        *result = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        return TRUE;
    case WM_SIZE:
        OnSize(flags, LOWORD(static_cast<DWORD>(lParam)), HIWORD(static_cast<DWORD>(lParam)));
        return TRUE;
    case WM_MOVE:
        OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return TRUE;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return TRUE;
    case WM_ENABLE:
        OnEnable(static_cast<BOOL>(wParam));
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove(flags, PointOf(lParam));
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, PointOf(lParam));
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, PointOf(lParam));
        return TRUE;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(flags, PointOf(lParam));
        return TRUE;
    case WM_RBUTTONDOWN:
        OnRButtonDown(flags, PointOf(lParam));
        return TRUE;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, PointOf(lParam));
        return TRUE;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(flags, PointOf(lParam));
        return TRUE;
    case WM_MBUTTONDOWN:
        OnMButtonDown(flags, PointOf(lParam));
        return TRUE;
    case WM_MBUTTONUP:
        OnMButtonUp(flags, PointOf(lParam));
        return TRUE;
    case WM_MOUSEWHEEL:
        *result =
            OnMouseWheel(LOWORD(static_cast<DWORD>(wParam)), GET_WHEEL_DELTA_WPARAM(wParam), PointOf(lParam));
        return TRUE;
    case WM_MOUSEHOVER:
        OnMouseHover(flags, PointOf(lParam));
        return TRUE;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return TRUE;
    case WM_KEYDOWN:
        OnKeyDown(flags, LOWORD(static_cast<DWORD>(lParam)), HIWORD(static_cast<DWORD>(lParam)));
        return TRUE;
    case WM_KEYUP:
        OnKeyUp(flags, LOWORD(static_cast<DWORD>(lParam)), HIWORD(static_cast<DWORD>(lParam)));
        return TRUE;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(flags, LOWORD(static_cast<DWORD>(lParam)), HIWORD(static_cast<DWORD>(lParam)));
        return TRUE;
    case WM_SYSKEYUP:
        OnSysKeyUp(flags, LOWORD(static_cast<DWORD>(lParam)), HIWORD(static_cast<DWORD>(lParam)));
        return TRUE;
    case WM_CHAR:
        OnChar(flags, LOWORD(static_cast<DWORD>(lParam)), HIWORD(static_cast<DWORD>(lParam)));
        return TRUE;
    case WM_SETFOCUS:
        OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_KILLFOCUS:
        OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_SETCURSOR:
        *result = OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)),
                              static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam))),
                              HIWORD(static_cast<DWORD>(lParam)));
        return TRUE;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam)));
        return TRUE;
    case WM_DRAWITEM:
        if (!ReflectToControl(message, wParam, lParam, result))
            OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    case WM_MEASUREITEM:
        if (!ReflectToControl(message, wParam, lParam, result))
            OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    case WM_NOTIFY:
        return OnNotifyMessage(wParam, lParam, result);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        *result = reinterpret_cast<LRESULT>(OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                       FromHandle(reinterpret_cast<HWND>(lParam)),
                                                       message - WM_CTLCOLORMSGBOX));
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        const UINT code = LOWORD(static_cast<DWORD>(wParam));
        const UINT position = HIWORD(static_cast<DWORD>(wParam));
        // Scroll bars, sliders and spin buttons alike, as the framework hands them over.
        auto* sender =
            reinterpret_cast<CScrollBar*>(lParam ? FromHandle(reinterpret_cast<HWND>(lParam)) : nullptr);
        if (lParam && ReflectToControl(message, wParam, lParam, result))
            return TRUE;
        if (message == WM_HSCROLL)
            OnHScroll(code, position, sender);
        else
            OnVScroll(code, position, sender);
        return TRUE;
    }
    case WM_CONTEXTMENU:
        OnContextMenu(FromHandle(reinterpret_cast<HWND>(wParam)), PointOf(lParam));
        return TRUE;
    case WM_ACTIVATEAPP:
        OnActivateApp(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
        return TRUE;
    case WM_GETDLGCODE:
        *result = OnGetDlgCode();
        return TRUE;
    case WM_NCHITTEST:
        *result = OnNcHitTest(PointOf(lParam));
        return TRUE;
    case WM_NCLBUTTONDOWN:
        OnNcLButtonDown(flags, PointOf(lParam));
        return TRUE;
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 1;
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsLiveWindow(m_hWnd))
        return 0;
    return m_hWnd->windowClass->proc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const CurrentMessage* current = TopMessage();
    if (!current || current->msg.hwnd != m_hWnd)
        return 0;
    return DefWindowProc(current->msg.message, current->msg.wParam, current->msg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG* /*message*/) {
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Reflection: the control that sent the notification may handle it itself.
    CWnd* control = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
    LRESULT result = 0;
    return control && control->OnChildNotify(WM_COMMAND, wParam, lParam, &result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT* result) {
    if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC)
        return FALSE;
    HBRUSH brush = CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_CTLCOLORMSGBOX);
    if (!brush)
        return FALSE;
    *result = reinterpret_cast<LRESULT>(brush);
    return TRUE;
}

BOOL CWnd::ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND sender = nullptr;
    if (message == WM_NOTIFY) {
        sender = reinterpret_cast<LPNMHDR>(lParam)->hwndFrom;
    } else if (message == WM_DRAWITEM) {
        sender = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem;
    } else if (message == WM_MEASUREITEM) {
        const CWnd* item = GetDlgItem(static_cast<int>(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->CtlID));
        sender = item ? item->m_hWnd : nullptr;
    } else {
        sender = reinterpret_cast<HWND>(lParam);
    }
    CWnd* control = FromHandlePermanent(sender);
    return control && control != this && control->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnNotifyMessage(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (!lParam)
        return FALSE;
    if (ReflectToControl(WM_NOTIFY, wParam, lParam, result))
        return TRUE;
    return OnNotify(wParam, lParam, result);
}

BOOL CWnd::OnNotify(WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT* /*result*/) {
    return FALSE;
}

HBRUSH CWnd::OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor) {
    LRESULT reflected = 0;
    if (control && ReflectToControl(WM_CTLCOLORMSGBOX + ctlColor, reinterpret_cast<WPARAM>(dc->m_hDC),
                                    reinterpret_cast<LPARAM>(control->m_hWnd), &reflected))
        return reinterpret_cast<HBRUSH>(reflected);
    return reinterpret_cast<HBRUSH>(Default());
}

HBRUSH CWnd::CtlColor(CDC* /*dc*/, UINT /*ctlColor*/) {
    return nullptr;
}

void CWnd::OnMeasureItem(int /*id*/, LPMEASUREITEMSTRUCT /*measureItem*/) {
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
    Default();
}

void CWnd::OnContextMenu(CWnd*, CPoint) {
    Default();
}

void CWnd::OnActivateApp(BOOL, DWORD) {
    Default();
}

UINT CWnd::OnGetDlgCode() {
    return static_cast<UINT>(Default());
}

void CWnd::OnDrawItem(int /*id*/, LPDRAWITEMSTRUCT /*drawItem*/) {
    Default();
}

int CWnd::OnCreate(LPCREATESTRUCT /*create*/) {
    return static_cast<int>(Default());
}

void CWnd::OnDestroy() {
    Default();
}

void CWnd::OnNcDestroy() {
    Default();
    const HWND window = m_hWnd;
    const bool attached = IsLiveWindow(window) && window->permanent == this;
    if (!attached)
        return;
    Detach();
    PostNcDestroy();
}

void CWnd::OnClose() {
    Default();
}

void CWnd::OnPaint() {
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC* /*dc*/) {
    return static_cast<BOOL>(Default());
}

void CWnd::OnSize(UINT, int, int) {
    Default();
}

void CWnd::OnMove(int, int) {
    Default();
}

void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}

void CWnd::OnEnable(BOOL) {
    Default();
}

void CWnd::OnTimer(UINT_PTR) {
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}

void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}

void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}

void CWnd::OnRButtonDblClk(UINT, CPoint) {
    Default();
}

void CWnd::OnMButtonDown(UINT, CPoint) {
    Default();
}

void CWnd::OnMButtonUp(UINT, CPoint) {
    Default();
}

BOOL CWnd::OnMouseWheel(UINT, short, CPoint) {
    return static_cast<BOOL>(Default());
}

void CWnd::OnMouseHover(UINT, CPoint) {
    Default();
}

void CWnd::OnMouseLeave() {
    Default();
}

void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnSysKeyDown(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnSysKeyUp(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnSetFocus(CWnd*) {
    Default();
}

void CWnd::OnKillFocus(CWnd*) {
    Default();
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}

void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}

LRESULT CWnd::OnNcHitTest(CPoint) {
    return Default();
}

void CWnd::OnNcLButtonDown(UINT, CPoint) {
    Default();
}
