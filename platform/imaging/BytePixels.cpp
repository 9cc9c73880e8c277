#include "platform/imaging/BytePixels.h"

#include <cstring>

int BytesPerPixelOf(int bitsPerPixel) {
    return bitsPerPixel <= 8 ? 1 : bitsPerPixel / 8;
}

BytePixels ReadBytePixels(const DibLayout& dib) {
    BytePixels pixels(dib.width, dib.height, BytesPerPixelOf(dib.bitsPerPixel));
    for (int y = 0; y < dib.height; ++y) {
        const BYTE* in = dib.Row(y);
        BYTE* out = pixels.Row(y);
        switch (dib.bitsPerPixel) {
        case 1:
            for (int x = 0; x < dib.width; ++x)
                out[x] = (in[x >> 3] >> (7 - (x & 7))) & 1;
            break;
        case 4:
            for (int x = 0; x < dib.width; ++x)
                out[x] = (x & 1) ? in[x >> 1] & 0x0F : in[x >> 1] >> 4;
            break;
        default:
            std::memcpy(out, in, static_cast<std::size_t>(pixels.RowBytes()));
            break;
        }
    }
    // An index past the palette's end would address memory behind it: such pixels show entry 0.
    if (dib.bitsPerPixel <= 8)
        for (BYTE& index : pixels.bytes)
            if (index >= dib.paletteEntries)
                index = 0;
    return pixels;
}

std::vector<BYTE> WriteDib(const BytePixels& pixels, int bitsPerPixel, const std::vector<RGBQUAD>& palette) {
    std::vector<BYTE> dib = MakeDib(pixels.width, pixels.height, bitsPerPixel, palette);
    BYTE* rows = DibBottomRow(dib);
    const std::int64_t rowBytes = DibRowBytes(pixels.width, bitsPerPixel);
    for (int y = 0; y < pixels.height; ++y) {
        const BYTE* in = pixels.Row(y);
        BYTE* out = rows + rowBytes * y;
        switch (bitsPerPixel) {
        case 1:
            for (int x = 0; x < pixels.width; ++x)
                out[x >> 3] |= BYTE((in[x] & 1) << (7 - (x & 7)));
            break;
        case 4:
            for (int x = 0; x < pixels.width; ++x)
                out[x >> 1] |= BYTE((x & 1) ? in[x] & 0x0F : in[x] << 4);
            break;
        default:
            std::memcpy(out, in, static_cast<std::size_t>(pixels.RowBytes()));
            break;
        }
    }
    return dib;
}
