// The receiving side of a real drop under an X server: drop_target_peer shows a window whose view is
// registered with a COleDropTarget, prints "ready X Y" with the screen point of the view's middle,
// waits up to 30 seconds for a drop and prints the view's log and each dropped file, one a line.

#include "platform/ui/OleDropTarget.h"
#include "platform/ui/WindowRecord.h"
#include "tests/platform/ui/FileDropView.h"
#include "tests/support/UiTestSupport.h"

#include <QTest>
#include <QWidget>
#include <iostream>

int main() {
    EnsureUiApplication();
    MessageLog log;
    LoggingWnd main(&log, "main");
    FileDropView view(&log);
    COleDropTarget target;
    if (!main.CreatePopup(CRect(400, 100, 700, 300)) ||
        !view.CreateChild(&main, CRect(10, 10, 290, 190), 1) || !target.Register(&view))
        return 1;
    main.ShowWindow(SW_SHOW);
    if (!QTest::qWaitForWindowExposed(WidgetOf(main.m_hWnd)))
        return 1;
    CPoint middle(140, 90);
    view.ClientToScreen(&middle);
    log.clear();
    std::cout << "ready " << middle.x << ' ' << middle.y << std::endl;
    const bool dropped = QTest::qWaitFor([&view] { return !view.m_files.empty(); }, 30000);
    // Let the drop's answer reach the source before the window goes.
    QTest::qWait(300);
    for (const std::string& line : log)
        std::cout << line << '\n';
    for (const std::string& file : view.m_files)
        std::cout << "file " << file << '\n';
    std::cout << std::flush;
    main.DestroyWindow();
    PumpMessages();
    return dropped ? 0 : 1;
}
