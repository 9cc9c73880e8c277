// 32-bit DIB sections filled from top-down pixels with alpha; a device bitmap would drop the alpha.

#include "platform/gdi/AlphaBitmap.h"

#include <cstring>

BOOL CreateAlphaBitmap(CBitmap& bitmap, int width, int height, const BYTE* pixels) {
    if (width <= 0 || height <= 0 || !pixels)
        return FALSE;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, as the pixels come
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    if (!bitmap.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)) || !bits)
        return FALSE;
    std::memcpy(bits, pixels, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    return TRUE;
}
