// Drops from other programs through Qt's drag and drop: the dropped addresses become a COleDataObject
// of local files, and each step goes to the target's handlers.

#include "platform/ui/OleDropTarget.h"

#include "platform/ui/UiTypes.h"
#include "platform/ui/WindowRecord.h"
#include "platform/ui/Wnd.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

COleDataObject DataOf(const QMimeData* mime) {
    std::vector<CString> files;
    if (mime && mime->hasUrls()) {
        for (const QUrl& url : mime->urls()) {
            if (url.isLocalFile())
                files.emplace_back(url.toLocalFile().toUtf8().constData());
        }
    }
    return COleDataObject(std::move(files));
}

DWORD KeyStateOf(const QDropEvent* event) {
    DWORD state = 0;
    state |= event->buttons() & Qt::LeftButton ? MK_LBUTTON : 0;
    state |= event->buttons() & Qt::RightButton ? MK_RBUTTON : 0;
    state |= event->modifiers() & Qt::ShiftModifier ? MK_SHIFT : 0;
    state |= event->modifiers() & Qt::ControlModifier ? MK_CONTROL : 0;
    return state;
}

CPoint PointOf(const QDropEvent* event) {
    const QPoint point = event->position().toPoint();
    return {point.x(), point.y()};
}

Qt::DropAction ActionOf(DROPEFFECT effect) {
    if (effect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    if (effect & DROPEFFECT_LINK)
        return Qt::LinkAction;
    return Qt::CopyAction;
}

} // namespace

class COleDropTarget::CDropFilter : public QObject {
public:
    CDropFilter(COleDropTarget& target, CWnd* window) : m_target(target), m_window(window) {}

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            COleDataObject data = DataOf(drag->mimeData());
            m_effect = event->type() == QEvent::DragEnter
                           ? m_target.OnDragEnter(m_window, &data, KeyStateOf(drag), PointOf(drag))
                           : m_target.OnDragOver(m_window, &data, KeyStateOf(drag), PointOf(drag));
            Answer(drag, m_effect);
            return true;
        }
        case QEvent::DragLeave:
            m_target.OnDragLeave(m_window);
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            COleDataObject data = DataOf(drop->mimeData());
            const bool taken = m_effect != DROPEFFECT_NONE &&
                               m_target.OnDrop(m_window, &data, m_effect, PointOf(drop)) != FALSE;
            Answer(drop, taken ? m_effect : DROPEFFECT_NONE);
            return true;
        }
        default:
            return false;
        }
    }

private:
    static void Answer(QDropEvent* event, DROPEFFECT effect) {
        if (effect == DROPEFFECT_NONE) {
            event->ignore();
            return;
        }
        event->setDropAction(ActionOf(effect));
        event->accept();
    }

    COleDropTarget& m_target;
    CWnd* m_window;
    DROPEFFECT m_effect = DROPEFFECT_NONE;
};

COleDropTarget::COleDropTarget() = default;

COleDropTarget::~COleDropTarget() {
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* window) {
    QWidget* widget = window ? WidgetOf(window->m_hWnd) : nullptr;
    if (!widget || m_window)
        return FALSE;
    m_window = window;
    m_filter = std::make_unique<CDropFilter>(*this, window);
    widget->setAcceptDrops(true);
    widget->installEventFilter(m_filter.get());
    return TRUE;
}

void COleDropTarget::Revoke() {
    if (!m_window)
        return;
    if (QWidget* widget = WidgetOf(m_window->m_hWnd)) {
        widget->removeEventFilter(m_filter.get());
        widget->setAcceptDrops(false);
    }
    m_filter.reset();
    m_window = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) {
    auto* handler = dynamic_cast<IDropTargetWindow*>(window);
    return handler ? handler->OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) {
    auto* handler = dynamic_cast<IDropTargetWindow*>(window);
    return handler ? handler->OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd* window) {
    if (auto* handler = dynamic_cast<IDropTargetWindow*>(window))
        handler->OnDragLeave();
}

BOOL COleDropTarget::OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point) {
    auto* handler = dynamic_cast<IDropTargetWindow*>(window);
    return handler ? handler->OnDrop(data, effect, point) : FALSE;
}
