// Thumbnail cells: a packed DIB's pixels centred on a transparent 32-bit cell.

#include "albums/ThumbnailCell.h"

#include "image/DibGeometry.h"
#include "image/PictureInfo.h"

#include <algorithm>
#include <memory>

std::vector<BYTE> MakeThumbnailCell(const CPictureInfo& source, const CSize& size) {
    if (!source.IsValid() || size.cx <= 0 || size.cy <= 0)
        return {};
    std::unique_ptr<CPictureInfo> converted;
    const CPictureInfo* picture = &source;
    if (!source.Is24Bit()) {
        converted.reset(source.ConvertTo24Bit());
        if (!converted || !converted->IsValid())
            return {};
        picture = converted.get();
    }
    const BITMAPINFOHEADER* header = picture->GetHeader();
    const int width = header->biWidth;
    const int height = std::abs(header->biHeight);
    const bool bottomUp = header->biHeight > 0;
    const std::size_t stride = ((static_cast<std::size_t>(width) * 24 + 31) / 32) * 4;
    const BYTE* bits = DibBitsPtr(header);

    std::vector<BYTE> cell(static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy) * 4, 0);
    const int left = (size.cx - width) / 2;
    const int top = (size.cy - height) / 2;
    for (int y = std::max(0, -top); y < height && top + y < size.cy; ++y) {
        const BYTE* row = bits + stride * static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
        BYTE* out = &cell[static_cast<std::size_t>(top + y) * static_cast<std::size_t>(size.cx) * 4];
        for (int x = std::max(0, -left); x < width && left + x < size.cx; ++x) {
            BYTE* pixel = out + static_cast<std::size_t>(left + x) * 4;
            const BYTE* in = row + static_cast<std::size_t>(x) * 3;
            pixel[0] = in[0];
            pixel[1] = in[1];
            pixel[2] = in[2];
            pixel[3] = 0xFF;
        }
    }
    return cell;
}
