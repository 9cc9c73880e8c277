#include "tests/support/UiTestSupport.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/TimerTesting.h"
#include "platform/ui/WindowInternals.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace {

QWindow* TopLevelWindow(const CWnd* window, QPoint* position, CPoint point) {
    QWidget* widget = WidgetOf(window->m_hWnd);
    QWidget* top = widget->window();
    // Client points start inside a window's frame.
    *position = widget->mapTo(top, QPoint(point.x, point.y) + ClientOffset(window->m_hWnd));
    return top->windowHandle();
}

} // namespace

void EnsureUiApplication() {
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}

void PumpMessages() {
    for (int round = 0; round < 4; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void PressAt(const CWnd* window, CPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QPoint position;
    QWindow* top = TopLevelWindow(window, &position, point);
    QTest::mousePress(top, button, modifiers, position);
}

void ReleaseAt(const CWnd* window, CPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QPoint position;
    QWindow* top = TopLevelWindow(window, &position, point);
    QTest::mouseRelease(top, button, modifiers, position);
}

void ClickAt(const CWnd* window, CPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QPoint position;
    QWindow* top = TopLevelWindow(window, &position, point);
    QTest::mouseClick(top, button, modifiers, position);
}

void DoubleClickAt(const CWnd* window, CPoint point) {
    QPoint position;
    QWindow* top = TopLevelWindow(window, &position, point);
    QTest::mouseDClick(top, Qt::LeftButton, {}, position);
}

void MoveTo(const CWnd* window, CPoint point) {
    QPoint position;
    QWindow* top = TopLevelWindow(window, &position, point);
    QTest::mouseMove(top, position);
}

void TypeKey(const CWnd* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(WidgetOf(window->m_hWnd)->window()->windowHandle(), key, modifiers);
}

void PressKey(const CWnd* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyPress(WidgetOf(window->m_hWnd)->window()->windowHandle(), key, modifiers);
}

void ReleaseKey(const CWnd* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyRelease(WidgetOf(window->m_hWnd)->window()->windowHandle(), key, modifiers);
}

void ShowActive(CWnd* window) {
    window->ShowWindow(SW_SHOW);
    QWidget* widget = WidgetOf(window->m_hWnd);
    widget->activateWindow();
    ASSERT_TRUE(WaitUntilActive(window));
    PumpMessages();
}

bool WaitUntilActive(CWnd* window) {
    // Qt's own wait trusts the platform window, which reports active before the application knows.
    QWidget* widget = WidgetOf(window->m_hWnd)->window();
    return QTest::qWaitFor([widget] { return QApplication::activeWindow() == widget; });
}

COLORREF WindowPixel(CWnd* window, CPoint point) {
    window->UpdateWindow();
    CDC* dc = window->GetDC();
    const COLORREF color = dc->GetPixel(point);
    window->ReleaseDC(dc);
    return color;
}

RecordingMessageBoxPresenter::RecordingMessageBoxPresenter() {
    SetMessageBoxPresenter(this);
}

RecordingMessageBoxPresenter::~RecordingMessageBoxPresenter() {
    SetMessageBoxPresenter(nullptr);
}

int RecordingMessageBoxPresenter::Show(HWND owner, const CString& text, const CString& caption, UINT style) {
    m_boxes.push_back({owner, text, caption, style});
    if (m_answers.empty())
        return DefaultMessageBoxButton(style);
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

// Qt drops a move to where the pointer already is: each test starts with the pointer parked far from
// its windows, so that its first move is seen wherever it goes.
void ParkPointer() {
    static QWidget* park = [] {
        auto* widget = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        widget->setGeometry(4000, 4000, 2, 2);
        widget->show();
        return widget;
    }();
    QTest::mouseMove(park->windowHandle(), QPoint(1, 1));
}

void UiTest::SetUp() {
    UseManualTimersForTesting(true);
    ParkPointer();
}

void UiTest::TearDown() {
    // Destroying one window may take others (the windows it owns) with it: collect the handles first.
    std::vector<HWND> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        windows.push_back(WindowOfWidget(widget));
    for (const HWND window : windows) {
        if (IsWindow(window))
            DestroyWindow(window);
    }
    PumpMessages();
    UseManualTimersForTesting(false);
}
