// A plain Qt program that drags files: drag_source_helper FILE... shows a window, prints "ready X Y"
// with the screen point of its middle, starts a drag of the files as text/uri-list when the mouse is
// pressed on it, and prints "copied" or "refused" when the drag ends. The target fetches the files only
// on the drop, so the helper serves them until its standard input closes, or 30 seconds at most.

#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> urls) : m_urls(std::move(urls)) {}

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* mime = new QMimeData;
        mime->setUrls(m_urls);
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        const Qt::DropAction action = drag->exec(Qt::CopyAction);
        std::cout << (action == Qt::CopyAction ? "copied" : "refused") << std::endl;
    }

private:
    QList<QUrl> m_urls;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: drag_source_helper FILE...\n");
        return 2;
    }
    QApplication application(argc, argv);
    QList<QUrl> urls;
    for (int i = 1; i < argc; ++i)
        urls.push_back(QUrl::fromLocalFile(QFile::decodeName(argv[i])));
    DragSource source(urls);
    source.setWindowFlags(Qt::FramelessWindowHint);
    source.setGeometry(40, 100, 200, 200);
    source.show();
    if (!QTest::qWaitForWindowExposed(&source))
        return 1;
    const QPoint middle = source.mapToGlobal(source.rect().center());
    std::cout << "ready " << middle.x() << ' ' << middle.y() << std::endl;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, [] { QCoreApplication::quit(); });
    QTimer::singleShot(30000, &application, [] { QCoreApplication::exit(1); });
    return application.exec();
}
