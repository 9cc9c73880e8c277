#pragma once
// What the small skinned dialogs (the move pad, the adjustment panel) share: their background bitmap
// in a memory context, buttons shaped by one outline, and the focus that follows the pointer.

#include "skin/SkinBackground.h"
#include "skin/SkinButton.h"

#include <span>

class CWnd;

// Places button at position with a side by side window, gives it outline twice (window region and
// pressed shape, alternate fill) and its up, down and focus bitmaps. FALSE when a part fails.
bool ShapeSkinButton(CSkinButton& button, POINT position, int side, std::span<const POINT> outline,
                     LPCTSTR up, LPCTSTR down, LPCTSTR focus);

// The focus follows the pointer: window (under the pointer) takes it, or the dialog's focus holder
// when the pointer is over the dialog itself.
void FocusUnderPointer(CWnd* dialog, CWnd* window, int holderId);
