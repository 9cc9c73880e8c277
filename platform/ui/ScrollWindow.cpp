// CWnd::ScrollWindow: the client area's retained pixels move, what the move uncovered is painted again,
// and a pending repaint moves with the pixels it belongs to.

#include "platform/ui/WindowInternals.h"
#include "platform/ui/Wnd.h"

#include <QPainter>
#include <QWidget>

namespace {

QRect ToQRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void MoveChildren(HWND window, int dx, int dy) {
    for (const HWND child : ChildWindowsOf(window, false)) {
        CWnd* object = CWnd::FromHandle(child);
        CRect placed;
        object->GetWindowRect(&placed);
        CWnd::FromHandle(window)->ScreenToClient(&placed);
        object->SetWindowPos(nullptr, placed.left + dx, placed.top + dy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace

void CWnd::ScrollWindow(int dx, int dy, LPCRECT rect, LPCRECT clip) {
    const HWND window = m_hWnd;
    if (!IsLiveWindow(window) || (dx == 0 && dy == 0))
        return;
    const QRect client = ClientArea(window).boundingRect();
    const QRect scrolled = (rect ? ToQRect(*rect) : client) & client;
    const QRect bounds = clip ? ToQRect(*clip) & client : client;
    const QPoint offset(dx, dy);
    // Pixels of the scrolled area land at their new place inside it, and only inside the clip.
    const QRect target = scrolled.translated(offset) & scrolled & bounds;
    QImage& pixels = window->clientPixels.isNull() ? window->surface : window->clientPixels;
    if (!pixels.isNull() && !target.isEmpty()) {
        const QImage moved = pixels.copy(target.translated(-offset));
        QPainter painter(&pixels);
        painter.drawImage(target.topLeft(), moved);
    }
    const QRegion area = QRegion(scrolled) & QRegion(bounds);
    const QRegion pending = window->invalid & area;
    window->invalid = (window->invalid - area) + (pending.translated(offset) & area);
    if (!rect)
        MoveChildren(window, dx, dy);
    if (!IsLiveWindow(window))
        return;
    InvalidateWindow(window, area - QRegion(target), true);
    WidgetOf(window)->update(scrolled.translated(ClientOffset(window)));
}
