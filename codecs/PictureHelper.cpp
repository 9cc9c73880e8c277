// The picture helper of the plug-ins that draw their own thumbnails.

#include "codecs/PictureHelper.h"

#include "image/ConversionSurface.h"
#include "image/DibGeometry.h"
#include "image/PictureInfo.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Pictures below this size, or destinations above the thumbnail size, are drawn in one transfer.
constexpr int kWholeBelowWidth = 1000;
constexpr int kWholeBelowHeight = 750;
constexpr int kWholeAboveDest = 100;

} // namespace

int CPictureHelper::GetWidth() const {
    return m_picture.IsValid() ? m_picture.GetWidth() : 0;
}

int CPictureHelper::GetHeight() const {
    return m_picture.IsValid() ? m_picture.GetHeight() : 0;
}

void CPictureHelper::Draw(CDC* dc, const CRect& dest, DWORD rop) const {
    if (!m_picture.IsValid())
        return;
    const CStretchModeScope mode(dc, COLORONCOLOR);
    const bool small = GetWidth() < kWholeBelowWidth && GetHeight() < kWholeBelowHeight;
    if (small || (dest.Width() > kWholeAboveDest && dest.Height() > kWholeAboveDest))
        StretchWholeDib(dc, dest, m_picture.GetHeader(), rop);
    else
        DrawRows(dc, dest, rop);
}

// Every stored row (the bottom one first) onto the destination rows its place falls on, ceil(band) rows
// high; the rows drawn later, higher in the picture, win where two share a destination row.
void CPictureHelper::DrawRows(CDC* dc, const CRect& dest, DWORD rop) const {
    const BITMAPINFOHEADER* header = m_picture.GetHeader();
    const int rows = GetHeight();
    const auto offset = static_cast<std::size_t>(DibBitsOffset(header));
    // The header and colour table of one row, so that the picture itself stays untouched.
    std::vector<BYTE> oneRow(reinterpret_cast<const BYTE*>(header),
                             reinterpret_cast<const BYTE*>(header) + offset);
    auto* rowHeader = reinterpret_cast<BITMAPINFOHEADER*>(oneRow.data());
    const auto stride = DibImageBytes(GetWidth(), 1, header->biBitCount);
    rowHeader->biHeight = 1;
    rowHeader->biSizeImage = static_cast<DWORD>(stride);
    const float band = static_cast<float>(dest.Height()) / static_cast<float>(rows);
    const int bandHeight = static_cast<int>(std::ceil(band));
    const BYTE* bits = DibBitsPtr(header);
    for (int i = 0; i < rows; ++i) {
        const int top = dest.top + static_cast<int>(std::floor(band * static_cast<float>(rows - i - 1)));
        if (StretchDIBits(dc->m_hDC, dest.left, top, dest.Width(), bandHeight, 0, 0, GetWidth(), 1,
                          bits + stride * i, reinterpret_cast<const BITMAPINFO*>(rowHeader), DIB_RGB_COLORS,
                          rop) == GDI_ERROR)
            break;
    }
}
