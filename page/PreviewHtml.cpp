// HTML export of the page: one picture of the whole page, or every object as an image file beside the
// page at its place (text, clipart and mats as GIF files with a transparent background, pictures as
// JPEG files). The HTML file is written atomically, so a failed export leaves no half page.

#include "image/ColorCube.h"
#include "image/DibRows.h"
#include "image/ExtMgr.h"
#include "image/ImageGIF.h"
#include "image/PictureInfo.h"
#include "library/Mat.h"
#include "page/DibCanvas.h"
#include "page/DrawImage.h"
#include "page/FrameGeometry.h"
#include "page/HtmlText.h"
#include "page/PreviewWnd.h"
#include "page/TempBitmap.h"
#include "platform/base/AppServices.h"
#include "platform/base/Arrays.h"
#include "platform/base/AtomicFileWriter.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Region.h"
#include "platform/ui/WaitCursor.h"

#include <cstdlib>
#include <memory>

namespace {

// "The HTML file cannot be created."
constexpr UINT kStringHtmlNotCreated = 155;
constexpr UINT kStringTempBitmapFailed = 165;
constexpr int kSingleWidth = 420;
constexpr int kSingleHeight = 594;
constexpr int kSaveBitsPerPixel = 0;
constexpr int kSaveQuality = 2;
// The largest sum of channel differences; the nearest entry must come below it.
constexpr int kWorstDistance = 765;

const char kHead[] = "<HTML><HEAD><TITLE>Name</TITLE></HEAD>";

CString Div(int top, int left, const CString& path) {
    CString div;
    div.Format("<div style=\"position: absolute; top:%d; left:%d;\">\r\n<img src=\"%s\">\r\n</div>", top,
               left, PercentEncoded(FileNameOf(path)).GetString());
    return div;
}

CString Numbered(const CString& base, int number, const char* extension) {
    CString name;
    name.Format("%s%d.%s", base.GetString(), number, extension);
    return name;
}

CRect Scaled(const CRect& rect, float scale) {
    CRect scaled(ScaleCoordinate(rect.left, scale, 0), ScaleCoordinate(rect.top, scale, 0),
                 ScaleCoordinate(rect.right, scale, 0), ScaleCoordinate(rect.bottom, scale, 0));
    scaled.NormalizeRect();
    return scaled;
}

// The index of the cube entry nearest to the colour by the sum of channel differences.
int NearestCubeEntry(const RGBQUAD* table, COLORREF colour) {
    int best = kWorstDistance;
    int index = 0;
    for (int i = 0; i < kColorCube.Count(); ++i) {
        const int distance = std::abs(table[i].rgbRed - GetRValue(colour)) +
                             std::abs(table[i].rgbGreen - GetGValue(colour)) +
                             std::abs(table[i].rgbBlue - GetBValue(colour));
        if (distance < best) {
            best = distance;
            index = i;
        }
    }
    return index;
}

// The canvas reduced to the colour cube, transparent where the background's entry lies.
bool WriteGif(const CDibCanvas& canvas, const CString& path, COLORREF background) {
    CImageGIF gif;
    if (!gif.Create(canvas.Width(), canvas.Height(), 8, -1))
        return false;
    GdiFlush();
    const CDibRows source(canvas.Bits(), canvas.Width(), canvas.Height(), 24);
    const CDibRows target(gif.GetBits(), canvas.Width(), canvas.Height(), 8);
    DiffuseToColorCube(source, target, canvas.Height(), kColorCube);
    RGBQUAD table[256] = {};
    BuildColorCubePalette(table, kColorCube.red, kColorCube.green, kColorCube.blue);
    gif.SetPaletteFromQuads(256, table);
    gif.SetWriteTransparentIndex(NearestCubeEntry(table, background));
    return gif.Write(path);
}

bool Commit(CAtomicFileWriter& html, const CString& text) {
    if (html.Write(text.GetString(), static_cast<SIZE_T>(text.GetLength())) && html.Commit())
        return true;
    html.Abort();
    return false;
}

} // namespace

BOOL CPreviewWnd::ExportHtmlImage(const CString& path, CStringArray& files) {
    CExtMgr* codecs = GetExtMgr();
    if (!CurrentPage() || !codecs)
        return FALSE;
    CWaitCursor wait;
    CAtomicFileWriter html;
    if (!html.Open(path)) {
        AppServices().MessageBox(kStringHtmlNotCreated);
        return FALSE;
    }
    const CString jpeg = PathWithoutExtension(path) + ".jpg";
    OwnedPicture picture(RenderPageAt(kSingleWidth, kSingleHeight));
    if (!picture) {
        AppServices().MessageBox(kStringTempBitmapFailed);
        return FALSE;
    }
    const OwnedPicture reloaded = ThroughTempBitmap(*picture, *codecs);
    if (!reloaded)
        return FALSE;
    if (codecs->SaveFile(reloaded.get(), jpeg, kSaveBitsPerPixel, kSaveQuality) != 1)
        return FALSE;
    files.Add(jpeg);
    CString text = kHead;
    text += "<BODY><IMG SRC=\"" + PercentEncoded(FileNameOf(jpeg)) + "\" ></BODY></HTML>";
    return Commit(html, text);
}

BOOL CPreviewWnd::ExportHtml(const CString& path, CStringArray& files, int width, COLORREF background) {
    CTemplate* page = CurrentPage();
    if (!page || page->GetPageSize().cx <= 0 || !m_pMemoryDC)
        return FALSE;
    CWaitCursor wait;
    CAtomicFileWriter html;
    if (!html.Open(path)) {
        AppServices().MessageBox(kStringHtmlNotCreated);
        return FALSE;
    }
    CString text = kHead;
    CString body;
    body.Format("<BODY BGCOLOR=#%02X%02X%02X>", GetRValue(background), GetGValue(background),
                GetBValue(background));
    text += body;
    const float scale = static_cast<float>(width) / static_cast<float>(page->GetPageSize().cx);
    const CString base = PathWithoutExtension(path);
    int counter = 1;
    for (POSITION pos = page->GetObjectList().GetHeadPosition(); pos;) {
        CDrawObj* object = page->GetObjectList().GetNext(pos);
        if (CDrawObj::IsTextOrClipart(object)) {
            const CString gif = Numbered(base, counter++, "gif");
            if (!ExportObjectGif(object, gif, scale, background)) {
                html.Abort();
                return FALSE;
            }
            files.Add(gif);
            const CRect at = Scaled(object->GetPosition(), scale);
            text += Div(at.top, at.left, gif);
        } else if (CDrawObj::IsDrawImage(object)) {
            if (!ExportPicture(static_cast<CDrawImage*>(object), base, counter, files, text, scale,
                               background)) {
                html.Abort();
                return FALSE;
            }
        }
    }
    text += "</A></BODY></HTML>";
    return Commit(html, text);
}

bool CPreviewWnd::ExportObjectGif(CDrawObj* object, const CString& path, float scale, COLORREF background) {
    const CRect at = Scaled(object->GetPosition(), scale);
    CDibCanvas canvas;
    if (!canvas.Create(m_pMemoryDC.get(), at.Width(), at.Height()))
        return false;
    canvas.Dc()->FillSolidRect(0, 0, at.Width(), at.Height(), background);
    object->Draw(canvas.Dc(), -at.left, -at.top, scale);
    return WriteGif(canvas, path, background);
}

// The picture as a JPEG file in its opening; its mat, when it has one, as a GIF file laid over it.
bool CPreviewWnd::ExportPicture(CDrawImage* picture, const CString& base, int& counter, CStringArray& files,
                                CString& html, float scale, COLORREF background) {
    CExtMgr* codecs = GetExtMgr();
    if (!codecs)
        return false;
    CRect frame = Scaled(picture->GetPosition(), scale);
    const CPictureInfo* adjusted = picture->GetAdjustedDib();
    if (picture->HasValidAdjusted() && picture->IsStateFlagClear() && adjusted->GetWidth() > 0 &&
        adjusted->GetHeight() > 0)
        frame = FitToPicture(frame, *adjusted);
    const CMat* mat = picture->GetMat();
    const bool matLoaded = mat && mat->IsLoaded();
    const CRect opening = matLoaded ? MatOpening(mat, frame) : frame;

    CString gif;
    if (matLoaded && picture->HasValidAdjusted()) {
        gif = Numbered(base, counter++, "gif");
        CDibCanvas matCanvas;
        if (!matCanvas.Create(m_pMemoryDC.get(), frame.Width(), frame.Height()))
            return false;
        const CRect whole(0, 0, frame.Width(), frame.Height());
        matCanvas.Dc()->FillSolidRect(&whole, background);
        mat->GetMaskDib()->Draw(matCanvas.Dc(), whole, SRCPAINT);
        mat->GetImageDib()->Draw(matCanvas.Dc(), whole, SRCAND);
        if (!WriteGif(matCanvas, gif, background))
            return false;
    }

    const CString jpeg = Numbered(base, counter++, "jpg");
    CDibCanvas canvas;
    bool saved = canvas.Create(m_pMemoryDC.get(), opening.Width(), opening.Height());
    if (saved) {
        const CRect whole(0, 0, opening.Width(), opening.Height());
        canvas.Dc()->FillSolidRect(&whole, background);
        CRgn clip;
        if (matLoaded) {
            if (mat->GetFrameName() == "ellipse")
                clip.CreateEllipticRgnIndirect(&whole);
            else
                clip.CreateRectRgnIndirect(&whole);
        } else if (picture->GetShape() == kShapeRectangle) {
            clip.CreateRectRgnIndirect(&whole);
        } else if (picture->GetShape() == kShapeRoundRectangle) {
            const CPoint round = picture->GetRoundness();
            clip.CreateRoundRectRgn(0, 0, whole.right, whole.bottom, ScaleCoordinate(round.x, scale, 0),
                                    ScaleCoordinate(round.y, scale, 0));
        } else if (picture->GetShape() == kShapeEllipse) {
            clip.CreateEllipticRgnIndirect(&whole);
        }
        if (clip.GetSafeHandle())
            canvas.Dc()->SelectClipRgn(&clip);
        picture->Render(canvas.Dc(), whole, scale, FALSE);
        canvas.Dc()->SelectClipRgn(nullptr);
        OwnedPicture rendered(canvas.ToPicture());
        saved = rendered && codecs->SaveFile(rendered.get(), jpeg, kSaveBitsPerPixel, kSaveQuality) == 1;
    }
    if (saved) {
        files.Add(jpeg);
        html += Div(opening.top, opening.left, jpeg);
    }
    if (!gif.IsEmpty()) {
        files.Add(gif);
        if (saved)
            html += Div(frame.top, frame.left, gif);
    }
    return saved;
}
