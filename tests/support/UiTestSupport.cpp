#include "tests/support/UiTestSupport.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/TimerTesting.h"
#include "platform/ui/WindowRecord.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace {

QWindow* TopLevelWindow(const CWnd* window, QPoint* position, CPoint point) {
    QWidget* widget = WidgetOf(window->m_hWnd);
    QWidget* top = widget->window();
    *position = widget->mapTo(top, QPoint(point.x, point.y));
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

void ShowActive(CWnd* window) {
    window->ShowWindow(SW_SHOW);
    QWidget* widget = WidgetOf(window->m_hWnd);
    widget->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(widget));
    PumpMessages();
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

void UiTest::SetUp() {
    UseManualTimersForTesting(true);
}

void UiTest::TearDown() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (const HWND window = WindowOfWidget(widget); window && IsWindow(window))
            DestroyWindow(window);
    }
    PumpMessages();
    UseManualTimersForTesting(false);
}
