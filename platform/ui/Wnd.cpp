// CWnd: state, geometry, visibility, focus, text and the dialog-item helpers.

#include "platform/ui/Wnd.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/QtInterop.h"
#include "platform/ui/MessageBoxPresenter.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowInternals.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cstdlib>

namespace {

// Placeholders of SetWindowPos's insert-after argument, as the system numbers them.
const auto kHwndTop = reinterpret_cast<HWND>(static_cast<std::intptr_t>(0));
const auto kHwndBottom = reinterpret_cast<HWND>(static_cast<std::intptr_t>(1));
const auto kHwndTopMost = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1));
const auto kHwndNoTopMost = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-2));

HWND g_desktop = nullptr;
HWND g_lastFocus = nullptr;

QWidget* LiveWidget(HWND window) {
    return IsLiveWindow(window) ? WidgetOf(window) : nullptr;
}

QPoint ClientOrigin(HWND window) {
    QWidget* widget = LiveWidget(window);
    return widget ? widget->mapToGlobal(ClientOffset(window)) : QPoint();
}

void ApplyZOrder(QWidget* widget, HWND insertAfter) {
    if (insertAfter == kHwndTop) {
        widget->raise();
    } else if (insertAfter == kHwndBottom) {
        widget->lower();
    } else if (insertAfter == kHwndTopMost || insertAfter == kHwndNoTopMost) {
        if (widget->isWindow()) {
            const bool visible = widget->isVisible();
            widget->setWindowFlag(Qt::WindowStaysOnTopHint, insertAfter == kHwndTopMost);
            if (visible)
                widget->show();
        }
        widget->raise();
    } else if (QWidget* above = LiveWidget(insertAfter);
               above && above->parentWidget() == widget->parentWidget()) {
        widget->stackUnder(above);
    }
}

void SendSizeAndMove(HWND window, bool moved, bool sized) {
    if (sized)
        SendClientSize(window);
    if (moved && IsLiveWindow(window))
        SendClientPosition(window);
}

HWND ControlOf(const CWnd* dialog, int id) {
    CWnd* control = dialog->GetDlgItem(id);
    return control ? control->m_hWnd : nullptr;
}

} // namespace

void SendClientSize(HWND window) {
    const QSize client = ClientSize(window);
    SendToWindow(window, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(static_cast<WORD>(client.width()), static_cast<WORD>(client.height())));
}

void SendClientPosition(HWND window) {
    const QPoint position = WidgetOf(window)->pos() - ParentClientOffset(window);
    SendToWindow(window, WM_MOVE, 0,
                 MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(position.x())),
                            static_cast<WORD>(static_cast<SHORT>(position.y()))));
}

const CWnd CWnd::wndTop(kHwndTop);
const CWnd CWnd::wndBottom(kHwndBottom);
const CWnd CWnd::wndTopMost(kHwndTopMost);
const CWnd CWnd::wndNoTopMost(kHwndNoTopMost);

HWND DesktopWindowIfMade() {
    return g_desktop;
}

void NoteFocusWindow(HWND window) {
    g_lastFocus = window;
}

HWND LastFocusWindow() {
    return IsLiveWindow(g_lastFocus) ? g_lastFocus : nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendToWindow(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
    return ::MessageBox(m_hWnd, text, caption, type);
}

DWORD CWnd::GetStyle() const {
    QWidget* widget = LiveWidget(m_hWnd);
    if (!widget)
        return 0;
    DWORD style = m_hWnd->style & ~(WS_VISIBLE | WS_DISABLED);
    if (!widget->isHidden())
        style |= WS_VISIBLE;
    if (widget->testAttribute(Qt::WA_ForceDisabled))
        style |= WS_DISABLED;
    return style;
}

DWORD CWnd::GetExStyle() const {
    return IsLiveWindow(m_hWnd) ? m_hWnd->exStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    if (!IsLiveWindow(m_hWnd))
        return FALSE;
    const DWORD before = m_hWnd->style;
    m_hWnd->style = (before & ~remove) | add;
    if (flags)
        SetWindowPos(nullptr, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return before != m_hWnd->style;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    if (!IsLiveWindow(m_hWnd))
        return FALSE;
    const DWORD before = m_hWnd->exStyle;
    m_hWnd->exStyle = (before & ~remove) | add;
    if (flags)
        SetWindowPos(nullptr, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return before != m_hWnd->exStyle;
}

int CWnd::GetDlgCtrlID() const {
    return IsLiveWindow(m_hWnd) ? static_cast<int>(m_hWnd->id) : 0;
}

int CWnd::SetDlgCtrlID(int id) {
    if (!IsLiveWindow(m_hWnd))
        return 0;
    const int previous = static_cast<int>(m_hWnd->id);
    m_hWnd->id = static_cast<UINT>(id);
    return previous;
}

HWND GetParent(HWND window) {
    return IsLiveWindow(window) && IsLiveWindow(window->parent) ? window->parent : nullptr;
}

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetTopLevelParent() const {
    return IsLiveWindow(m_hWnd) ? FromHandle(TopLevelOf(m_hWnd)) : nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const {
    if (!IsLiveWindow(m_hWnd))
        return nullptr;
    for (HWND child : ChildWindowsOf(m_hWnd, false)) {
        if (child->id == static_cast<UINT>(id))
            return FromHandle(child);
    }
    return nullptr;
}

CWnd* CWnd::GetWindow(UINT relation) const {
    if (!IsLiveWindow(m_hWnd))
        return nullptr;
    if (relation == GW_CHILD) {
        const std::vector<HWND> children = ChildWindowsOf(m_hWnd, false);
        return children.empty() ? nullptr : FromHandle(children.front());
    }
    if (relation == GW_OWNER)
        return m_hWnd->IsChild() ? nullptr : FromHandle(m_hWnd->parent);
    if (!m_hWnd->IsChild() || !m_hWnd->parent)
        return nullptr;
    const std::vector<HWND> siblings = ChildWindowsOf(m_hWnd->parent, false);
    const auto self = std::find(siblings.begin(), siblings.end(), m_hWnd);
    switch (relation) {
    case GW_HWNDFIRST:
        return FromHandle(siblings.front());
    case GW_HWNDLAST:
        return FromHandle(siblings.back());
    case GW_HWNDNEXT:
        return self + 1 < siblings.end() ? FromHandle(*(self + 1)) : nullptr;
    case GW_HWNDPREV:
        return self > siblings.begin() ? FromHandle(*(self - 1)) : nullptr;
    default:
        return nullptr;
    }
}

BOOL CWnd::IsChild(const CWnd* window) const {
    if (!window || !IsLiveWindow(m_hWnd))
        return FALSE;
    for (HWND w = window->m_hWnd; IsLiveWindow(w) && w->IsChild(); w = w->parent) {
        if (w->parent == m_hWnd)
            return TRUE;
    }
    return FALSE;
}

BOOL CWnd::IsWindowVisible() const {
    QWidget* widget = LiveWidget(m_hWnd);
    return widget && widget->isVisible();
}

BOOL CWnd::IsWindowEnabled() const {
    QWidget* widget = LiveWidget(m_hWnd);
    return widget && widget->isEnabled();
}

BOOL CWnd::EnableWindow(BOOL enable) {
    QWidget* widget = LiveWidget(m_hWnd);
    if (!widget)
        return FALSE;
    const BOOL wasDisabled = (GetStyle() & WS_DISABLED) ? TRUE : FALSE;
    if (wasDisabled == !enable)
        return wasDisabled;
    widget->setEnabled(enable != FALSE);
    // Qt disables the windows a widget owns with it; the window system does not (a modal dialog stays
    // usable over its disabled owner).
    if (!enable) {
        for (QWidget* owned : widget->findChildren<QWidget*>()) {
            if (owned->isWindow() && !owned->testAttribute(Qt::WA_ForceDisabled))
                owned->setEnabled(true);
        }
    }
    SendMessage(WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL CWnd::ShowWindow(int command) {
    QWidget* widget = LiveWidget(m_hWnd);
    if (!widget)
        return FALSE;
    const BOOL wasVisible = !widget->isHidden();
    const bool show = command != SW_HIDE;
    if (show != static_cast<bool>(wasVisible))
        SendMessage(WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!IsLiveWindow(m_hWnd))
        return wasVisible;
    const bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                          command != SW_SHOWMINNOACTIVE && !(m_hWnd->exStyle & WS_EX_NOACTIVATE);
    widget->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    switch (command) {
    case SW_HIDE:
        widget->hide();
        break;
    case SW_SHOWMAXIMIZED:
        widget->isWindow() ? widget->showMaximized() : widget->show();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        widget->isWindow() ? widget->showMinimized() : widget->show();
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        widget->isWindow() ? widget->showNormal() : widget->show();
        break;
    default:
        widget->show();
        break;
    }
    if (show && !wasVisible) {
        InvalidateWindow(m_hWnd, ClientArea(m_hWnd), true);
        if (activate && widget->isWindow())
            widget->activateWindow();
    }
    return wasVisible;
}

BOOL CWnd::IsIconic() const {
    QWidget* widget = LiveWidget(m_hWnd);
    return widget && widget->isMinimized();
}

BOOL CWnd::IsZoomed() const {
    QWidget* widget = LiveWidget(m_hWnd);
    return widget && widget->isMaximized();
}

void CWnd::SetWindowText(LPCTSTR text) {
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const {
    return static_cast<int>(SendMessage(WM_GETTEXT, static_cast<WPARAM>(std::max(maxCount, 0)),
                                        reinterpret_cast<LPARAM>(buffer)));
}

void CWnd::GetWindowText(CString& text) const {
    const int length = GetWindowTextLength();
    char* buffer = text.GetBufferSetLength(length);
    GetWindowText(buffer, length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const {
    return static_cast<int>(SendMessage(WM_GETTEXTLENGTH, 0, 0));
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const {
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0)));
}

HWND GetFocus() {
    return WindowOfWidget(QApplication::focusWidget());
}

HWND SetFocus(HWND window) {
    const HWND previous = GetFocus();
    QWidget* widget = LiveWidget(window);
    if (!widget)
        return previous;
    if (!widget->window()->isActiveWindow() && widget->window()->isVisible())
        widget->window()->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
    return previous;
}

CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}

CWnd* CWnd::SetCapture() {
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetActiveWindow() {
    return FromHandle(WindowOfWidget(QApplication::activeWindow()));
}

CWnd* CWnd::GetDesktopWindow() {
    if (!IsLiveWindow(g_desktop)) {
        g_desktop = CreateWindowEx(0, "#32769", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        if (!g_desktop)
            return nullptr;
    }
    // The screen may change while the program runs.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        WidgetOf(g_desktop)->setGeometry(screen->geometry());
    return FromHandle(g_desktop);
}

CWnd* CWnd::WindowFromPoint(POINT point) {
    return FromHandle(WindowOfWidget(QApplication::widgetAt(point.x, point.y)));
}

BOOL GetClientRect(HWND window, LPRECT rect) {
    QWidget* widget = LiveWidget(window);
    const QSize client = widget ? ClientSize(window) : QSize();
    *rect = RECT{0, 0, client.width(), client.height()};
    return widget ? TRUE : FALSE;
}

void CWnd::GetClientRect(LPRECT rect) const {
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(LPRECT rect) const {
    QWidget* widget = LiveWidget(m_hWnd);
    if (!widget) {
        *rect = RECT{};
        return;
    }
    const QRect frame = widget->isWindow() ? widget->frameGeometry()
                                           : QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    *rect = RECT{frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
}

void CWnd::ClientToScreen(LPPOINT point) const {
    const QPoint origin = ClientOrigin(m_hWnd);
    point->x += origin.x();
    point->y += origin.y();
}

void CWnd::ClientToScreen(LPRECT rect) const {
    const QPoint origin = ClientOrigin(m_hWnd);
    rect->left += origin.x(), rect->right += origin.x();
    rect->top += origin.y(), rect->bottom += origin.y();
}

void CWnd::ScreenToClient(LPPOINT point) const {
    const QPoint origin = ClientOrigin(m_hWnd);
    point->x -= origin.x();
    point->y -= origin.y();
}

void CWnd::ScreenToClient(LPRECT rect) const {
    const QPoint origin = ClientOrigin(m_hWnd);
    rect->left -= origin.x(), rect->right -= origin.x();
    rect->top -= origin.y(), rect->bottom -= origin.y();
}

void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const {
    const QPoint from = ClientOrigin(m_hWnd);
    const QPoint target = to ? ClientOrigin(to->m_hWnd) : QPoint();
    for (UINT i = 0; i < count; ++i) {
        points[i].x += from.x() - target.x();
        points[i].y += from.y() - target.y();
    }
}

void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const {
    MapWindowPoints(to, reinterpret_cast<LPPOINT>(rect), 2);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags) {
    QWidget* widget = LiveWidget(m_hWnd);
    if (!widget)
        return FALSE;
    const QPoint oldPos = widget->pos();
    const QSize oldSize = widget->size();
    const QPoint newPos = (flags & SWP_NOMOVE) ? oldPos : QPoint(x, y) + ParentClientOffset(m_hWnd);
    const QSize newSize = (flags & SWP_NOSIZE) ? oldSize : QSize(std::max(width, 0), std::max(height, 0));
    if (newPos != oldPos)
        widget->move(newPos);
    if (newSize != oldSize) {
        widget->resize(newSize);
        // Qt tells a hidden widget of its new size only when it shows; the pixels follow at once.
        ResizeSurface(m_hWnd);
    }
    if (!(flags & SWP_NOZORDER) && insertAfter)
        ApplyZOrder(widget, insertAfter->m_hWnd);
    const HWND window = m_hWnd;
    // A changed style moves the frame and the bars: the client area follows.
    const bool frameChanged = (flags & SWP_FRAMECHANGED) && newSize == oldSize;
    if (frameChanged)
        LayOutFrame(window);
    if (newSize != oldSize && !(flags & SWP_NOREDRAW))
        InvalidateWindow(window, ClientArea(window), true);
    SendSizeAndMove(window, newPos != oldPos, newSize != oldSize || frameChanged);
    if (!IsLiveWindow(window))
        return TRUE;
    if (flags & SWP_SHOWWINDOW)
        ShowWindow((flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (flags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    return TRUE;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    QWidget* widget = LiveWidget(m_hWnd);
    if (!widget)
        return;
    CRect area;
    CWnd* owner = alternateOwner ? alternateOwner : GetParent();
    if (owner && owner->IsWindowVisible())
        owner->GetWindowRect(&area);
    else if (CWnd* desktop = GetDesktopWindow())
        desktop->GetWindowRect(&area);
    CRect own;
    GetWindowRect(&own);
    int x = area.left + (area.Width() - own.Width()) / 2;
    int y = area.top + (area.Height() - own.Height()) / 2;
    if (m_hWnd->IsChild()) {
        CPoint corner(x, y);
        GetParent()->ScreenToClient(&corner);
        x = corner.x, y = corner.y;
    }
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::BringWindowToTop() {
    if (QWidget* widget = LiveWidget(m_hWnd)) {
        widget->raise();
        if (widget->isWindow() && widget->isVisible())
            widget->activateWindow();
    }
}

int CWnd::SetWindowRgn(HRGN region, BOOL redraw) {
    QWidget* widget = LiveWidget(m_hWnd);
    if (!widget)
        return 0;
    if (m_hWnd->windowRegion && m_hWnd->windowRegion != region)
        DeleteObject(m_hWnd->windowRegion);
    m_hWnd->windowRegion = region;
    if (region)
        widget->setMask(RegionToQRegion(region));
    else
        widget->clearMask();
    if (redraw)
        InvalidateWindow(m_hWnd, ClientArea(m_hWnd), true);
    return 1;
}

int CWnd::GetWindowRgn(HRGN region) const {
    if (!IsLiveWindow(m_hWnd) || !m_hWnd->windowRegion || !region)
        return ERROR;
    return ::CombineRgn(region, m_hWnd->windowRegion, nullptr, RGN_COPY);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC procedure) {
    return SetWindowTimer(m_hWnd, id, elapse, procedure);
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    return KillWindowTimer(m_hWnd, id);
}

void CWnd::SetDlgItemText(int id, LPCTSTR text) {
    if (CWnd* control = GetDlgItem(id))
        control->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    if (CWnd* control = GetDlgItem(id))
        control->GetWindowText(text);
    return text.GetLength();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    CString text;
    if (isSigned)
        text.Format("%d", static_cast<int>(value));
    else
        text.Format("%u", value);
    SetDlgItemText(id, text);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    CString text;
    GetDlgItemText(id, text);
    text.Trim();
    char* end = nullptr;
    const long long value = std::strtoll(text.GetString(), &end, 10);
    const bool valid = !text.IsEmpty() && end && *end == '\0' &&
                       (isSigned ? value >= INT_MIN && value <= INT_MAX : value >= 0 && value <= UINT_MAX);
    if (translated)
        *translated = valid ? TRUE : FALSE;
    return valid ? static_cast<UINT>(value) : 0;
}

void CWnd::CheckDlgButton(int id, UINT check) {
    if (const HWND control = ControlOf(this, id))
        SendToWindow(control, BM_SETCHECK, check, 0);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    const HWND control = ControlOf(this, id);
    return control ? static_cast<UINT>(SendToWindow(control, BM_GETCHECK, 0, 0)) : 0;
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
    for (int id = firstId; id <= lastId; ++id)
        CheckDlgButton(id, id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const {
    for (int id = firstId; id <= lastId; ++id) {
        if (IsDlgButtonChecked(id) == BST_CHECKED)
            return id;
    }
    return 0;
}
