#include "image/DibRows.h"

#include "image/DibGeometry.h"

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

std::vector<int> NearestSteps(int srcSize, int dstSize) {
    std::vector<int> steps(static_cast<size_t>(dstSize));
    const int quotient = srcSize / dstSize;
    const int remainder = srcSize % dstSize;
    int accumulator = remainder / 2;
    int position = 0;
    for (int& step : steps) {
        step = position;
        position += quotient;
        accumulator += remainder;
        if (accumulator >= dstSize) {
            accumulator -= dstSize;
            ++position;
        }
    }
    return steps;
}

CStretchMap MakeStretchMap(const CRect& source, int dstWidth, int dstHeight, int orientation) {
    CStretchMap map{NearestSteps(source.Width(), dstWidth), NearestSteps(source.Height(), dstHeight)};
    const bool mirror = orientation == kOrientMirror;
    const bool flip = orientation == kOrientFlip;
    for (int& x : map.columns)
        x = mirror ? source.right - 1 - x : source.left + x;
    for (int& y : map.rows)
        y = flip ? source.bottom - 1 - y : source.top + y;
    return map;
}
