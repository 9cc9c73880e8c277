// Painting: every window keeps the pixels of its client area in an image. WM_PAINT draws the invalid
// part of that image through a device context of the drawing layer; Qt's own paint events only show
// the image. So a context taken with GetDC draws between paints and shows at once, as on the screen.

#include "platform/gdi/Dc.h"
#include "platform/gdi/QtInterop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/Wnd.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <map>
#include <memory>

namespace {

// Contexts of windows that keep no pixels (the desktop, Qt-drawn controls) draw into a scratch image.
std::map<HDC, std::unique_ptr<QImage>>& ScratchImages() {
    static std::map<HDC, std::unique_ptr<QImage>> images;
    return images;
}

bool KeepsPixels(HWND window) {
    return !window->windowClass->nativeWidget;
}

// Marks the window busy, so that its widget outlives a handler that destroys it.
class PaintScope {
public:
    explicit PaintScope(HWND window) : m_window(window) { ++m_window->dispatchDepth; }
    ~PaintScope() { --m_window->dispatchDepth; }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

private:
    HWND m_window;
};

// A client context, or with wholeWindow one over the frame as well.
HDC MakeWindowDc(HWND window, const QRegion* clip, bool wholeWindow = false) {
    CDC dc;
    if (KeepsPixels(window) && !window->surface.isNull()) {
        // A framed window's client contexts draw into the part of its pixels inside the frame.
        const bool framed = !FrameMargins(window).isNull();
        dc.CreateImageDC(framed && !wholeWindow ? &window->clientPixels : &window->surface);
    } else {
        auto scratch = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
        scratch->fill(Qt::white);
        dc.CreateImageDC(scratch.get());
        ScratchImages()[dc.m_hDC] = std::move(scratch);
        if (window == DesktopWindowIfMade()) {
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                dc.SetDeviceCaps(BITSPIXEL, screen->depth());
                dc.SetDeviceCaps(HORZRES, screen->geometry().width());
                dc.SetDeviceCaps(VERTRES, screen->geometry().height());
            }
        }
    }
    if (clip) {
        CRgn region;
        region.CreateRectRgn(0, 0, 0, 0);
        for (const QRect& rect : *clip) {
            CRgn part;
            part.CreateRectRgn(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
            region.CombineRgn(&region, &part, RGN_OR);
        }
        dc.SelectClipRgn(&region);
    }
    return dc.Detach();
}

void DeleteWindowDc(HDC dc) {
    DeleteDC(dc);
    ScratchImages().erase(dc);
}

void Flush(HWND window, const QRect& area) {
    if (!IsLiveWindow(window) || window->inWidgetPaint)
        return;
    if (QWidget* widget = WidgetOf(window))
        widget->update(area.translated(ClientOffset(window)));
}

} // namespace

QRegion ClientArea(HWND window) {
    QWidget* widget = WidgetOf(window);
    return widget ? QRegion(QRect(QPoint(), ClientSize(window))) : QRegion();
}

QRegion RegionOf(const CRgn* region) {
    return region && region->m_hObject ? RegionToQRegion(static_cast<HRGN>(region->m_hObject)) : QRegion();
}

void ResizeSurface(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!KeepsPixels(window) || window->surface.size() == widget->size())
        return;
    QImage next(widget->size(), QImage::Format_RGB32);
    COLORREF background = 0;
    if (!BackgroundColor(window->windowClass->background, &background))
        background = GetSysColor(COLOR_BTNFACE);
    next.fill(QColor(GetRValue(background), GetGValue(background), GetBValue(background)));
    if (!window->surface.isNull()) {
        QPainter painter(&next);
        painter.drawImage(0, 0, window->surface);
    }
    // Assigning keeps the image object that open contexts point at.
    window->surface = next;
    LayOutFrame(window);
}

void LayOutFrame(HWND window) {
    if (!KeepsPixels(window) || window->surface.isNull())
        return;
    DrawWindowFrame(window);
    const QRect client = ClientArea(window).boundingRect().translated(ClientOffset(window));
    if (!client.isEmpty())
        window->clientPixels =
            QImage(window->surface.bits() + client.top() * window->surface.bytesPerLine() + client.left() * 4,
                   client.width(), client.height(), window->surface.bytesPerLine(), QImage::Format_RGB32);
    InvalidateWindow(window, ClientArea(window), true);
}

void InvalidateWindow(HWND window, const QRegion& region, bool erase) {
    if (!IsLiveWindow(window) || window->phase >= WindowRecord::Phase::Destroying)
        return;
    const QRegion area = region & ClientArea(window);
    if (area.isEmpty())
        return;
    QWidget* widget = WidgetOf(window);
    if (!KeepsPixels(window)) {
        widget->update(area);
        return;
    }
    window->invalid += area;
    window->erasePending = window->erasePending || erase;
    if (!window->paintRequested) {
        window->paintRequested = true;
        // Low priority: like WM_PAINT, painting waits until the queued messages are handled.
        QCoreApplication::postEvent(widget, new QEvent(PaintRequestEventType()), Qt::LowEventPriority);
    }
}

void ValidateWindow(HWND window, const QRegion& region) {
    if (!IsLiveWindow(window))
        return;
    window->invalid -= region;
    if (window->invalid.isEmpty())
        window->erasePending = false;
}

void ProcessPaintRequest(HWND window) {
    window->paintRequested = false;
    PaintNow(window);
}

void PaintNow(HWND window) {
    if (!IsLiveWindow(window) || window->phase != WindowRecord::Phase::Alive)
        return;
    QWidget* widget = WidgetOf(window);
    if (!KeepsPixels(window)) {
        if (widget->isVisible())
            widget->repaint();
        return;
    }
    if (window->painting || window->redrawOff || window->invalid.isEmpty() || !widget->isVisible())
        return;
    PaintScope scope(window);
    window->painting = true;
    window->beganPaint = false;
    SendToWindow(window, WM_PAINT, 0, 0);
    window->painting = false;
    // A handler that never began painting leaves nothing to paint again and again.
    if (!window->beganPaint)
        ValidateWindow(window, ClientArea(window));
}

void PaintWidget(HWND window, QPaintEvent* event) {
    QRegion painted;
    if (!window->invalid.isEmpty() && !window->painting) {
        // Qt shows the window before the queued paint request ran: paint into the image first.
        painted = window->invalid;
        window->inWidgetPaint = true;
        PaintNow(window);
        window->inWidgetPaint = false;
    }
    QPainter painter(WidgetOf(window));
    painter.drawImage(event->rect().topLeft(), window->surface, event->rect());
    const QRegion unseen = painted.translated(ClientOffset(window)) - event->region();
    if (!unseen.isEmpty())
        WidgetOf(window)->update(unseen);
}

HDC BeginPaint(HWND window, LPPAINTSTRUCT paint) {
    *paint = PAINTSTRUCT{};
    if (!IsLiveWindow(window))
        return nullptr;
    const QRegion region = window->invalid;
    const bool erase = window->erasePending;
    window->invalid = QRegion();
    window->erasePending = false;
    window->beganPaint = true;
    paint->hdc = MakeWindowDc(window, &region);
    const QRect bounds = region.boundingRect();
    paint->rcPaint =
        RECT{bounds.left(), bounds.top(), bounds.left() + bounds.width(), bounds.top() + bounds.height()};
    paint->fErase =
        erase ? !SendToWindow(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) : FALSE;
    return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
    if (!paint->hdc)
        return FALSE;
    DeleteWindowDc(paint->hdc);
    const RECT& r = paint->rcPaint;
    Flush(window, QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
    return TRUE;
}

HDC GetDC(HWND window) {
    return IsLiveWindow(window) ? MakeWindowDc(window, nullptr) : nullptr;
}

int ReleaseDC(HWND window, HDC dc) {
    if (!dc)
        return 0;
    DeleteWindowDc(dc);
    Flush(window, ClientArea(window).boundingRect());
    return 1;
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
    if (!IsLiveWindow(window))
        return FALSE;
    const QRegion region =
        rect ? QRegion(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top)
             : ClientArea(window);
    InvalidateWindow(window, region, erase);
    return TRUE;
}

BOOL UpdateWindow(HWND window) {
    if (!IsLiveWindow(window))
        return FALSE;
    PaintNow(window);
    return TRUE;
}

void CWnd::Invalidate(BOOL erase) {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) {
    ::InvalidateRect(m_hWnd, rect, erase);
}

void CWnd::InvalidateRgn(CRgn* region, BOOL erase) {
    InvalidateWindow(m_hWnd, region ? RegionOf(region) : ClientArea(m_hWnd), erase);
}

void CWnd::ValidateRect(LPCRECT rect) {
    ValidateWindow(m_hWnd,
                   rect ? QRegion(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top)
                        : ClientArea(m_hWnd));
}

namespace {

// Without either child flag, children take part unless the window clips them.
bool ChildrenTakePart(HWND window, UINT flags) {
    return (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(window->style & WS_CLIPCHILDREN));
}

void MarkForRedraw(HWND window, const QRegion& region, UINT flags) {
    if (flags & RDW_INVALIDATE)
        InvalidateWindow(window, region, (flags & RDW_ERASE) != 0);
    if (flags & RDW_VALIDATE)
        ValidateWindow(window, region);
    if (!ChildrenTakePart(window, flags))
        return;
    for (HWND child : ChildWindowsOf(window, false)) {
        const QWidget* widget = WidgetOf(child);
        const QRect placed = widget->geometry().translated(-ClientOffset(window));
        const QRegion childRegion = (region & placed).translated(-placed.topLeft() - ClientOffset(child));
        if (!childRegion.isEmpty())
            MarkForRedraw(child, childRegion, flags);
    }
}

// The window first, then its children, as the system updates them.
void PaintTree(HWND window, UINT flags) {
    PaintNow(window);
    if (!IsLiveWindow(window) || !ChildrenTakePart(window, flags))
        return;
    for (HWND child : ChildWindowsOf(window, false))
        PaintTree(child, flags);
}

} // namespace

BOOL CWnd::RedrawWindow(LPCRECT rect, CRgn* region, UINT flags) {
    if (!IsLiveWindow(m_hWnd))
        return FALSE;
    QRegion area = ClientArea(m_hWnd);
    if (region)
        area = RegionOf(region);
    else if (rect)
        area = QRegion(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    MarkForRedraw(m_hWnd, area, flags);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        PaintTree(m_hWnd, flags);
    return TRUE;
}

void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}

BOOL CWnd::GetUpdateRect(LPRECT rect, BOOL erase) {
    if (!IsLiveWindow(m_hWnd))
        return FALSE;
    const QRect bounds = m_hWnd->invalid.boundingRect();
    if (rect)
        *rect =
            RECT{bounds.left(), bounds.top(), bounds.left() + bounds.width(), bounds.top() + bounds.height()};
    if (erase && m_hWnd->erasePending && !m_hWnd->invalid.isEmpty()) {
        HDC dc = MakeWindowDc(m_hWnd, &m_hWnd->invalid);
        m_hWnd->erasePending = !SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        DeleteWindowDc(dc);
    }
    return m_hWnd->invalid.isEmpty() ? FALSE : TRUE;
}

CDC* CWnd::GetDC() {
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC() {
    return CDC::FromHandle(IsLiveWindow(m_hWnd) ? MakeWindowDc(m_hWnd, nullptr, true) : nullptr);
}

int CWnd::ReleaseDC(CDC* dc) {
    return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0;
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT paint) {
    return CDC::FromHandle(::BeginPaint(m_hWnd, paint));
}

void CWnd::EndPaint(LPPAINTSTRUCT paint) {
    ::EndPaint(m_hWnd, paint);
}
