#pragma once
// What the files of the window layer call of each other. Private to platform/ui.

#include "platform/ui/WindowRecord.h"

#include <QRegion>

class CRgn;
class QCursor;
class QKeyEvent;
class QMouseEvent;
class QPaintEvent;
class QWheelEvent;

// Lifetime (WindowLifetime.cpp).
HWND CreateWindowFor(CREATESTRUCT create, CWnd* object);
// The top-level window of a window (itself when it is one).
HWND TopLevelOf(HWND window);
// This layer's windows among the widget's children, topmost first: child windows and owned top-level
// windows alike.
std::vector<HWND> ChildWindowsOf(HWND window, bool owned);
// The desktop window once GetDesktopWindow has made it, else null.
HWND DesktopWindowIfMade();

// Painting (Painting.cpp). Regions are in client coordinates.
void InvalidateWindow(HWND window, const QRegion& region, bool erase);
void ValidateWindow(HWND window, const QRegion& region);
void PaintNow(HWND window);
void ProcessPaintRequest(HWND window);
void PaintWidget(HWND window, QPaintEvent* event);
void ResizeSurface(HWND window);
QRegion ClientArea(HWND window);
QRegion RegionOf(const CRgn* region);

// Mouse (MouseInput.cpp).
void RouteMouseEvent(HWND receiver, QMouseEvent* event);
void RouteWheelEvent(HWND receiver, QWheelEvent* event);
void OnWidgetLeave(HWND window);
void StartCaptionDrag(HWND window, POINT screenPoint);
// The window is going: it loses the capture, the hover and any drag.
void ForgetMouseState(HWND window);
UINT CurrentKeyFlags();
// Shows the shape over the window under the pointer, or the one with the capture; null hides it.
void ShowCursorShape(const QCursor* cursor);

// Keyboard and focus (KeyInput.cpp).
void RouteKeyEvent(HWND receiver, QKeyEvent* event);

// Focus (Wnd.cpp): the window that last received WM_SETFOCUS.
void NoteFocusWindow(HWND window);
HWND LastFocusWindow();

// Timers (Timers.cpp).
UINT_PTR SetWindowTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure);
BOOL KillWindowTimer(HWND window, UINT_PTR id);
bool DeliverQtTimer(HWND window, int qtTimerId);
void KillAllTimers(HWND window);
void StartHoverTimer(HWND window, UINT milliseconds);
void StopHoverTimer(HWND window);
