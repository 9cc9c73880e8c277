#include "effects/OilPaint.h"

#include "effects/EffectStrength.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// A pixel's tone (0..255): its luminance by the weights of ITU-R BT.601 in 1024ths, cut to whole steps.
BYTE ToneOf(const BYTE* bgr) {
    return static_cast<BYTE>((306 * bgr[2] + 601 * bgr[1] + 117 * bgr[0]) >> 10);
}

} // namespace

// In the square of 2 * ceil(radius) + 1 pixels about each pixel, read row by row, the pixel at which a
// tone's count first reaches the highest count gives the colour; beyond the edges the edge pixels
// repeat. The radius is cut so that the square fits the picture, as small pictures have always been
// painted.
bool OilPaintRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double radius = std::min(1.0 + 4.0 * StrengthFraction(strength),
                                   (ShorterSide(source.width, source.height) - 1) / 2.0);
    const int half = static_cast<int>(std::ceil(std::max(radius, 0.5)));
    const int width = source.width, height = source.height;
    std::vector<BYTE> tones(static_cast<std::size_t>(width) * height);
    ParallelFor(height, std::max(1, (1 << 14) / width), [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            const BYTE* in = source.row0 + source.step * y;
            for (int x = 0; x < width; ++x)
                tones[y * width + x] = ToneOf(in + 3 * x);
        }
    });
    ParallelFor(height, std::max(1, (1 << 12) / width), [&](std::int64_t begin, std::int64_t end) {
        std::array<std::uint16_t, 256> counts{};
        std::vector<int> columns(static_cast<std::size_t>(2 * half + 1));
        for (std::int64_t y = begin; y < end; ++y) {
            BYTE* out = target.row0 + target.step * y;
            for (int x = 0; x < width; ++x, out += 3) {
                for (int u = -half; u <= half; ++u)
                    columns[u + half] = std::clamp(x + u, 0, width - 1);
                int best = 0, bestX = x, bestY = static_cast<int>(y);
                for (int v = -half; v <= half; ++v) {
                    const int row = std::clamp(static_cast<int>(y) + v, 0, height - 1);
                    const BYTE* toneRow = tones.data() + static_cast<std::size_t>(row) * width;
                    for (const int column : columns) {
                        const int count = ++counts[toneRow[column]];
                        if (count > best)
                            best = count, bestX = column, bestY = row;
                    }
                }
                // Only the counts this pixel touched are cleared again.
                for (int v = -half; v <= half; ++v) {
                    const BYTE* toneRow =
                        tones.data() +
                        static_cast<std::size_t>(std::clamp(static_cast<int>(y) + v, 0, height - 1)) * width;
                    for (const int column : columns)
                        counts[toneRow[column]] = 0;
                }
                const BYTE* colour = source.row0 + source.step * bestY + 3 * bestX;
                out[0] = colour[0], out[1] = colour[1], out[2] = colour[2];
            }
        }
    });
    return true;
}
