#pragma once
// CDibRows walks the rows of a DIB's pixels top row first, whichever way they lie in memory; CStretchMap
// holds, for each destination column and row, the source column and row that nearest-neighbour
// stretching takes: the stepping that drawing with COLORONCOLOR uses, so both pick the same pixels.

#include "platform/base/Geometry.h"

#include <cstdint>
#include <vector>

class CDibRows {
public:
    CDibRows() = default;
    // bits: the first byte of the pixels; a negative height means top-down rows.
    CDibRows(BYTE* bits, int width, int height, int bitCount);

    BYTE* Row(int y) const { return m_top + y * m_rowStep; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int BitCount() const { return m_bitCount; }
    std::int64_t RowBytes() const { return m_rowBytes; }

private:
    BYTE* m_top = nullptr; // row 0, the top row
    std::int64_t m_rowStep = 0;
    std::int64_t m_rowBytes = 0;
    int m_width = 0;
    int m_height = 0;
    int m_bitCount = 0;
};

// Orientation codes of the stretch: mirror starts at the right and steps leftwards, flip starts at the
// bottom and steps upwards. Both at once count as neither.
inline constexpr int kOrientMirror = 4;
inline constexpr int kOrientFlip = 8;

struct CStretchMap {
    std::vector<int> columns; // source column (in the source DIB) of each destination column
    std::vector<int> rows;    // source row, counted from the top, of each destination row
};

// The source rectangle must be non-empty and the destination size positive.
CStretchMap MakeStretchMap(const CRect& source, int dstWidth, int dstHeight, int orientation);
