// The drag image: a frameless window above all others, transparent for the mouse, showing the picture
// half translucent with its hot spot under the pointer. One drag runs at a time.

#include "platform/ui/ImageList.h"
#include "platform/ui/ImageListDragTesting.h"
#include "platform/ui/Wnd.h"

#include <QPainter>
#include <QWidget>

namespace {

constexpr qreal kDragImageOpacity = 0.5;

class DragImageWindow final : public QWidget {
public:
    DragImageWindow()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_ShowWithoutActivating);
    }
    void SetPicture(const QImage& picture) {
        m_picture = picture;
        resize(picture.size());
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setOpacity(kDragImageOpacity);
        painter.drawImage(0, 0, m_picture);
    }

private:
    QImage m_picture;
};

struct DragState {
    bool running = false;
    QImage picture;
    QPoint hotSpot;
    // The pointer's picture and hot spot combined with the drag image.
    QImage cursor;
    QPoint cursorHotSpot;
    bool entered = false;
    bool shown = false;
    QPoint lockOrigin; // the lock window's top left corner on the screen
    QPoint position;   // the hot spot, relative to the lock window
    DragImageWindow* window = nullptr;
};

DragState g_drag;

// The drag picture with the pointer's picture over it, both hot spots on one point; the combined hot spot.
std::pair<QImage, QPoint> Combined() {
    if (g_drag.cursor.isNull())
        return {g_drag.picture, g_drag.hotSpot};
    const QRect own(-g_drag.hotSpot, g_drag.picture.size());
    const QRect cursor(-g_drag.cursorHotSpot, g_drag.cursor.size());
    const QRect both = own.united(cursor);
    QImage combined(both.size(), QImage::Format_ARGB32_Premultiplied);
    combined.fill(Qt::transparent);
    QPainter painter(&combined);
    painter.drawImage(own.topLeft() - both.topLeft(), g_drag.picture);
    painter.drawImage(cursor.topLeft() - both.topLeft(), g_drag.cursor);
    return {combined, -both.topLeft()};
}

void ShowDragImage() {
    const bool visible = g_drag.running && g_drag.entered && g_drag.shown;
    if (!visible) {
        if (g_drag.window)
            g_drag.window->hide();
        return;
    }
    if (!g_drag.window)
        g_drag.window = new DragImageWindow;
    const auto [picture, hotSpot] = Combined();
    g_drag.window->SetPicture(picture);
    g_drag.window->move(g_drag.lockOrigin + g_drag.position - hotSpot);
    g_drag.window->show();
    g_drag.window->raise();
}

QPoint LockOrigin(HWND lock) {
    CWnd* window = lock ? CWnd::FromHandle(lock) : nullptr;
    if (!window || window == CWnd::GetDesktopWindow())
        return QPoint();
    CRect area;
    window->GetWindowRect(&area);
    return QPoint(area.left, area.top);
}

} // namespace

BOOL ImageList_BeginDrag(HIMAGELIST list, int image, int dxHotspot, int dyHotspot) {
    const QImage picture = ImageListPicture(list, image);
    if (picture.isNull())
        return FALSE;
    g_drag.running = true;
    g_drag.picture = picture;
    g_drag.hotSpot = QPoint(dxHotspot, dyHotspot);
    ShowDragImage();
    return TRUE;
}

void ImageList_EndDrag() {
    delete g_drag.window;
    g_drag = DragState();
}

BOOL ImageList_DragEnter(HWND lock, int x, int y) {
    if (!g_drag.running)
        return FALSE;
    g_drag.entered = true;
    g_drag.shown = true;
    g_drag.lockOrigin = LockOrigin(lock);
    g_drag.position = QPoint(x, y);
    ShowDragImage();
    return TRUE;
}

BOOL ImageList_DragMove(int x, int y) {
    if (!g_drag.running)
        return FALSE;
    g_drag.position = QPoint(x, y);
    ShowDragImage();
    return TRUE;
}

BOOL ImageList_DragLeave(HWND) {
    if (!g_drag.running)
        return FALSE;
    g_drag.entered = false;
    ShowDragImage();
    return TRUE;
}

BOOL ImageList_DragShowNolock(BOOL show) {
    if (!g_drag.running || !g_drag.entered)
        return FALSE;
    g_drag.shown = show != FALSE;
    ShowDragImage();
    return TRUE;
}

BOOL ImageList_SetDragCursorImage(HIMAGELIST list, int image, int dxHotspot, int dyHotspot) {
    const QImage picture = ImageListPicture(list, image);
    if (picture.isNull())
        return FALSE;
    g_drag.cursor = picture;
    g_drag.cursorHotSpot = QPoint(dxHotspot, dyHotspot);
    ShowDragImage();
    return TRUE;
}

BOOL CImageList::BeginDrag(int image, CPoint hotSpot) {
    return ImageList_BeginDrag(m_hImageList, image, hotSpot.x, hotSpot.y);
}

void CImageList::EndDrag() {
    ImageList_EndDrag();
}

BOOL CImageList::DragEnter(CWnd* lock, CPoint point) {
    return ImageList_DragEnter(lock ? lock->m_hWnd : nullptr, point.x, point.y);
}

BOOL CImageList::DragMove(CPoint point) {
    return ImageList_DragMove(point.x, point.y);
}

BOOL CImageList::DragLeave(CWnd* lock) {
    return ImageList_DragLeave(lock ? lock->m_hWnd : nullptr);
}

BOOL CImageList::DragShowNolock(BOOL show) {
    return ImageList_DragShowNolock(show);
}

BOOL CImageList::SetDragCursorImage(int image, CPoint hotSpot) {
    return ImageList_SetDragCursorImage(m_hImageList, image, hotSpot.x, hotSpot.y);
}

DragImageView DragImageForTesting() {
    DragImageView view;
    view.shown = g_drag.window && g_drag.window->isVisible();
    if (g_drag.window) {
        view.area = g_drag.window->geometry();
        view.pixels = g_drag.window->grab().toImage();
    }
    return view;
}
