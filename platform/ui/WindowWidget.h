#pragma once
// The Qt widget of a window: one template over the Qt class that draws it (a plain widget for the
// windows this layer paints itself, Qt's editors for edit controls). Every event goes first to the
// window layer, which turns it into messages. Private to platform/ui.

#include "platform/ui/WindowRecord.h"

#include <QWidget>

// Handles a widget event as the window's messages; false leaves the event to the Qt class.
bool HandleWindowEvent(HWND window, QEvent* event, bool* result);
// The widget is being deleted by Qt or by this layer: the window ends here if it has not yet.
void OnWindowWidgetDeleted(HWND window);

template <typename Base>
class WindowWidget final : public Base, public WindowHost {
public:
    WindowWidget(QWidget* parent, Qt::WindowFlags flags) : Base(parent) {
        if (flags != Qt::Widget)
            this->setWindowFlags(flags);
        this->setMouseTracking(true);
        this->setAttribute(Qt::WA_QuitOnClose, false);
        m_record.host = this;
    }
    ~WindowWidget() override { OnWindowWidgetDeleted(&m_record); }
    WindowWidget(const WindowWidget&) = delete;
    WindowWidget& operator=(const WindowWidget&) = delete;

    HWND Handle() override { return &m_record; }
    QWidget* Widget() override { return this; }
    bool RunNativeEvent(QEvent* event) override { return Base::event(event); }

protected:
    bool event(QEvent* event) override {
        bool result = false;
        if (HandleWindowEvent(&m_record, event, &result))
            return result;
        return Base::event(event);
    }

private:
    WindowRecord m_record;
};
