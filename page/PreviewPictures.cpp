// Page pictures: the page as the canvas shows it, stretched into a picture of a fixed or scaled size, and
// saved through the codec plug-ins, directly or through a temporary bitmap.

#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "page/DibCanvas.h"
#include "page/PreviewWnd.h"
#include "page/TempBitmap.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/ui/WaitCursor.h"

#include <memory>

namespace {

constexpr int kPageWidth = 700;
constexpr int kPageHeight = 990;
// Save options of the plug-in manager: bits per pixel 0 (the picture's own), quality level 2.
constexpr int kSaveBitsPerPixel = 0;
constexpr int kSaveQuality = 2;

} // namespace

CPictureInfo* CPreviewWnd::RenderPageAt(int width, int height) {
    const CTemplate* page = CurrentPage();
    if (!page || !m_pMemoryDC)
        return nullptr;
    CWaitCursor wait;
    const CRect shown = LayoutOf(page).rect;
    CDibCanvas canvas;
    if (!canvas.Create(m_pMemoryDC.get(), width, height))
        return nullptr;
    canvas.Dc()->SetStretchBltMode(COLORONCOLOR);
    canvas.Dc()->StretchBlt(0, 0, width, height, m_pMemoryDC.get(), shown.left, shown.top, shown.Width(),
                            shown.Height(), SRCCOPY);
    return canvas.ToPicture();
}

CPictureInfo* CPreviewWnd::RenderPagePicture() {
    return RenderPageAt(kPageWidth, kPageHeight);
}

// The page size's members as they are, whatever the orientation: the mail page's size text relies on them.
CPictureInfo* CPreviewWnd::RenderPagePictureScaled(int percent) {
    const CTemplate* page = CurrentPage();
    if (!page)
        return nullptr;
    const CSize size = page->GetPageSize();
    return RenderPageAt(size.cx / 3 * percent / 100, size.cy / 3 * percent / 100);
}

BOOL CPreviewWnd::SavePageImage(const CString& path) {
    OwnedPicture picture(RenderPagePicture());
    CExtMgr* codecs = GetExtMgr();
    return picture && codecs && codecs->SaveFile(picture.get(), path, kSaveBitsPerPixel, kSaveQuality) == 1;
}

BOOL CPreviewWnd::SaveThroughTempBitmap(const CPictureInfo* picture, const CString& path) {
    CExtMgr* codecs = GetExtMgr();
    if (!picture || !codecs)
        return FALSE;
    const OwnedPicture reloaded = ThroughTempBitmap(*picture, *codecs);
    return reloaded && codecs->SaveFile(reloaded.get(), path, kSaveBitsPerPixel, kSaveQuality) == 1;
}

BOOL CPreviewWnd::SavePageImageAs(const CString& path) {
    return RenderToTempBitmap(path);
}

BOOL CPreviewWnd::RenderToTempBitmap(const CString& path) {
    OwnedPicture picture(RenderPagePicture());
    return SaveThroughTempBitmap(picture.get(), path);
}

BOOL CPreviewWnd::SavePageImageScaled(const CString& path, int percent) {
    OwnedPicture picture(RenderPagePictureScaled(percent));
    return SaveThroughTempBitmap(picture.get(), path);
}
