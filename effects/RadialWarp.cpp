#include "effects/RadialWarp.h"

#include "effects/Bilinear.h"
#include "effects/EffectStrength.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// ratio(squaredDistance) scales a pixel's offset from the centre to where its colour comes from; the
// distance is 1 on the ellipse.
template <typename Ratio>
void WarpRadially(const ConstPixelRows& source, const PixelRows& target, Ratio ratio) {
    const double centreX = source.width / 2.0, centreY = source.height / 2.0;
    ParallelFor(target.height, std::max(1, (1 << 14) / target.width),
                [&](std::int64_t begin, std::int64_t end) {
                    for (std::int64_t y = begin; y < end; ++y) {
                        const double offsetY = static_cast<double>(y) + 0.5 - centreY;
                        const double normalY = offsetY / centreY;
                        const BYTE* in = source.row0 + source.step * y;
                        BYTE* out = target.row0 + target.step * y;
                        for (int x = 0; x < target.width; ++x, in += 3, out += 3) {
                            const double offsetX = x + 0.5 - centreX;
                            const double normalX = offsetX / centreX;
                            const double squared = normalX * normalX + normalY * normalY;
                            if (squared >= 1.0) {
                                out[0] = in[0], out[1] = in[1], out[2] = in[2];
                                continue;
                            }
                            const double scale = ratio(squared);
                            SampleBilinear(source, centreX + offsetX * scale - 0.5,
                                           centreY + offsetY * scale - 0.5, out);
                        }
                    }
                });
}

} // namespace

// Barrel distortion r' = (1 - k) r + k r^3: magnification 1 / (1 - k) at the centre.
bool FishEyeRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double k = 0.6 * StrengthFraction(strength);
    WarpRadially(source, target, [k](double squared) { return 1.0 - k * (1.0 - squared); });
    return true;
}

// r' = (1 + k) r - k r^2: the source distance grows linearly faster towards the centre; with k at most
// 1, r' keeps rising up to the rim, so no part of the picture folds over.
bool ConeRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double k = 0.9 * StrengthFraction(strength);
    WarpRadially(source, target, [k](double squared) { return 1.0 + k * (1.0 - std::sqrt(squared)); });
    return true;
}
