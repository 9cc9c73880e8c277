// A 24-bit DIB section with a memory context on it.

#include "page/DibCanvas.h"

#include "image/PictureInfo.h"
#include "platform/base/DibLimits.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"

#include <cstring>
#include <vector>

namespace {

BITMAPINFOHEADER Header24(int width, int height) {
    return {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
}

size_t RowBytes(int width) {
    return (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
}

} // namespace

CDibCanvas::~CDibCanvas() {
    if (m_pOldBitmap)
        m_dc.SelectObject(m_pOldBitmap);
}

bool CDibCanvas::Create(CDC* compatible, int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide ||
        static_cast<std::int64_t>(width) * height > kMaxDibPixels)
        return false;
    BITMAPINFO info{};
    info.bmiHeader = Header24(width, height);
    if (!m_dc.CreateCompatibleDC(compatible))
        return false;
    void* bits = nullptr;
    if (!m_section.Attach(CreateDIBSection(m_dc.GetSafeHdc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)) ||
        !bits)
        return false;
    m_pOldBitmap = m_dc.SelectObject(&m_section);
    m_bits = static_cast<BYTE*>(bits);
    m_width = width;
    m_height = height;
    return true;
}

CPictureInfo* CDibCanvas::ToPicture() const {
    if (!m_bits)
        return nullptr;
    GdiFlush();
    const size_t imageBytes = RowBytes(m_width) * static_cast<size_t>(m_height);
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + imageBytes);
    BITMAPINFOHEADER header = Header24(m_width, m_height);
    header.biSizeImage = static_cast<DWORD>(imageBytes);
    std::memcpy(dib.data(), &header, sizeof(header));
    std::memcpy(dib.data() + sizeof(header), m_bits, imageBytes);
    auto* picture = new CPictureInfo;
    if (!picture->SetExternalDib(dib.data(), dib.size())) {
        picture->Release();
        return nullptr;
    }
    return picture;
}
