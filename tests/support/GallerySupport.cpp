#include "tests/support/GallerySupport.h"

#include "tests/support/UiTestSupport.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QTimer>

bool SaveScreenPicture(const CRect& frame, const CString& path) {
    PumpMessages();
    // Gives the X server time to show what was painted.
    QThread::msleep(300);
    PumpMessages();
    const QPixmap picture =
        QGuiApplication::primaryScreen()->grabWindow(0, frame.left, frame.top, frame.Width(), frame.Height());
    return picture.save(QString::fromUtf8(path.GetString()));
}

bool SaveWindowPicture(const CWnd& window, const CString& path) {
    CRect frame;
    window.GetWindowRect(&frame);
    return SaveScreenPicture(frame, path);
}

bool SaveDialogPicture(CDialog& dialog, const CString& path, const std::function<void()>& prepare) {
    bool saved = false;
    QTimer::singleShot(0, [&] {
        if (prepare)
            prepare();
        saved = SaveWindowPicture(dialog, path);
        dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    return saved;
}
