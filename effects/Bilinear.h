#pragma once
// The colour between pixel centres that the warping effects take, bilinear; pixel centres lie at whole
// coordinates.

#include "platform/imaging/Resampler.h"

#include <algorithm>
#include <cmath>

// Fixed point with 8 fraction bits; outside the picture the edge pixels repeat.
inline void SampleBilinear(const ConstPixelRows& source, double x, double y, BYTE* out) {
    const double floorX = std::floor(x), floorY = std::floor(y);
    const int weightX = static_cast<int>((x - floorX) * 256), weightY = static_cast<int>((y - floorY) * 256);
    const int x0 = std::clamp(static_cast<int>(floorX), 0, source.width - 1);
    const int x1 = std::clamp(static_cast<int>(floorX) + 1, 0, source.width - 1);
    const int y0 = std::clamp(static_cast<int>(floorY), 0, source.height - 1);
    const int y1 = std::clamp(static_cast<int>(floorY) + 1, 0, source.height - 1);
    const BYTE* upper = source.row0 + source.step * y0;
    const BYTE* lower = source.row0 + source.step * y1;
    for (int c = 0; c < 3; ++c) {
        const int top = upper[3 * x0 + c] * (256 - weightX) + upper[3 * x1 + c] * weightX;
        const int bottom = lower[3 * x0 + c] * (256 - weightX) + lower[3 * x1 + c] * weightX;
        out[c] = static_cast<BYTE>((top * (256 - weightY) + bottom * weightY + 32768) >> 16);
    }
}
