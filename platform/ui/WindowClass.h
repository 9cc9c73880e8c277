#pragma once
// Window classes: the default processing, cursor, background and widget kind shared by the windows of
// one class, found by name ignoring case. Private to platform/ui.

#include "platform/base/String.h"
#include "platform/ui/UiTypes.h"

#include <QtCore/qnamespace.h>

class CWnd;
class QWidget;
class WindowHost;

struct WindowClass {
    CString name;
    UINT style = 0; // CS_ flags
    HCURSOR cursor = nullptr;
    // A standard cursor (IDC_ARROW ...) when cursor is null.
    LPCTSTR standardCursor = nullptr;
    // A brush, or a system colour index + 1 as the system takes it; null erases nothing.
    HBRUSH background = nullptr;
    // The class's default processing of every message.
    WNDPROC proc = nullptr;
    // The widget of a new window; parent is the parent's or owner's widget.
    WindowHost* (*makeWidget)(const CREATESTRUCT& create, QWidget* parent, Qt::WindowFlags flags) = nullptr;
    // The object that stands in for windows of this class that nothing has subclassed.
    CWnd* (*makeWrapper)() = nullptr;
    // Qt draws the window and handles its input; its widget events are its default processing.
    bool nativeWidget = false;
};

const WindowClass* FindWindowClass(LPCTSTR name);
// The colour a class background erases with, or false when it erases nothing.
bool BackgroundColor(HBRUSH background, COLORREF* color);
