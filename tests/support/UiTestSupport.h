#pragma once
// What window tests share: the offscreen Qt application, input sent through the top-level window's
// handle (so that window shapes and stacking route it as on the screen), the pixels a window shows, a
// presenter that records message boxes, and a fixture that runs timers on the manual clock.

#include "platform/ui/MessageBoxPresenter.h"
#include "platform/ui/Wnd.h"

#include <QtCore/qnamespace.h>
#include <deque>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

// Starts the application once per process (offscreen unless QT_QPA_PLATFORM says otherwise).
void EnsureUiApplication();
// Handles everything queued: posted messages, paint requests, deferred deletions.
void PumpMessages();

// Mouse input at a client point of window, delivered to its top-level window.
void PressAt(const CWnd* window, CPoint point, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = {});
void ReleaseAt(const CWnd* window, CPoint point, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {});
void ClickAt(const CWnd* window, CPoint point, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = {});
void DoubleClickAt(const CWnd* window, CPoint point);
// Moves the pointer (with the buttons pressed before still held).
void MoveTo(const CWnd* window, CPoint point);
// A key pressed and released in window's top-level window; the window with the focus gets it.
void TypeKey(const CWnd* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
// A key pressed, or released, alone (to hold a modifier while the pointer rests).
void PressKey(const CWnd* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
void ReleaseKey(const CWnd* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {});

// Shows a top-level window and waits until it is active, so that it takes focus and input.
void ShowActive(CWnd* window);
// Waits until the window (shown by the code under test) is active.
bool WaitUntilActive(CWnd* window);
// The colour the window shows at a client point, read from its pixels.
COLORREF WindowPixel(CWnd* window, CPoint point);

class RecordingMessageBoxPresenter final : public IMessageBoxPresenter {
public:
    struct Shown {
        HWND owner;
        CString text;
        CString caption;
        UINT style;
    };
    RecordingMessageBoxPresenter();
    ~RecordingMessageBoxPresenter() override;
    RecordingMessageBoxPresenter(const RecordingMessageBoxPresenter&) = delete;
    RecordingMessageBoxPresenter& operator=(const RecordingMessageBoxPresenter&) = delete;

    // Answers of the next boxes in order; then each answers its default button.
    void QueueAnswers(std::initializer_list<int> answers) { m_answers.insert(m_answers.end(), answers); }
    const std::vector<Shown>& Boxes() const { return m_boxes; }
    int Show(HWND owner, const CString& text, const CString& caption, UINT style) override;

private:
    std::deque<int> m_answers;
    std::vector<Shown> m_boxes;
};

// Window tests: the application, timers on the manual clock, recorded message boxes; windows left over
// are destroyed at the end.
class UiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureUiApplication(); }
    void SetUp() override;
    void TearDown() override;

    RecordingMessageBoxPresenter m_messageBoxes;
};
