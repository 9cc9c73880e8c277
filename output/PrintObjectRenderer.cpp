#include "output/PrintObjectRenderer.h"

#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "output/PrintGeometry.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/ScreenBlend.h"
#include "page/Template.h"
#include "platform/gdi/Dc.h"

#include <algorithm>

namespace {

constexpr int kFullTurn = 3600;
constexpr COLORREF kWhite = RGB(255, 255, 255);

float DibScale(int dibWidth, int dibHeight, CSize page) {
    return std::min(static_cast<float>(dibWidth) / static_cast<float>(page.cx),
                    static_cast<float>(dibHeight) / static_cast<float>(page.cy));
}

CRect Scaled(const CRect& rect, float s) {
    const auto at = [s](LONG v) { return static_cast<LONG>(static_cast<float>(v) * s); };
    CRect scaled(at(rect.left), at(rect.top), at(rect.right), at(rect.bottom));
    scaled.NormalizeRect();
    return scaled;
}

// The object's position in picture pixels, grown by the job's scale first.
CRect ObjectRect(CRect position, int scale, float s) {
    if (scale != 0)
        position = InflateForScale(position, scale);
    return Scaled(position, s);
}

bool IsLoaded(const CMat* mat) {
    return mat && mat->IsLoaded();
}

void DrawMat(CDC* dc, const CMat& mat, const CRect& rect) {
    if (const CPictureInfo* mask = mat.GetMaskDib())
        mask->DrawResampled(dc, rect, SRCPAINT);
    if (const CPictureInfo* frame = mat.GetImageDib())
        frame->DrawResampled(dc, rect, SRCAND);
}

// The clip shape of a picture: in edit mode a loaded mat decides alone; in normal mode it only turns a
// rectangle or rounded rectangle into an ellipse. False for a shape that clips to the page only.
bool MakeShape(CRgn& shape, int kind, CPoint roundness, const CMat* mat, bool editMode, const CRect& rect) {
    const bool oval = IsLoaded(mat) && mat->GetFrameName() == "ellipse";
    if (oval)
        return shape.CreateEllipticRgnIndirect(&rect) != FALSE;
    if (IsLoaded(mat) && editMode)
        return shape.CreateRectRgnIndirect(&rect) != FALSE;
    switch (kind) {
    case kShapeRectangle:
        return shape.CreateRectRgnIndirect(&rect) != FALSE;
    case kShapeRoundRectangle:
        return shape.CreateRoundRectRgn(rect.left, rect.top, rect.right, rect.bottom, roundness.x,
                                        roundness.y) != FALSE;
    case kShapeEllipse:
        return shape.CreateEllipticRgnIndirect(&rect) != FALSE;
    default:
        return false;
    }
}

// Clips the context to the page and the shape until it goes.
class ShapeClip {
public:
    ShapeClip(CDC* dc, CRgn& page, CRgn* shape) : m_dc(dc) {
        dc->SelectClipRgn(&page, RGN_COPY);
        if (shape)
            dc->SelectClipRgn(shape, RGN_AND);
    }
    ~ShapeClip() { m_dc->SelectClipRgn(nullptr, RGN_COPY); }
    ShapeClip(const ShapeClip&) = delete;
    ShapeClip& operator=(const ShapeClip&) = delete;

private:
    CDC* m_dc;
};

// The picture's shift taken from the canvas's size to the print picture's; put back when it goes.
class PrintShift {
public:
    PrintShift(ADJUST& settings, const CRect& picture, const CRect& preview)
        : m_settings(settings), m_x(settings.shiftX), m_y(settings.shiftY) {
        settings.shiftX = static_cast<int>(static_cast<long long>(m_x) * picture.Width() / preview.Width());
        settings.shiftY = static_cast<int>(static_cast<long long>(m_y) * picture.Height() / preview.Height());
    }
    ~PrintShift() {
        m_settings.shiftX = m_x;
        m_settings.shiftY = m_y;
    }
    PrintShift(const PrintShift&) = delete;
    PrintShift& operator=(const PrintShift&) = delete;

private:
    ADJUST& m_settings;
    int m_x, m_y;
};

float CanvasScale(const PrintPageSources& sources, CSize page) {
    return std::min(static_cast<float>(sources.canvasClient.cx) / static_cast<float>(page.cx),
                    static_cast<float>(sources.canvasClient.cy) / static_cast<float>(page.cy));
}

void BeginProgress(IPrintProgress* progress, int count, UINT text) {
    if (progress)
        progress->Begin(count, text);
}

void StepProgress(IPrintProgress* progress) {
    if (progress)
        progress->Step();
}

// One edit-mode picture; false when it fails the page.
bool RenderPicture(CDC* dc, CDrawImage& image, CRgn& pageRegion, int scale, float s, float t,
                   IPrintProgress* progress) {
    const CPictureInfo* adjusted = image.GetAdjustedDib();
    const bool fit = image.HasValidAdjusted() && image.IsStateFlagClear();
    CRect rect = ObjectRect(image.GetPosition(), scale, s);
    if (fit) {
        if (adjusted->GetWidth() == 0 || adjusted->GetHeight() == 0)
            return false;
        rect = FitPicture(rect, adjusted->GetWidth(), adjusted->GetHeight());
    }
    const CRect pictureRect = image.GetPictureRect(rect);
    CMat* mat = image.GetMat();
    if (IsLoaded(mat))
        DrawMat(dc, *mat, rect);
    const CPoint roundness = image.GetRoundness();
    CRgn shape;
    const bool shaped = MakeShape(shape, image.GetShape(),
                                  CPoint(static_cast<int>(static_cast<float>(roundness.x) * s),
                                         static_cast<int>(static_cast<float>(roundness.y) * s)),
                                  mat, true, pictureRect);
    const ShapeClip clip(dc, pageRegion, shaped ? &shape : nullptr);
    CRect preview = Scaled(image.GetPosition(), t);
    if (fit)
        preview = FitPicture(preview, adjusted->GetWidth(), adjusted->GetHeight());
    preview = image.GetPictureRect(preview);
    if (preview.Width() == 0 || preview.Height() == 0)
        return true;
    bool rendered = false;
    {
        const PrintShift shift(image, pictureRect, preview);
        rendered = image.RenderResampled(dc, pictureRect, s, FALSE) != FALSE;
    }
    if (rendered)
        StepProgress(progress);
    return rendered;
}

// The normal-mode picture through the stencil: the page under it stays where the stencil is dark.
void RenderThroughStencil(CDC* dc, const CWorkBitmap& picture, const CStencil& stencil, const CRect& rect) {
    const CRect frame(0, 0, rect.Width(), rect.Height());
    const CPoint shift(picture.shiftX, picture.shiftY);
    OwnedPicture rendered(
        picture.GetAdjustedDib()->RenderZoomedResampled(frame, shift, picture.zoom, kWhite));
    OwnedPicture cut(stencil.GetBitmap()->RenderZoomedMaskedResampled(frame, shift, picture.zoom,
                                                                      RGB(0, 0, 0), picture.GetRotatedDib()));
    if (!rendered || !cut || !BlendOverScreen(dc, rect, *rendered, *cut))
        return;
    cut.reset();
    rendered->Draw(dc, rect, SRCCOPY);
}

void RenderNormalFrame(CDC* dc, CWorkBitmap& picture, const CDrawRect& frame, CRgn& pageRegion,
                       const PrintPageSources& sources, int scale, float s, float t) {
    const CPictureInfo* adjusted = picture.GetAdjustedDib();
    CRect rect = ObjectRect(frame.GetPosition(), scale, s);
    if (!sources.fillFlag)
        rect = FitPicture(rect, adjusted->GetWidth(), adjusted->GetHeight());
    const bool matLoaded = IsLoaded(sources.mat) && sources.matPictureRect;
    const CRect pictureRect = matLoaded ? sources.matPictureRect(rect) : rect;
    if (matLoaded)
        DrawMat(dc, *sources.mat, rect);
    CRect preview = Scaled(frame.GetPosition(), t);
    if (matLoaded)
        preview = sources.matPictureRect(preview);
    preview.right = preview.left + std::max(1, preview.Width());
    preview.bottom = preview.top + std::max(1, preview.Height());

    const PrintShift shift(picture, pictureRect, preview);
    const int dx =
        static_cast<int>(static_cast<long long>(picture.zoom - 100) * pictureRect.Width() / preview.Width());
    const int dy = static_cast<int>(static_cast<long long>(picture.zoom - 100) * pictureRect.Height() /
                                    preview.Height());
    const CPoint roundness = frame.GetRoundness();
    CRgn shape;
    const bool shaped = MakeShape(shape, frame.GetShape(),
                                  CPoint(static_cast<int>(static_cast<float>(roundness.x) * s),
                                         static_cast<int>(static_cast<float>(roundness.y) * s)),
                                  matLoaded ? sources.mat : nullptr, false, pictureRect);
    const ShapeClip clip(dc, pageRegion, shaped ? &shape : nullptr);
    if (sources.stencil && sources.stencil->IsLoaded() && sources.stencil->GetBitmap()) {
        RenderThroughStencil(dc, picture, *sources.stencil, pictureRect);
        return;
    }
    CRect target = pictureRect;
    target.NormalizeRect();
    target.OffsetRect(picture.shiftX, picture.shiftY);
    target.InflateRect(dx, dy);
    const CPictureInfo* mask = picture.GetRotatedDib();
    if (picture.rotation % kFullTurn == 0 || !mask) {
        adjusted->Resample(dc, target, SRCCOPY);
        return;
    }
    mask->Resample(dc, target, SRCPAINT);
    adjusted->Resample(dc, target, SRCAND);
}

} // namespace

BOOL RenderTemplateObjects(CDC* dc, int dibWidth, int dibHeight, int scale, const PrintPageSources& sources,
                           IPrintProgress* progress) {
    CTemplate* page = sources.page;
    if (!page)
        return FALSE;
    const CSize pageSize = PrintPageSize(page->GetPageSize(), page->GetOrientation());
    if (pageSize.cx == 0 || pageSize.cy == 0)
        return FALSE;
    const float s = DibScale(dibWidth, dibHeight, pageSize);
    const float t = CanvasScale(sources, pageSize);
    const CRect pageRect(0, 0, dibWidth, dibHeight);
    dc->FillSolidRect(&pageRect, kWhite);
    CRgn pageRegion;
    pageRegion.CreateRectRgnIndirect(&pageRect);
    BeginProgress(progress, page->GetObjectCount(), kPrintPaintingText);
    BOOL result = TRUE;
    for (int index = 0; index < page->GetObjectCount() && result; ++index) {
        CDrawObj* object = page->GetObjectAt(index);
        if (!object)
            continue;
        if (CDrawObj::IsDrawText(object)) {
            auto* text = static_cast<CDrawText*>(object);
            text->FitPrintFontHeight(dc, s);
            text->Draw(dc, 0, 0, s);
        } else if (CDrawObj::IsDrawClipart(object)) {
            object->Draw(dc, 0, 0, s);
        } else if (CDrawObj::IsDrawImage(object)) {
            auto* image = static_cast<CDrawImage*>(object);
            if (image->GetAdjustedDib() && !RenderPicture(dc, *image, pageRegion, scale, s, t, progress))
                result = FALSE;
        }
    }
    BeginProgress(progress, 0, 0);
    return result;
}

BOOL RenderNormalPage(CDC* dc, int dibWidth, int dibHeight, int scale, const PrintPageSources& sources,
                      IPrintProgress* progress) {
    CTemplate* page = sources.page;
    BeginProgress(progress, page ? page->GetObjectCount() : 0, kPrintPaintingText);
    const CRect pageRect(0, 0, dibWidth, dibHeight);
    dc->FillSolidRect(&pageRect, kWhite);
    if (!page)
        return FALSE;
    const CSize pageSize = PrintPageSize(page->GetPageSize(), page->GetOrientation());
    if (pageSize.cx == 0 || pageSize.cy == 0)
        return FALSE;
    CWorkBitmap* picture = sources.picture;
    if (!picture || !picture->GetAdjustedDib())
        return TRUE;
    const CPictureInfo* adjusted = picture->GetAdjustedDib();
    if (adjusted->GetWidth() == 0 || adjusted->GetHeight() == 0)
        return FALSE;
    const float s = DibScale(dibWidth, dibHeight, pageSize);
    const float t = CanvasScale(sources, pageSize);
    CRgn pageRegion;
    pageRegion.CreateRectRgnIndirect(&pageRect);
    for (int index = 0; index < page->GetObjectCount(); ++index) {
        const auto* frame = dynamic_cast<const CDrawRect*>(page->GetObjectAt(index));
        if (frame && frame->GetShape() >= kShapeRectangle && frame->GetShape() <= kShapeEllipse)
            RenderNormalFrame(dc, *picture, *frame, pageRegion, sources, scale, s, t);
        StepProgress(progress);
    }
    return TRUE;
}
