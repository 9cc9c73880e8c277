// The preview's painting: white field, then the picture unscaled and centred, or scaled to touch two
// opposite edges, or a cross.

#include "skin/DIBStatic1.h"

#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/PaintDC.h"

namespace {

// Pictures are read at the depth their file has.
constexpr int kFileBitsPerPixel = 0;

CRect FittedRect(const CRect& field, int width, int height) {
    const int fieldWidth = field.Width();
    const int fieldHeight = field.Height();
    if (width < fieldWidth && height < fieldHeight)
        return CRect(CPoint(field.left + (fieldWidth - width) / 2, field.top + (fieldHeight - height) / 2),
                     CSize(width, height));
    if (static_cast<double>(fieldHeight) / height >= static_cast<double>(fieldWidth) / width) {
        const auto scaledHeight = static_cast<int>(static_cast<long long>(fieldWidth) * height / width);
        return CRect(CPoint(field.left, field.top + (fieldHeight - scaledHeight) / 2),
                     CSize(fieldWidth, scaledHeight));
    }
    const auto scaledWidth = static_cast<int>(static_cast<long long>(fieldHeight) * width / height);
    return CRect(CPoint(field.left + (fieldWidth - scaledWidth) / 2, field.top),
                 CSize(scaledWidth, fieldHeight));
}

} // namespace

CDIBStatic1::CDIBStatic1() = default;

CDIBStatic1::~CDIBStatic1() = default;

BOOL CDIBStatic1::LoadPicture(LPCTSTR path) {
    m_picture.reset();
    if (CExtMgr* manager = GetExtMgr()) {
        CPictureInfo* mask = nullptr;
        m_picture.reset(manager->LoadFile(path, mask, kFileBitsPerPixel));
        delete mask;
    }
    if (m_hWnd) {
        CClientDC dc(this);
        PaintPicture(&dc);
        Invalidate();
    }
    return TRUE;
}

void CDIBStatic1::OnPaint() {
    // The whole face is the preview's own: nothing of the label's painting runs.
    CPaintDC dc(this);
    PaintPicture(&dc);
}

void CDIBStatic1::PaintPicture(CDC* dc) {
    CRect field;
    GetClientRect(&field);
    field.DeflateRect(1, 1);
    dc->FillSolidRect(&field, RGB(255, 255, 255));
    // A picture without pixels (width or height 0) cannot be scaled: it shows the cross, as no picture.
    if (m_picture && m_picture->IsValid() && m_picture->GetWidth() > 0 && m_picture->GetHeight() > 0) {
        m_picture->Draw(dc, FittedRect(field, m_picture->GetWidth(), m_picture->GetHeight()), SRCCOPY);
        return;
    }
    dc->MoveTo(field.left, field.top);
    dc->LineTo(field.right, field.bottom);
    dc->MoveTo(field.right, field.top);
    dc->LineTo(field.left, field.bottom);
}
