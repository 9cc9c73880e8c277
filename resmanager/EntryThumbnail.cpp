// The thumbnail scaled to fit the cell, as the old magenta ground did, then centred on alpha 0.

#include "resmanager/EntryThumbnail.h"

#include "albums/ThumbnailCell.h"
#include "image/PictureInfo.h"
#include "library/DSObj.h"
#include "platform/gdi/AlphaBitmap.h"
#include "platform/ui/ImageList.h"

#include <algorithm>
#include <memory>

int AddEntryThumbnail(CImageList& list, const CDSObj& entry, const CSize& cellSize) {
    const CPictureInfo* thumbnail = entry.GetThumbnail();
    if (!thumbnail || !thumbnail->IsValid() || cellSize.cx <= 0 || cellSize.cy <= 0)
        return -1;
    const double width = thumbnail->GetWidth();
    const double height = thumbnail->GetHeight();
    if (width <= 0 || height <= 0)
        return -1;
    const double scale = std::min(cellSize.cx / width, cellSize.cy / height);
    const std::unique_ptr<CPictureInfo> fitted(thumbnail->ScaleTo24Bit(
        std::max(1, static_cast<int>(width * scale)), std::max(1, static_cast<int>(height * scale))));
    if (!fitted)
        return -1;
    const std::vector<BYTE> cell = MakeThumbnailCell(*fitted, cellSize);
    CBitmap bitmap;
    if (cell.empty() || !CreateAlphaBitmap(bitmap, cellSize.cx, cellSize.cy, cell.data()))
        return -1;
    return list.Add(&bitmap, CLR_NONE);
}
