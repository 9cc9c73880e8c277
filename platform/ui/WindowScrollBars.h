#pragma once
// The scroll bars of windows with WS_HSCROLL or WS_VSCROLL: the room they take from the client area, their
// drawing into the window's pixels, and the mouse on them. Private to platform/ui.

#include "platform/ui/WindowRecord.h"

#include <QEvent>
#include <QMargins>

// The room the window's bars take at its right and bottom, inside any border.
QMargins ScrollBarMargins(HWND window);
void DrawWindowScrollBars(HWND window);
// HTVSCROLL or HTHSCROLL for a screen point on a bar, else HTCLIENT.
int ScrollBarHitTest(HWND window, POINT screenPoint);
// A press of the left button on the bar hit: the request goes out and the bar follows the pointer.
void PressWindowScrollBar(HWND window, int hit, POINT screenPoint);
// Mouse input while a press on one of the window's bars is followed; false when none is.
bool FollowWindowScrollBar(HWND window, QEvent::Type type, QPoint screenPoint);
// The window lost the capture during a press on a bar: the press ends as a release would end it.
void EndWindowScrollBarPress(HWND window);
// The bar's menu after a right-button release on it: scroll here, to either end, a page or a line.
void ShowScrollBarMenu(HWND window, int hit, POINT screenPoint);
