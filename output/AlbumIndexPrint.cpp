#include "output/AlbumIndexPrint.h"

#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "library/DSObj.h"
#include "library/DSObjMgr.h"
#include "platform/base/AppServices.h"
#include "platform/base/LastError.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/print/PrintJob.h"
#include "platform/ui/WaitCursor.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int kColumns = 5;
constexpr int kRows = 5;
constexpr int kCellsPerSheet = kColumns * kRows;
constexpr int kLastPosition = 10000; // the walk's end without a range
constexpr UINT kPrintFailedId = 105;
constexpr int kMeasureHeight = 54;
constexpr int kCaptionHeight = 48;
constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// Device units of the sheet: a fifth of an inch between cells, the cells sharing the rest.
struct IndexMetrics {
    explicit IndexMetrics(const CDC& dc)
        : width(dc.GetDeviceCaps(HORZRES)), dpiY(dc.GetDeviceCaps(LOGPIXELSY)),
          gapX(dc.GetDeviceCaps(LOGPIXELSX) / 5), gapY(dpiY / 5),
          cellWidth((width - 6 * dc.GetDeviceCaps(LOGPIXELSX) / 5) / kColumns),
          cellHeight((dc.GetDeviceCaps(VERTRES) - 6 * dpiY / 5) / kRows) {}

    // The top-left corner of cell k of a sheet.
    CPoint CellOrigin(int k) const {
        return CPoint(gapX + k % kColumns * (cellWidth + gapX), gapY + k / kColumns * (cellHeight + gapY));
    }

    int width;
    int dpiY;
    int gapX;
    int gapY;
    int cellWidth;
    int cellHeight;
};

// The photo's picture in full, or null when it cannot be loaded or has no width or height.
std::unique_ptr<CPictureInfo> LoadPhoto(const CDSObj* photo) {
    CExtMgr* codecs = GetExtMgr();
    const CDSObjMgr* manager = GetDSObjMgr();
    if (!codecs || !manager || !photo)
        return nullptr;
    CPictureInfo* mask = nullptr;
    std::unique_ptr<CPictureInfo> picture(codecs->LoadFile(manager->GetObjectFilePath(photo), mask, 0));
    delete mask;
    if (picture && (picture->GetWidth() <= 0 || picture->GetHeight() <= 0))
        picture.reset();
    return picture;
}

// The picture scaled to fit the cell, centred in it.
void DrawPicture(CDC* dc, const CPictureInfo& picture, CPoint origin, const IndexMetrics& metrics) {
    const float scale =
        std::min(static_cast<float>(metrics.cellWidth) / static_cast<float>(picture.GetWidth()),
                 static_cast<float>(metrics.cellHeight) / static_cast<float>(picture.GetHeight()));
    const int width = static_cast<int>(static_cast<float>(picture.GetWidth()) * scale);
    const int height = static_cast<int>(static_cast<float>(picture.GetHeight()) * scale);
    const CRect place(
        origin.x + (metrics.cellWidth - width) / 2, origin.y + (metrics.cellHeight - height) / 2,
        origin.x + (metrics.cellWidth + width) / 2, origin.y + (metrics.cellHeight + height) / 2);
    picture.Draw(dc, place, SRCCOPY); // under COLORONCOLOR, the context's own mode restored
}

void CreateCaptionFont(CFont& font, int height) {
    font.CreateFont(height, 0, 0, 0, FW_NORMAL, TRUE, 0, 0, 0, 0, 0, 0, 0, "Arial");
}

// The title in the gap below the cell: 48 units high, smaller when that would not fit the cell's width.
void DrawCaption(CDC* dc, const CDSObj* photo, CPoint origin, const IndexMetrics& metrics) {
    CRect place(origin.x, origin.y + metrics.cellHeight, origin.x + metrics.cellWidth,
                origin.y + metrics.cellHeight + metrics.gapY);
    CString caption = photo->GetTitle();
    caption.Trim();
    CFont measureFont;
    CreateCaptionFont(measureFont, kMeasureHeight);
    CFont* previous = dc->SelectObject(&measureFont);
    CRect measured = place;
    dc->DrawText(caption, &measured, kCentred | DT_CALCRECT);
    // An empty caption measures 0 wide and keeps the full height.
    const double ratio =
        measured.Width() > 0 ? std::min(1.0, static_cast<double>(place.Width()) / measured.Width()) : 1.0;
    CFont captionFont;
    CreateCaptionFont(captionFont, static_cast<int>(ratio * kCaptionHeight));
    dc->SelectObject(&captionFont);
    dc->DrawText(caption, &place, kCentred);
    dc->SelectObject(previous);
}

} // namespace

void PrintAlbumIndex(CDC* printerDC, const CString& albumName, const std::vector<const CDSObj*>& photos,
                     int range, UINT firstPage, UINT lastPage) {
    if (!printerDC)
        return;
    const int from = range ? static_cast<int>(firstPage) - 1 : 0;
    const int to = range ? static_cast<int>(lastPage) - 1 : kLastPosition;
    const IndexMetrics metrics(*printerDC);
    DOCINFO docInfo;
    docInfo.cbSize = static_cast<int>(sizeof docInfo);
    docInfo.lpszDocName = "Doc";
    docInfo.lpszDatatype = "BMP";
    if (printerDC->StartDoc(&docInfo) <= 0) {
        const DWORD error = GetLastError();
        if (error != ERROR_CANCELLED && error != ERROR_PRINT_CANCELLED)
            AppServices().MessageBox(kPrintFailedId, MB_ICONINFORMATION);
        return;
    }
    CWaitCursor wait;
    printerDC->StartPage();
    CRect heading(0, 0, metrics.width, metrics.dpiY / 5);
    printerDC->DrawText(albumName, &heading, kCentred);

    // A sheet is begun only when a further cell follows, so a full last sheet is the last page.
    int cell = 0;
    const int count = std::min(static_cast<int>(photos.size()), to + 1);
    for (int position = std::max(from, 0); position < count; ++position) {
        const std::unique_ptr<CPictureInfo> picture = LoadPhoto(photos[static_cast<size_t>(position)]);
        if (!picture)
            continue;
        if (cell == kCellsPerSheet) {
            printerDC->EndPage();
            printerDC->StartPage();
            cell = 0;
        }
        const CPoint origin = metrics.CellOrigin(cell);
        DrawPicture(printerDC, *picture, origin, metrics);
        DrawCaption(printerDC, photos[static_cast<size_t>(position)], origin, metrics);
        ++cell;
    }
    printerDC->EndPage();
    if (printerDC->EndDoc() <= 0)
        AppServices().MessageBox(kPrintFailedId, MB_ICONINFORMATION);
}
