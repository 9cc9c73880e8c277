#include "image/ConversionSurface.h"
#include "image/DibMemory.h"
#include "image/PictureInfo.h"
#include "image/ZoomLayout.h"

#include <algorithm>
#include <memory>

namespace {

CSize SizeOf(const CPictureInfo& picture) {
    return {picture.GetWidth(), picture.GetHeight()};
}

} // namespace

BOOL CPictureInfo::CreateThumbnail(const CSize& size, COLORREF background, const CPictureInfo* source) {
    CConversionSurface surface(size.cx, size.cy);
    if (!surface.IsReady())
        return FALSE;
    surface.Fill(background);
    if (source && source->IsValid() && source->GetWidth() > 0 && source->GetHeight() > 0) {
        const double sw = source->GetWidth(), sh = source->GetHeight();
        const double f = std::min(size.cx / sw, size.cy / sh);
        const CRect dest(static_cast<int>((size.cx - sw * f) / 2), static_cast<int>((size.cy - sh * f) / 2),
                         static_cast<int>((size.cx + sw * f) / 2), static_cast<int>((size.cy + sh * f) / 2));
        source->DrawSmooth(&surface.Dc(), dest, SRCCOPY);
    }
    const std::unique_ptr<CPictureInfo> thumbnail(surface.TakePicture());
    const DWORD length = thumbnail->GetLength();
    Attach(thumbnail->Detach(), length);
    return TRUE;
}

CPictureInfo* CPictureInfo::RenderZoomed(const CRect& frame, const CPoint& shift, int zoom,
                                         COLORREF background) const {
    if (!IsValid())
        return nullptr;
    const int w = frame.Width(), h = frame.Height();
    CConversionSurface surface(w, h);
    if (!surface.IsReady())
        return nullptr;
    surface.Fill(background);
    zoom = RenderZoom(zoom);
    if (zoom > 0) {
        const ZoomLayout layout =
            ComputeZoomLayout({w, h}, SizeOf(*this), shift, zoom, SourceRounding::Nearest);
        if (!layout.dest.IsRectEmpty() && !layout.source.IsRectEmpty()) {
            StretchDib(&surface.Dc(), layout.dest, GetHeader(), layout.source.left, layout.sourceY,
                       layout.source.Width(), layout.source.Height(), SRCCOPY);
        }
    }
    return surface.TakePicture();
}

CPictureInfo* CPictureInfo::RenderZoomedOwnSize(const CPoint& shift, int zoom, COLORREF background) const {
    return RenderZoomed(CRect(0, 0, GetWidth(), GetHeight()), shift, zoom, background);
}

CPictureInfo* CPictureInfo::RenderZoomedMasked(const CRect& frame, const CPoint& shift, int zoom,
                                               COLORREF background, const CPictureInfo* photo) const {
    if (!IsValid())
        return nullptr;
    const int w = frame.Width(), h = frame.Height();
    zoom = RenderZoom(zoom);
    CConversionSurface surface(w, h);
    if (!surface.IsReady() || zoom <= 0)
        return nullptr;
    surface.Fill(background);
    const bool withPhoto = photo && photo->IsValid();
    // The destination does not depend on the picture; the source rectangle is the photo's.
    const ZoomLayout layout =
        ComputeZoomLayout({w, h}, SizeOf(withPhoto ? *photo : *this), shift, zoom, SourceRounding::Down);
    CDC& dc = surface.Dc();
    CRgn visible;
    visible.CreateRectRgnIndirect(&layout.dest);
    dc.SelectClipRgn(&visible);
    const CRect whole(0, 0, w, h);
    if (withPhoto) {
        if (!layout.dest.IsRectEmpty() && !layout.source.IsRectEmpty()) {
            StretchDib(&dc, layout.dest, photo->GetHeader(), layout.source.left, layout.sourceY,
                       layout.source.Width(), layout.source.Height(), SRCPAINT);
        }
        StretchWholeDib(&dc, whole, GetHeader(), SRCAND);
    } else {
        StretchWholeDib(&dc, whole, GetHeader(), SRCPAINT);
    }
    dc.SelectClipRgn(nullptr);
    return surface.TakePicture();
}
