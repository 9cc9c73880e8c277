#include "skin/SkinBackground.h"

#include "image/FileHelpers.h"
#include "platform/ui/PaintDC.h"

#include <new>

CSkinBackground::~CSkinBackground() {
    if (m_memoryDC && m_oldBitmap)
        m_memoryDC->SelectObject(m_oldBitmap);
}

bool CSkinBackground::Load(LPCTSTR name, CWnd* window) {
    try {
        m_memoryDC = std::make_unique<CDC>();
        m_bitmap = std::make_unique<CBitmap>();
    } catch (const std::bad_alloc&) {
        m_bitmap.reset();
        return false;
    }
    CClientDC dc(window);
    if (!LoadResourceBitmapWithPalette(*m_bitmap, name, &dc)) {
        m_bitmap.reset();
        return false;
    }
    m_memoryDC->CreateCompatibleDC(&dc);
    m_oldBitmap = m_memoryDC->SelectObject(m_bitmap.get());
    return true;
}

void CSkinBackground::Paint(CDC* dc, int width, int height) const {
    if (CDC* source = GetDC())
        dc->BitBlt(0, 0, width, height, source, 0, 0, SRCCOPY);
}
