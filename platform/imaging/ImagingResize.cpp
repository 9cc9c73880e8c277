// CImagingBitmap::Resize: the resize modes over the resampling kernel.
#include "platform/imaging/BytePixels.h"
#include "platform/imaging/ColourDepth.h"
#include "platform/imaging/ImagingBitmap.h"

namespace {

ResampleFilter FilterOfMode(int mode) {
    switch (mode) {
    case kResizeResample:
        return ResampleFilter::Area;
    case kResizeBicubic:
        return ResampleFilter::Bicubic;
    default:
        return ResampleFilter::Nearest;
    }
}

} // namespace

bool CImagingBitmap::Resize(int width, int height, int mode) {
    if (IsEmpty() || !IsDibSizeAllowed(width, height))
        return false;
    DibLayout layout;
    ReadDibLayout(&Header(), m_dib.size(), layout);
    const int bitsPerPixel = layout.bitsPerPixel;
    const std::vector<RGBQUAD> palette = Palette();
    const ResampleFilter filter = FilterOfMode(mode);
    m_alpha.clear();

    // Nearest-neighbour sampling and true colour need no colour work: pixels are scaled as they are
    // stored. Smooth scaling of palette indexes or 5-5-5 words goes through blue-green-red.
    if (filter == ResampleFilter::Nearest || bitsPerPixel >= 24) {
        const BytePixels pixels = ReadBytePixels(layout);
        BytePixels scaled(width, height, pixels.bytesPerPixel);
        ResamplePixels(pixels.Rows(), scaled.Rows(), pixels.bytesPerPixel, filter);
        m_dib = WriteDib(scaled, bitsPerPixel, palette);
        return true;
    }
    const BytePixels bgr = ExpandToBgr(ReadBytePixels(layout), bitsPerPixel, palette);
    BytePixels scaled(width, height, 3);
    ResamplePixels(bgr.Rows(), scaled.Rows(), 3, filter);
    m_dib = ReduceFromBgr(scaled, bitsPerPixel, bitsPerPixel <= 8 ? &palette : nullptr);
    return true;
}
