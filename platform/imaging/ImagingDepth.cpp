// CImagingBitmap::ConvertDepth and the depth changes the file side shares.
#include "platform/base/Parallel.h"
#include "platform/imaging/ColourDepth.h"
#include "platform/imaging/DepthConversion.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::int64_t kRowsPerThread = 64;

DibLayout LayoutOf(const CImagingBitmap& bitmap) {
    DibLayout layout;
    const std::vector<BYTE>& dib = bitmap.GetDib();
    ReadDibLayout(reinterpret_cast<const BITMAPINFOHEADER*>(dib.data()), dib.size(), layout);
    return layout;
}

std::vector<RGBQUAD> PaletteOf(const DibLayout& layout) {
    return {layout.palette, layout.palette + layout.paletteEntries};
}

// Blue-green-red plus the fourth byte: the transparency's alpha, or 0 as in every other 32-bit DIB of
// the library.
std::vector<BYTE> WithAlpha(const BytePixels& bgr, const std::vector<BYTE>& alpha) {
    BytePixels quads(bgr.width, bgr.height, 4);
    ParallelFor(bgr.height, kRowsPerThread, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            const BYTE* in = bgr.Row(int(y));
            BYTE* out = quads.Row(int(y));
            const BYTE* a = alpha.empty() ? nullptr : alpha.data() + y * bgr.width;
            for (int x = 0; x < bgr.width; ++x, in += 3, out += 4)
                out[0] = in[0], out[1] = in[1], out[2] = in[2], out[3] = a ? a[x] : 0;
        }
    });
    return WriteDib(quads, 32, {});
}

} // namespace

BytePixels BgrPixelsOf(const CImagingBitmap& bitmap) {
    const DibLayout layout = LayoutOf(bitmap);
    BytePixels pixels = ReadBytePixels(layout);
    if (layout.bitsPerPixel == 24)
        return pixels;
    return ExpandToBgr(pixels, layout.bitsPerPixel, PaletteOf(layout));
}

std::vector<BYTE> ConvertedDib(const CImagingBitmap& bitmap, int bitsPerPixel, int colours) {
    if (bitmap.IsEmpty() || !IsDibDepth(bitsPerPixel))
        return {};
    const DibLayout layout = LayoutOf(bitmap);
    const int source = layout.bitsPerPixel;
    if (source == bitsPerPixel && (source > 8 || layout.paletteEntries <= colours))
        return bitmap.GetDib();
    // Widening indexes keeps the palette and every pixel exactly.
    if (source <= 8 && bitsPerPixel <= 8 && source <= bitsPerPixel && layout.paletteEntries <= colours)
        return WriteDib(ReadBytePixels(layout), bitsPerPixel, PaletteOf(layout));

    const BytePixels bgr = BgrPixelsOf(bitmap);
    if (bitsPerPixel <= 8)
        return QuantizeFromBgr(bgr, bitsPerPixel, colours);
    if (bitsPerPixel == 32)
        return WithAlpha(bgr, bitmap.GetAlpha());
    return ReduceFromBgr(bgr, bitsPerPixel, nullptr);
}

std::vector<BYTE> ThresholdedDib(const CImagingBitmap& bitmap) {
    const DibLayout layout = LayoutOf(bitmap);
    if (layout.bitsPerPixel == 1)
        return bitmap.GetDib();
    const BytePixels bgr = BgrPixelsOf(bitmap);
    BytePixels bits(bgr.width, bgr.height, 1);
    ParallelFor(bgr.height, kRowsPerThread, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            const BYTE* in = bgr.Row(int(y));
            BYTE* out = bits.Row(int(y));
            for (int x = 0; x < bgr.width; ++x, in += 3)
                out[x] = Brightness(in[2], in[1], in[0]) >= 128 ? 1 : 0;
        }
    });
    return WriteDib(bits, 1, {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}});
}

bool CImagingBitmap::ConvertDepth(int bitsPerPixel) {
    if (IsEmpty() || !IsDibDepth(bitsPerPixel))
        return false;
    m_dib = ConvertedDib(*this, bitsPerPixel, 1 << std::min(bitsPerPixel, 8));
    return true;
}
