#include "effects/Bevel.h"

#include "effects/EffectStrength.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// How far the bands go towards white and black, in 256ths.
constexpr int kLightShare = 100;
constexpr int kShadeShare = 100;

enum class Band { Inside, Light, Shade };

// The nearest edge decides, so the bands meet on the corners' diagonals; a tie goes to the light.
Band BandOf(int x, int y, int width, int height, int bevel) {
    const int left = x, top = y, right = width - 1 - x, bottom = height - 1 - y;
    const int nearest = std::min({left, top, right, bottom});
    if (nearest >= bevel)
        return Band::Inside;
    return nearest == top || nearest == left ? Band::Light : Band::Shade;
}

void Shade(BYTE* pixel, Band band) {
    for (int c = 0; c < 3; ++c) {
        const int v = pixel[c];
        pixel[c] = static_cast<BYTE>(band == Band::Light ? v + (((255 - v) * kLightShare + 128) >> 8)
                                                         : v - ((v * kShadeShare + 128) >> 8));
    }
}

} // namespace

bool RaiseRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const int shorter = ShorterSide(source.width, source.height);
    const int bevel = std::max(1, static_cast<int>(std::lround(shorter * 0.1 * StrengthFraction(strength))));
    const std::int64_t grain = std::max<std::int64_t>(1, (1 << 16) / std::max(target.width, 1));
    ParallelFor(target.height, grain, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t row = begin; row < end; ++row) {
            const int y = static_cast<int>(row);
            const BYTE* in = source.row0 + source.step * y;
            BYTE* out = target.row0 + target.step * y;
            std::memcpy(out, in, std::size_t(target.width) * 3);
            auto shadeSpan = [&](int from, int to) {
                for (int x = from; x < to; ++x) {
                    const Band band = BandOf(x, y, target.width, target.height, bevel);
                    if (band != Band::Inside)
                        Shade(out + 3 * x, band);
                }
            };
            if (y < bevel || y >= target.height - bevel) {
                shadeSpan(0, target.width);
            } else { // between the top and bottom bands only the side bands
                shadeSpan(0, std::min(bevel, target.width));
                shadeSpan(std::max(bevel, target.width - bevel), target.width);
            }
        }
    });
    return true;
}
