// CImagingBitmap's colour questions: how many colours it uses, and red-eye correction.
#include "platform/imaging/DepthConversion.h"
#include "platform/imaging/ImagingBitmap.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <memory>

int CImagingBitmap::CountColorsUsed() const {
    if (IsEmpty())
        return 0;
    DibLayout layout;
    ReadDibLayout(&Header(), m_dib.size(), layout);
    // One bit for each of the 2^24 colours: 2 MB, and no sorting.
    auto seen = std::make_unique<std::bitset<1 << 24>>();
    int count = 0;
    auto see = [&](std::size_t key) {
        if (!seen->test(key))
            seen->set(key), ++count;
    };
    if (layout.bitsPerPixel <= 8) {
        // Each used entry counts once, and two entries of the same colour count once.
        std::bitset<256> used;
        for (BYTE index : ReadBytePixels(layout).bytes)
            used.set(index);
        for (int i = 0; i < layout.paletteEntries; ++i)
            if (used.test(std::size_t(i)))
                see(std::size_t(layout.palette[i].rgbRed) << 16 | layout.palette[i].rgbGreen << 8 |
                    layout.palette[i].rgbBlue);
        return count;
    }
    const int step = layout.bitsPerPixel / 8;
    for (int y = 0; y < layout.height; ++y) {
        const BYTE* p = layout.Row(y);
        for (int x = 0; x < layout.width; ++x, p += step)
            see(step == 2 ? std::size_t(p[0] | (p[1] & 0x7F) << 8)
                          : std::size_t(p[2]) << 16 | std::size_t(p[1]) << 8 | p[0]);
    }
    return count;
}

bool CImagingBitmap::CorrectRedEye(const RECT& rect, COLORREF eyeColour, int threshold) {
    const int bitsPerPixel = GetBitsPerPixel();
    if (IsEmpty() || (bitsPerPixel != 24 && bitsPerPixel != 32))
        return false;
    const int width = GetWidth(), height = GetHeight();
    const int left = std::max<LONG>(0, std::min(rect.left, rect.right));
    const int right = std::min<LONG>(width, std::max(rect.left, rect.right));
    const int top = std::max<LONG>(0, std::min(rect.top, rect.bottom));
    const int bottom = std::min<LONG>(height, std::max(rect.top, rect.bottom));
    if (left >= right || top >= bottom)
        return false;

    const int eyeRed = GetRValue(eyeColour), eyeGreen = GetGValue(eyeColour), eyeBlue = GetBValue(eyeColour);
    const int eyeBrightness = Brightness(eyeRed, eyeGreen, eyeBlue);
    const int step = bitsPerPixel / 8;
    const std::int64_t rowBytes = DibRowBytes(width, bitsPerPixel);
    BYTE* rows = DibBottomRow(m_dib);
    for (int y = top; y < bottom; ++y) {
        // The rectangle counts from the top; DIB rows from the bottom.
        BYTE* p = rows + rowBytes * (height - 1 - y) + std::int64_t{left} * step;
        for (int x = left; x < right; ++x, p += step) {
            const int blue = p[0], green = p[1], red = p[2];
            const int sum = red + green + blue;
            if (sum == 0 || 255 * red / sum <= threshold)
                continue;
            // The eye colour scaled to the pixel's brightness keeps its hue and saturation; a black
            // eye colour has no hue, and the pixel becomes grey.
            const int brightness = Brightness(red, green, blue);
            auto scaled = [&](int channel) {
                if (eyeBrightness == 0)
                    return BYTE(brightness);
                return BYTE(std::min(255, (channel * brightness + eyeBrightness / 2) / eyeBrightness));
            };
            p[0] = scaled(eyeBlue), p[1] = scaled(eyeGreen), p[2] = scaled(eyeRed);
        }
    }
    return true;
}
