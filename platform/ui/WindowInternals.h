#pragma once
// What the files of the window layer call of each other. Private to platform/ui.

#include "platform/ui/WindowRecord.h"

#include <QMargins>
#include <QRegion>

class CDC;
class CRect;
class CRgn;
class QCursor;
class QImage;
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

// Frames of child windows (WindowFrame.cpp): their width on each side, where the client area starts in
// the window's widget and pixels, where the parent's client area starts in its widget, and the frame's
// drawing into the window's pixels.
QMargins FrameMargins(HWND window);
QPoint ClientOffset(HWND window);
QSize ClientSize(HWND window);
QPoint ParentClientOffset(HWND window);
void DrawWindowFrame(HWND window);

// Painting (Painting.cpp). Regions are in client coordinates.
void InvalidateWindow(HWND window, const QRegion& region, bool erase);
void ValidateWindow(HWND window, const QRegion& region);
void PaintNow(HWND window);
void ProcessPaintRequest(HWND window);
void PaintWidget(HWND window, QPaintEvent* event);
void ResizeSurface(HWND window);
// Draws the frame again and places the client area's pixels inside it, after the frame changed.
void LayOutFrame(HWND window);
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
// The picture of an icon or cursor with its alpha; null for standard shapes, which have none of their own.
QImage CursorPicture(HCURSOR cursor);

// Control colours (ControlColors.cpp): the brush the parent answers to a WM_CTLCOLOR* request, erasing
// with it (a hollow brush shows the parent's pixels below), and the default answer.
HBRUSH RequestControlBrush(HWND control, HDC dc, UINT message);
void EraseControl(HWND control, CDC* dc, const CRect& area, UINT message);
HBRUSH DefaultControlBrush(UINT message);

// Keyboard and focus (KeyInput.cpp).
void RouteKeyEvent(HWND receiver, QKeyEvent* event);
// Whether a key that is not a modifier is down, as of the last key message.
bool IsKeyHeldDown(int virtualKey);

// WM_SIZE with the client size, WM_MOVE with the position in the parent's client area (Wnd.cpp).
void SendClientSize(HWND window);
void SendClientPosition(HWND window);

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
// The repeat of a held scroll bar arrow or track; each tick calls RepeatScrollPress.
void StartScrollRepeatTimer(HWND window, UINT milliseconds);
void StopScrollRepeatTimer(HWND window);
void RepeatScrollPress(HWND window);
