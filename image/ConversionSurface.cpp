#include "image/ConversionSurface.h"

#include "image/DibGeometry.h"
#include "image/DibMemory.h"
#include "image/PictureInfo.h"

#include <cstring>

CConversionSurface::CConversionSurface(int width, int height) {
    if (!IsPictureSizeAllowed(width, height) || !m_dc.CreateCompatibleDC(nullptr))
        return;
    m_header = Dib24Header(width, height);
    BITMAPINFO info{};
    info.bmiHeader = m_header;
    void* bits = nullptr;
    m_section = CreateDIBSection(m_dc.m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_section)
        return;
    m_previous = SelectObject(m_dc.m_hDC, m_section);
    m_dc.SetStretchBltMode(COLORONCOLOR);
    m_bits = static_cast<BYTE*>(bits);
}

CConversionSurface::~CConversionSurface() {
    if (m_section) {
        SelectObject(m_dc.m_hDC, m_previous);
        DeleteObject(m_section);
    }
}

void CConversionSurface::Fill(COLORREF colour) {
    CBrush brush(colour);
    const CRect all(0, 0, m_header.biWidth, m_header.biHeight);
    m_dc.FillRect(&all, &brush);
}

CPictureInfo* CConversionSurface::TakePicture() const {
    if (!IsReady())
        return nullptr;
    GdiFlush();
    auto* picture = new CPictureInfo;
    BYTE* block = picture->Allocate(static_cast<DWORD>(sizeof m_header + m_header.biSizeImage));
    std::memcpy(block, &m_header, sizeof m_header);
    std::memcpy(block + sizeof m_header, m_bits, m_header.biSizeImage);
    return picture;
}

int StretchDib(CDC* dc, const CRect& dest, const BITMAPINFOHEADER* dib, int xSource, int ySource,
               int sourceWidth, int sourceHeight, DWORD rop) {
    return StretchDIBits(dc->m_hDC, dest.left, dest.top, dest.Width(), dest.Height(), xSource, ySource,
                         sourceWidth, sourceHeight, DibBitsPtr(dib), reinterpret_cast<const BITMAPINFO*>(dib),
                         DIB_RGB_COLORS, rop);
}

int StretchWholeDib(CDC* dc, const CRect& dest, const BITMAPINFOHEADER* dib, DWORD rop) {
    return StretchDib(dc, dest, dib, 0, 0, DibWidth(dib), DibHeight(dib), rop);
}
