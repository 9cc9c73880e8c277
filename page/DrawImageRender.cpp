// Drawing the picture object: fitted into its frame, inside its mat or shape, shifted and zoomed, and
// blended through its stencil over what the page already shows.
#include "image/PictureInfo.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/BlinkFrame.h"
#include "page/DrawImage.h"
#include "page/FrameGeometry.h"
#include "page/ScreenBlend.h"
#include "platform/base/DibLimits.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace {

constexpr COLORREF kPictureBackground = 0xFFFFFF;
constexpr COLORREF kStencilBackground = 0x000000;
constexpr int kFullTurn = 3600;
constexpr int kUnzoomed = 100;

std::int64_t Width64(const CRect& r) {
    return std::int64_t{r.right} - r.left;
}
std::int64_t Height64(const CRect& r) {
    return std::int64_t{r.bottom} - r.top;
}

bool FitsDib(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    const std::int64_t width = right - left;
    const std::int64_t height = bottom - top;
    return std::abs(width) <= kMaxDibSide && std::abs(height) <= kMaxDibSide &&
           std::abs(left) <= INT32_MAX / 2 && std::abs(top) <= INT32_MAX / 2 &&
           std::abs(right) <= INT32_MAX / 2 && std::abs(bottom) <= INT32_MAX / 2;
}

// The frame moved by the shift and grown about its centre by the zoom, in 64 bits; nothing when it
// leaves what a picture can be drawn into.
bool ZoomedFrame(const CRect& frame, const ADJUST& settings, CRect& zoomed) {
    const std::int64_t left = std::int64_t{frame.left} + settings.shiftX;
    const std::int64_t top = std::int64_t{frame.top} + settings.shiftY;
    const std::int64_t width = Width64(frame);
    const std::int64_t height = Height64(frame);
    const std::int64_t dx = width * (settings.zoom - kUnzoomed) / 200;
    const std::int64_t dy = height * (settings.zoom - kUnzoomed) / 200;
    const std::int64_t l = left - dx, t = top - dy, r = left + width + dx, b = top + height + dy;
    if (!FitsDib(l, t, r, b))
        return false;
    zoomed = CRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b));
    return true;
}

} // namespace

CRect CDrawImage::FitToPicture(CRect frame) const {
    return ::FitToPicture(frame, *GetAdjustedDib());
}

void CDrawImage::Draw(CDC* pDC, int dx, int dy, float scale) {
    CRect frame = ScaledPosition(0, 0, scale);
    frame.NormalizeRect();
    frame.OffsetRect(dx, dy);
    if (HasValidAdjusted() && IsStateFlagClear() && GetAdjustedDib()->GetWidth() > 0 &&
        GetAdjustedDib()->GetHeight() > 0)
        frame = FitToPicture(frame);

    const bool matLoaded = m_pMat && m_pMat->IsLoaded();
    CRect pictureRect = frame;
    if (matLoaded) {
        pictureRect = GetPictureRect(frame);
        if (HasValidAdjusted()) {
            m_pMat->GetMaskDib()->Draw(pDC, frame, SRCPAINT);
            m_pMat->GetImageDib()->Draw(pDC, frame, SRCAND);
        }
    }

    CRgn region;
    if (matLoaded) {
        if (m_pMat->GetFrameName() == "ellipse")
            region.CreateEllipticRgnIndirect(pictureRect);
        else
            region.CreateRectRgnIndirect(pictureRect);
    } else if (m_nShape == kShapeRectangle) {
        region.CreateRectRgnIndirect(pictureRect);
    } else if (m_nShape == kShapeRoundRectangle) {
        region.CreateRoundRectRgn(pictureRect.left, pictureRect.top, pictureRect.right, pictureRect.bottom,
                                  static_cast<int>(static_cast<float>(m_roundness.x) * scale),
                                  static_cast<int>(static_cast<float>(m_roundness.y) * scale));
    } else if (m_nShape == kShapeEllipse) {
        region.CreateEllipticRgnIndirect(pictureRect);
    }

    // The clip holds for this object only, so later objects on the context are not cut to its shape.
    const int saved = pDC->SaveDC();
    if (region.GetSafeHandle())
        pDC->SelectClipRgn(&region, RGN_AND);
    pictureRect.NormalizeRect();
    Render(pDC, pictureRect, scale, FALSE);
    pDC->RestoreDC(saved);
}

void CDrawImage::Render(CDC* pDC, CRect frame, float, BYTE) {
    CPictureInfo* adjusted = GetAdjustedDib();
    frame.NormalizeRect();
    if (!adjusted || Width64(frame) == 0 || Height64(frame) == 0 ||
        !FitsDib(frame.left, frame.top, frame.right, frame.bottom))
        return;
    if (m_pStencil && m_pStencil->IsLoaded()) {
        RenderThroughStencil(pDC, frame, false);
        return;
    }
    CRect zoomed;
    if (!ZoomedFrame(frame, *this, zoomed))
        return;
    const CPictureInfo* mask = GetRotatedDib();
    if (rotation % kFullTurn == 0 || !mask) {
        adjusted->Draw(pDC, zoomed, SRCCOPY);
        return;
    }
    mask->Draw(pDC, zoomed, SRCPAINT);
    adjusted->Draw(pDC, zoomed, SRCAND);
}

BOOL CDrawImage::RenderResampled(CDC* pDC, CRect frame, float, BYTE) {
    CPictureInfo* adjusted = GetAdjustedDib();
    if (!adjusted)
        return TRUE;
    frame.NormalizeRect();
    if (Width64(frame) == 0 || Height64(frame) == 0 ||
        !FitsDib(frame.left, frame.top, frame.right, frame.bottom))
        return FALSE;
    if (m_pStencil && m_pStencil->IsLoaded())
        return RenderThroughStencil(pDC, frame, true);
    CRect zoomed;
    if (!ZoomedFrame(frame, *this, zoomed))
        return FALSE;
    const CPictureInfo* mask = GetRotatedDib();
    if (rotation % kFullTurn == 0 || !mask)
        return adjusted->Resample(pDC, zoomed, SRCCOPY);
    mask->Resample(pDC, zoomed, SRCPAINT);
    return adjusted->Resample(pDC, zoomed, SRCAND);
}

BOOL CDrawImage::RenderThroughStencil(CDC* pDC, const CRect& frame, bool resampled) {
    if (Width64(frame) * Height64(frame) > kMaxDibPixels)
        return FALSE;
    const CRect area(0, 0, frame.Width(), frame.Height());
    const CPoint shift(shiftX, shiftY);
    const CPictureInfo* adjusted = GetAdjustedDib();
    const CPictureInfo* stencil = m_pStencil->GetBitmap();
    OwnedPicture picture(resampled ? adjusted->RenderZoomedResampled(area, shift, zoom, kPictureBackground)
                                   : adjusted->RenderZoomed(area, shift, zoom, kPictureBackground));
    OwnedPicture cut(
        resampled
            ? stencil->RenderZoomedMaskedResampled(area, shift, zoom, kStencilBackground, GetRotatedDib())
            : stencil->RenderZoomedMasked(area, shift, zoom, kStencilBackground, GetRotatedDib()));
    if (!picture || !cut || !picture->Is24Bit() || !cut->Is24Bit())
        return FALSE;
    const bool blended = BlendOverScreen(pDC, frame, *picture, *cut);
    cut.reset();
    if (!blended)
        return FALSE;
    if (resampled)
        return picture->Resample(pDC, frame, SRCCOPY);
    picture->Draw(pDC, frame, SRCCOPY);
    return TRUE;
}

CRect CDrawImage::GetPictureRect(CRect frame) const {
    return MatOpening(m_pMat, frame);
}

void CDrawImage::DrawBlinkFrame(CDC* pDC, const CRect& rect) {
    m_bBlink = m_bBlink ? FALSE : TRUE;
    DrawBlinkRectangle(pDC, rect, m_bBlink != FALSE);
}
