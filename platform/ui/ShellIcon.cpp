// Shell icons into image lists, as 32-bit bitmaps with straight alpha.

#include "platform/ui/ShellIcon.h"

#include "platform/gdi/AlphaBitmap.h"

#include <QImage>
#include <cstring>
#include <vector>

int AddShellIcon(CImageList& list, const CShellFolder& folder, const CItemIdList& child) {
    int cx = 0;
    int cy = 0;
    if (!ImageList_GetIconSize(list, &cx, &cy))
        return -1;
    QImage icon;
    if (!folder.ExtractIcon(child, std::max(cx, cy), icon))
        return -1;
    // ARGB32 rows are B, G, R, A bytes on the little-endian machines we build for: the bitmap's order.
    const QImage cell = icon.scaled(cx, cy, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_ARGB32);
    std::vector<BYTE> bits(static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy) * 4, 0);
    const int left = (cx - cell.width()) / 2;
    const int top = (cy - cell.height()) / 2;
    for (int y = 0; y < cell.height(); ++y) {
        std::memcpy(&bits[(static_cast<std::size_t>(top + y) * static_cast<std::size_t>(cx) +
                           static_cast<std::size_t>(left)) *
                          4],
                    cell.constScanLine(y), static_cast<std::size_t>(cell.width()) * 4);
    }
    CBitmap bitmap;
    if (!CreateAlphaBitmap(bitmap, cx, cy, bits.data()))
        return -1;
    return list.Add(&bitmap, CLR_NONE);
}
