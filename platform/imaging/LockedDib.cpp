#include "platform/imaging/LockedDib.h"

#include "platform/imaging/DibLayout.h"

#include <cstring>

CLockedDib::CLockedDib(int width, int height) {
    const std::int64_t rowBytes = DibRowBytes(width, 24);
    const std::int64_t bytes = std::int64_t{sizeof(BITMAPINFOHEADER)} + rowBytes * height;
    m_block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bytes));
    m_header = static_cast<BITMAPINFOHEADER*>(GlobalLock(m_block));
    if (m_header == nullptr)
        return;
    *m_header = Dib24Header(width, height);
    const std::int64_t pixelBytes = std::int64_t{width} * 3;
    if (pixelBytes == rowBytes)
        return;
    BYTE* rows = reinterpret_cast<BYTE*>(m_header + 1);
    for (std::int64_t y = 0; y < height; ++y)
        std::memset(rows + rowBytes * y + pixelBytes, 0, static_cast<std::size_t>(rowBytes - pixelBytes));
}

CLockedDib::~CLockedDib() {
    if (m_header != nullptr)
        GlobalUnlock(m_block);
    if (m_block != nullptr)
        GlobalFree(m_block);
}

PixelRows CLockedDib::Rows() const {
    return {reinterpret_cast<BYTE*>(m_header + 1),
            static_cast<std::ptrdiff_t>(DibRowBytes(m_header->biWidth, 24)), m_header->biWidth,
            m_header->biHeight};
}

BITMAPINFOHEADER* CLockedDib::Release() {
    BITMAPINFOHEADER* header = m_header;
    m_header = nullptr;
    m_block = nullptr;
    return header;
}
