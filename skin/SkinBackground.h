#pragma once
// A skinned window's background: its bitmap with its palette, selected into a memory context.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"

#include <memory>

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
