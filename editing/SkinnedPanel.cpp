#include "editing/SkinnedPanel.h"

#include "image/FileHelpers.h"
#include "platform/gdi/Region.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Wnd.h"

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

bool ShapeSkinButton(CSkinButton& button, POINT position, int side, std::span<const POINT> outline,
                     LPCTSTR up, LPCTSTR down, LPCTSTR focus) {
    CRgn shape;
    CRgn pressed;
    const int count = static_cast<int>(outline.size());
    if (!shape.CreatePolygonRgn(outline.data(), count, ALTERNATE) ||
        !pressed.CreatePolygonRgn(outline.data(), count, ALTERNATE))
        return false;
    button.SetWindowPos(nullptr, position.x, position.y, side, side, SWP_NOZORDER | SWP_NOACTIVATE);
    return button.SetRegions(&shape, &pressed, TRUE) && button.LoadBitmaps(up, down, focus);
}

void FocusUnderPointer(CWnd* dialog, CWnd* window, int holderId) {
    if (window == dialog) {
        if (CWnd* holder = dialog->GetDlgItem(holderId))
            holder->SetFocus();
    } else if (window) {
        window->SetFocus();
    }
}
