#pragma once
// What the small skinned dialogs (the move pad, the adjustment panel) share: their background bitmap
// in a memory context, buttons shaped by one outline, and the focus that follows the pointer.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "skin/SkinButton.h"

#include <memory>
#include <span>

class CWnd;

class CSkinBackground {
public:
    CSkinBackground() = default;
    ~CSkinBackground();
    CSkinBackground(const CSkinBackground&) = delete;
    CSkinBackground& operator=(const CSkinBackground&) = delete;

    // Loads the bitmap with its palette into a context compatible with window's; FALSE when the
    // resource module lacks it.
    bool Load(LPCTSTR name, CWnd* window);
    // The context, null before a successful Load.
    CDC* GetDC() const { return m_bitmap ? m_memoryDC.get() : nullptr; }
    // Copies the bitmap over the top-left width by height of dc.
    void Paint(CDC* dc, int width, int height) const;

private:
    std::unique_ptr<CDC> m_memoryDC;
    std::unique_ptr<CBitmap> m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
};

// Places button at position with a side by side window, gives it outline twice (window region and
// pressed shape, alternate fill) and its up, down and focus bitmaps. FALSE when a part fails.
bool ShapeSkinButton(CSkinButton& button, POINT position, int side, std::span<const POINT> outline,
                     LPCTSTR up, LPCTSTR down, LPCTSTR focus);

// The focus follows the pointer: window (under the pointer) takes it, or the dialog's focus holder
// when the pointer is over the dialog itself.
void FocusUnderPointer(CWnd* dialog, CWnd* window, int holderId);
