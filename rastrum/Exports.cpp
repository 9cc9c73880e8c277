// The library's exports: plain C functions that never let an exception out.
#include "platform/imaging/BytePixels.h"
#include "platform/imaging/ColourDepth.h"
#include "platform/imaging/DibLayout.h"
#include "platform/imaging/LockedDib.h"
#include "rastrum/PageCurl.h"
#include "rastrum/RastrumExports.h"

#include <type_traits>
#include <utility>

#define RASTRUM_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The source's pixels as blue-green-red rows: 24-bit DIB rows are used where they lie, any other
// depth is expanded into storage first.
class BgrSource {
public:
    explicit BgrSource(const DibLayout& dib) {
        if (dib.bitsPerPixel == 24) {
            m_rows = {dib.bottomRow, dib.rowStep, dib.width, dib.height};
            return;
        }
        const std::vector<RGBQUAD> palette(dib.palette, dib.palette + dib.paletteEntries);
        m_expanded = ExpandToBgr(ReadBytePixels(dib), dib.bitsPerPixel, palette);
        m_rows = std::as_const(m_expanded).Rows();
    }

    const ConstPixelRows& Rows() const { return m_rows; }

private:
    BytePixels m_expanded;
    ConstPixelRows m_rows;
};

} // namespace

// The source DIB comes as a bare pointer: its header is all there is to tell its size.
RASTRUM_EXPORT BITMAPINFOHEADER* Resample(BITMAPINFOHEADER* source, DWORD width, DWORD height, bool) {
    try {
        DibLayout dib;
        if (!ReadDibLayout(source, 0, dib) || !IsDibSizeAllowed(width, height))
            return nullptr;
        const BgrSource pixels(dib);
        CLockedDib result(static_cast<int>(width), static_cast<int>(height));
        if (result.IsEmpty())
            return nullptr;
        ResamplePixels(pixels.Rows(), result.Rows(), 3, ResampleFilter::Lanczos3);
        return result.Release();
    } catch (...) {
        return nullptr;
    }
}

RASTRUM_EXPORT BITMAPINFOHEADER* PageCurl(BITMAPINFOHEADER* source, CurlSettings* settings) {
    try {
        DibLayout dib;
        if (settings == nullptr || !ReadDibLayout(source, 0, dib))
            return nullptr;
        const BgrSource pixels(dib);
        CLockedDib result(dib.width, dib.height);
        if (result.IsEmpty())
            return nullptr;
        DrawPageCurl(pixels.Rows(), result.Rows(), *settings);
        return result.Release();
    } catch (...) {
        return nullptr;
    }
}

static_assert(std::is_same_v<decltype(&Resample), ResampleFunction>);
static_assert(std::is_same_v<decltype(&PageCurl), PageCurlFunction>);
