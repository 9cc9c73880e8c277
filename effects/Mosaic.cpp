#include "effects/Mosaic.h"

#include "effects/EffectStrength.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <array>
#include <cstdint>

bool MosaicRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const int tile =
        2 + static_cast<int>(ShorterSide(source.width, source.height) * 0.05 * StrengthFraction(strength));
    const std::int64_t tileRows = (source.height + tile - 1) / tile;
    ParallelFor(tileRows, 1, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t band = begin; band < end; ++band) {
            const int top = static_cast<int>(band * tile);
            const int bottom = std::min(top + tile, source.height);
            for (int left = 0; left < source.width; left += tile) {
                const int right = std::min(left + tile, source.width);
                std::array<std::uint64_t, 3> sums{};
                for (int y = top; y < bottom; ++y) {
                    const BYTE* in = source.row0 + source.step * y + std::ptrdiff_t{3} * left;
                    for (int x = left; x < right; ++x, in += 3)
                        sums[0] += in[0], sums[1] += in[1], sums[2] += in[2];
                }
                const std::uint64_t count = std::uint64_t(bottom - top) * std::uint64_t(right - left);
                std::array<BYTE, 3> mean{};
                for (std::size_t c = 0; c < 3; ++c)
                    mean[c] = static_cast<BYTE>((sums[c] + count / 2) / count);
                for (int y = top; y < bottom; ++y) {
                    BYTE* out = target.row0 + target.step * y + std::ptrdiff_t{3} * left;
                    for (int x = left; x < right; ++x, out += 3)
                        out[0] = mean[0], out[1] = mean[1], out[2] = mean[2];
                }
            }
        }
    });
    return true;
}
