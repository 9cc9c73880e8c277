#include "effects/Tones.h"

#include "effects/EffectStrength.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

using ToneMap = std::array<BYTE, 256>;

void MapTones(const ConstPixelRows& source, const PixelRows& target, const ToneMap& map) {
    const std::int64_t grain = std::max<std::int64_t>(1, (1 << 16) / std::max(target.width, 1));
    ParallelFor(target.height, grain, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            const BYTE* in = source.row0 + source.step * y;
            BYTE* out = target.row0 + target.step * y;
            for (int i = 0; i < target.width * 3; ++i)
                out[i] = map[in[i]];
        }
    });
}

} // namespace

bool NegativeRows(const ConstPixelRows& source, const PixelRows& target, int) {
    ToneMap map{};
    for (int v = 0; v < 256; ++v)
        map[std::size_t(v)] = static_cast<BYTE>(255 - v);
    MapTones(source, target, map);
    return true;
}

bool SolarizeRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double threshold = 255.0 * (1.0 - 0.75 * StrengthFraction(strength));
    ToneMap map{};
    for (int v = 0; v < 256; ++v)
        map[std::size_t(v)] = static_cast<BYTE>(v > threshold ? 255 - v : v);
    MapTones(source, target, map);
    return true;
}
