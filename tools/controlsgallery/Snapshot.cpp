#include "tools/controlsgallery/Snapshot.h"

#include "platform/ui/WindowRecord.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cstdio>

namespace {

bool Write(const QPixmap& picture, const QString& path) {
    if (picture.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", path.toUtf8().constData());
    return false;
}

} // namespace

void Pump() {
    for (int round = 0; round < 4; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

bool Save(HWND window, const QString& path) {
    Pump();
    return Write(window->host->Widget()->grab(), path);
}

bool SaveWithPopup(HWND window, HWND popup, const QString& path) {
    Pump();
    QWidget* base = window->host->Widget();
    QWidget* over = popup->host->Widget();
    const QPoint offset = over->mapToGlobal(QPoint(0, 0)) - base->mapToGlobal(QPoint(0, 0));
    const QSize size(std::max(base->width(), offset.x() + over->width()),
                     std::max(base->height(), offset.y() + over->height()));
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, base->grab());
    painter.drawPixmap(offset, over->grab());
    painter.end();
    return Write(picture, path);
}
