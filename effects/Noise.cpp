#include "effects/Noise.h"

#include "effects/EffectStrength.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

constexpr std::uint64_t kNoiseSeed = 0x4E6F697365ull;
constexpr std::uint64_t kSpreadSeed = 0x537072656164ull;

// SplitMix64's finaliser: every input bit reaches every output bit.
std::uint64_t Mix(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t PixelRandom(std::uint64_t seed, int x, std::int64_t y) {
    return Mix(seed ^ (static_cast<std::uint64_t>(y) << 32 | static_cast<std::uint32_t>(x)));
}

// The standard normal distribution at evenly spaced probabilities, so that 10 random bits pick a
// Gaussian value. Found by bisection on erfc: exact enough, and made once.
constexpr int kQuantileBits = 10;
constexpr int kQuantiles = 1 << kQuantileBits;
using QuantileTable = std::array<double, kQuantiles>;

const QuantileTable& NormalQuantiles() {
    static const QuantileTable table = [] {
        QuantileTable quantiles{};
        for (int i = 0; i < kQuantiles; ++i) {
            const double p = (i + 0.5) / kQuantiles;
            double low = -10, high = 10;
            for (int step = 0; step < 60; ++step) {
                const double mid = (low + high) / 2;
                if (0.5 * std::erfc(-mid / std::sqrt(2.0)) < p)
                    low = mid;
                else
                    high = mid;
            }
            quantiles[static_cast<std::size_t>(i)] = (low + high) / 2;
        }
        return quantiles;
    }();
    return table;
}

std::int64_t RowGrain(int width) {
    return std::max<std::int64_t>(1, (1 << 15) / std::max(width, 1));
}

} // namespace

bool AddNoiseRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double sigma = 64.0 * StrengthFraction(strength);
    std::array<int, kQuantiles> offsets{};
    for (std::size_t i = 0; i < offsets.size(); ++i)
        offsets[i] = static_cast<int>(std::lround(sigma * NormalQuantiles()[i]));
    ParallelFor(target.height, RowGrain(target.width), [&](std::int64_t begin, std::int64_t end) {
        constexpr std::uint64_t kMask = kQuantiles - 1;
        for (std::int64_t y = begin; y < end; ++y) {
            const BYTE* in = source.row0 + source.step * y;
            BYTE* out = target.row0 + target.step * y;
            for (int x = 0; x < target.width; ++x, in += 3, out += 3) {
                std::uint64_t random = PixelRandom(kNoiseSeed, x, y);
                for (int channel = 0; channel < 3; ++channel, random >>= kQuantileBits)
                    out[channel] =
                        static_cast<BYTE>(std::clamp(in[channel] + offsets[random & kMask], 0, 255));
            }
        }
    });
    return true;
}

bool SpreadRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    // A reach below one pixel still moves some pixels by one, so that every strength counts.
    const double reach = 0.5 + ShorterSide(source.width, source.height) * 0.025 * StrengthFraction(strength);
    const int maxX = source.width - 1, maxY = source.height - 1;
    ParallelFor(target.height, RowGrain(target.width), [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            BYTE* out = target.row0 + target.step * y;
            for (int x = 0; x < target.width; ++x, out += 3) {
                const std::uint64_t random = PixelRandom(kSpreadSeed, x, y);
                // Two uniform numbers in [-1, 1) from 32 bits each.
                const double u = static_cast<double>(random & 0xFFFFFFFFu) / 2147483648.0 - 1.0;
                const double v = static_cast<double>(random >> 32) / 2147483648.0 - 1.0;
                // Displacements that leave the picture stop at its edge.
                const int fromX = std::clamp(x + static_cast<int>(std::lround(u * reach)), 0, maxX);
                const int fromY =
                    std::clamp(static_cast<int>(y) + static_cast<int>(std::lround(v * reach)), 0, maxY);
                const BYTE* in = source.row0 + source.step * fromY + std::ptrdiff_t{3} * fromX;
                out[0] = in[0], out[1] = in[1], out[2] = in[2];
            }
        }
    });
    return true;
}
