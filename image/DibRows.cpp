#include "image/DibRows.h"

#include "image/DibGeometry.h"
#include "platform/gdi/Stretch.h"

CDibRows::CDibRows(BYTE* bits, int width, int height, int bitCount)
    : m_rowBytes(DibRowBytes(width, bitCount)), m_width(width), m_height(height < 0 ? -height : height),
      m_bitCount(bitCount) {
    if (height < 0) {
        m_top = bits;
        m_rowStep = m_rowBytes;
    } else {
        m_top = bits + (static_cast<std::int64_t>(m_height) - 1) * m_rowBytes;
        m_rowStep = -m_rowBytes;
    }
}

namespace {

std::vector<int> Steps(int srcExtent, int destExtent) {
    std::vector<int> steps(static_cast<size_t>(destExtent));
    ColorOnColorSteps(srcExtent, destExtent, 0, destExtent, steps.data());
    return steps;
}

} // namespace

CStretchMap MakeStretchMap(const CRect& source, int dstWidth, int dstHeight, int orientation) {
    CStretchMap map{Steps(source.Width(), dstWidth), Steps(source.Height(), dstHeight)};
    const bool mirror = orientation == kOrientMirror;
    const bool flip = orientation == kOrientFlip;
    for (int& x : map.columns)
        x = mirror ? source.right - 1 - x : source.left + x;
    for (int& y : map.rows)
        y = flip ? source.bottom - 1 - y : source.top + y;
    return map;
}
