// The print renderings that resample pictures to their exact device size through the Rastrum library,
// each with the plain stretching path for when the library is missing.
#include "image/ConversionSurface.h"
#include "image/DibGeometry.h"
#include "image/PictureInfo.h"
#include "image/RastrumResample.h"
#include "image/ZoomLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// The picture as the library's source: itself when it is 24-bit, else a 24-bit copy that lives as long
// as this. Null when the copy cannot be made.
class TrueColourSource {
public:
    explicit TrueColourSource(const CPictureInfo& picture) {
        if (picture.Is24Bit()) {
            m_dib = picture.GetHeader();
            return;
        }
        m_copy.reset(picture.CopyTo24Bit());
        m_dib = m_copy ? m_copy->GetHeader() : nullptr;
    }

    const BITMAPINFOHEADER* Get() const { return m_dib; }

private:
    std::unique_ptr<CPictureInfo> m_copy;
    const BITMAPINFOHEADER* m_dib = nullptr;
};

// The source rectangle of a 24-bit DIB (left and width in pixels, y and height in rows from the bottom)
// as a DIB of its own, its rows padded to 4 bytes like every DIB's. The rectangle is clamped to the DIB.
std::vector<BYTE> CutOut(const BITMAPINFOHEADER* dib, int left, int y, int width, int height) {
    const int x0 = std::clamp(left, 0, dib->biWidth), x1 = std::clamp(left + width, x0, dib->biWidth);
    const int y0 = std::clamp(y, 0, dib->biHeight), y1 = std::clamp(y + height, y0, dib->biHeight);
    const std::int64_t rowBytes = DibRowBytes(x1 - x0, 24);
    std::vector<BYTE> cut(sizeof(BITMAPINFOHEADER) + static_cast<std::size_t>(rowBytes * (y1 - y0)));
    const BITMAPINFOHEADER header = Dib24Header(x1 - x0, y1 - y0);
    std::memcpy(cut.data(), &header, sizeof header);
    const BYTE* bits = reinterpret_cast<const BYTE*>(dib) + sizeof(BITMAPINFOHEADER);
    const std::int64_t sourceRowBytes = DibRowBytes(dib->biWidth, 24);
    for (int row = y0; row < y1; ++row)
        std::memcpy(cut.data() + sizeof header + rowBytes * (row - y0), bits + sourceRowBytes * row + x0 * 3,
                    static_cast<std::size_t>(x1 - x0) * 3);
    return cut;
}

const BITMAPINFOHEADER* HeaderOf(const std::vector<BYTE>& dib) {
    return reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
}

// The cut-out of the layout's source rectangle, resampled to the layout's destination size.
CResampledDib ResampleCutOut(const RastrumLink& link, const BITMAPINFOHEADER* dib, const ZoomLayout& layout) {
    const std::vector<BYTE> cut =
        CutOut(dib, layout.source.left, layout.sourceY, layout.source.Width(), layout.source.Height());
    return ResampleThrough(link, HeaderOf(cut), layout.dest.Width(), layout.dest.Height());
}

CSize SizeOf(const CPictureInfo& picture) {
    return {picture.GetWidth(), picture.GetHeight()};
}

} // namespace

BOOL CPictureInfo::Resample(CDC* dc, const CRect& dest, DWORD rop) const {
    if (dest.Width() == 0 || dest.Height() == 0)
        return FALSE;
    const RastrumLink link = FindRastrumResample();
    if (!link.libraryLoaded) {
        if (!dc || !IsValid())
            return FALSE;
        CStretchModeScope mode(dc, COLORONCOLOR);
        return StretchWholeDib(dc, dest, GetHeader(), rop) != GDI_ERROR;
    }
    if (!link.resample || !dc || !IsValid())
        return FALSE;
    const TrueColourSource source(*this);
    if (!source.Get())
        return FALSE;
    CResampledDib resampled;
    if (source.Get()->biWidth != dest.Width() || source.Get()->biHeight != dest.Height()) {
        resampled = ResampleThrough(link, source.Get(), dest.Width(), dest.Height());
        if (!resampled)
            return FALSE;
    }
    CStretchModeScope mode(dc, COLORONCOLOR);
    return DrawBanded(dc, dest, resampled ? resampled.Get() : source.Get(), rop, FALSE) != 0;
}

void CPictureInfo::DrawResampled(CDC* dc, const CRect& dest, DWORD rop) const {
    if (!dc || dest.Width() == 0 || dest.Height() == 0 || !IsValid())
        return;
    const RastrumLink link = FindRastrumResample();
    CResampledDib resampled;
    if (link.resample) {
        const TrueColourSource source(*this);
        if (source.Get())
            resampled = ResampleThrough(link, source.Get(), dest.Width(), dest.Height());
    }
    CStretchModeScope mode(dc, COLORONCOLOR);
    DrawBanded(dc, dest, resampled ? resampled.Get() : GetHeader(), rop, FALSE);
}

CPictureInfo* CPictureInfo::ResampledCopy(const CSize& size, int mode) const {
    if (!IsValid() || size.cx <= 0 || size.cy <= 0)
        return nullptr;
    const RastrumLink link = FindRastrumResample();
    if (mode == 0 || !link.resample)
        return ScaleTo24Bit(size.cx, size.cy);
    const TrueColourSource source(*this);
    const CResampledDib resampled =
        source.Get() ? ResampleThrough(link, source.Get(), size.cx, size.cy) : CResampledDib();
    if (!resampled)
        return nullptr;
    const std::int64_t length = sizeof(BITMAPINFOHEADER) + DibRowBytes(size.cx, 24) * size.cy;
    auto copy = std::make_unique<CPictureInfo>();
    if (!copy->SetExternalDib(resampled.Get(), static_cast<std::size_t>(length)))
        return nullptr;
    return copy.release();
}

CPictureInfo* CPictureInfo::RenderZoomedResampled(const CRect& frame, const CPoint& shift, int zoom,
                                                  COLORREF background) const {
    const int w = frame.Width(), h = frame.Height();
    if (w <= 0 || h <= 0 || !IsValid())
        return nullptr;
    CConversionSurface surface(w, h);
    if (!surface.IsReady())
        return nullptr;
    surface.Fill(background);
    zoom = RenderZoom(zoom);
    if (zoom <= 0)
        return surface.TakePicture();
    const ZoomLayout layout = ComputeZoomLayout({w, h}, SizeOf(*this), shift, zoom, SourceRounding::Nearest);
    if (layout.dest.IsRectEmpty())
        return nullptr;
    // A source too small to cover a pixel shows nothing, as on the screen.
    if (layout.source.IsRectEmpty())
        return surface.TakePicture();

    const RastrumLink link = FindRastrumResample();
    if (!link.libraryLoaded) {
        StretchDib(&surface.Dc(), layout.dest, GetHeader(), layout.source.left, layout.sourceY,
                   layout.source.Width(), layout.source.Height(), SRCCOPY);
        return surface.TakePicture();
    }
    if (!link.resample)
        return surface.TakePicture();
    const TrueColourSource source(*this);
    if (!source.Get())
        return nullptr;
    const CResampledDib resampled = ResampleCutOut(link, source.Get(), layout);
    if (!resampled)
        return nullptr;
    DrawBanded(&surface.Dc(), layout.dest, resampled.Get(), SRCCOPY, FALSE);
    return surface.TakePicture();
}

CPictureInfo* CPictureInfo::RenderZoomedMaskedResampled(const CRect& frame, const CPoint& shift, int zoom,
                                                        COLORREF background,
                                                        const CPictureInfo* photo) const {
    const int w = frame.Width(), h = frame.Height();
    if (w <= 0 || h <= 0 || !IsValid())
        return nullptr;
    zoom = RenderZoom(zoom);
    CConversionSurface surface(w, h);
    if (!surface.IsReady() || zoom <= 0)
        return nullptr;
    surface.Fill(background);
    const bool withPhoto = photo && photo->IsValid();
    const ZoomLayout layout =
        ComputeZoomLayout({w, h}, SizeOf(withPhoto ? *photo : *this), shift, zoom, SourceRounding::Down);
    if (layout.dest.IsRectEmpty())
        return nullptr;

    CDC& dc = surface.Dc();
    CRgn visible;
    visible.CreateRectRgnIndirect(&layout.dest);
    dc.SelectClipRgn(&visible);
    const CRect whole(0, 0, w, h);
    const RastrumLink link = FindRastrumResample();
    bool drawn = true;
    if (withPhoto) {
        const TrueColourSource source(*photo);
        if (!source.Get()) {
            drawn = false;
        } else if (!link.libraryLoaded) {
            if (!layout.source.IsRectEmpty())
                StretchDib(&dc, layout.dest, source.Get(), layout.source.left, layout.sourceY,
                           layout.source.Width(), layout.source.Height(), SRCPAINT);
            DrawBanded(&dc, whole, GetHeader(), SRCAND, FALSE);
        } else if (link.resample) {
            const CResampledDib photoPart =
                layout.source.IsRectEmpty() ? CResampledDib() : ResampleCutOut(link, source.Get(), layout);
            const CResampledDib mask = ResampleThrough(link, GetHeader(), w, h);
            drawn = (photoPart || layout.source.IsRectEmpty()) && mask;
            if (drawn) {
                if (photoPart)
                    DrawBanded(&dc, layout.dest, photoPart.Get(), SRCPAINT, FALSE);
                DrawBanded(&dc, whole, mask.Get(), SRCAND, FALSE);
            }
        }
    } else if (link.resample) {
        const CResampledDib mask = ResampleThrough(link, GetHeader(), w, h);
        drawn = static_cast<bool>(mask);
        if (drawn)
            DrawBanded(&dc, whole, mask.Get(), SRCPAINT, FALSE);
    } else {
        DrawBanded(&dc, whole, GetHeader(), SRCPAINT, FALSE);
    }
    dc.SelectClipRgn(nullptr);
    return drawn ? surface.TakePicture() : nullptr;
}
