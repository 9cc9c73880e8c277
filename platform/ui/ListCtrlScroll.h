#pragma once
// Scrolling of list controls through the window's own bars: the bars' positions are the view's offset
// (pixels across; down, rows in the report view and pixels in the icon view). Private to platform/ui.

#include "platform/ui/WindowRecord.h"

#include <QPoint>

// The bars' positions: how far the content is scrolled.
QPoint ListScrollPosition(HWND list);
// Fits the bars' ranges and pages to the content and the client area, showing them where needed.
void UpdateListScrollBars(HWND list);
// The scroll requests, the wheel and the LVM_ scrolling messages; false for any other message.
bool HandleListScrolling(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
