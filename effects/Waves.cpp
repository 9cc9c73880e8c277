#include "effects/Waves.h"

#include "effects/Bilinear.h"
#include "effects/EffectStrength.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

// Rows worth a thread of their own: some sixteen thousand pixels.
std::int64_t RowGrain(int width) {
    return std::max(1, (1 << 14) / width);
}

} // namespace

// Column x is moved down by amplitude * (1 + sin(2 pi x / wavelength)) in a picture taller by twice the
// amplitude, of which the middle rows are kept; rows beyond the edges repeat them.
bool WaveRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double amplitude = ShorterSide(source.width, source.height) * 0.05 * StrengthFraction(strength);
    const double wavelength = std::max(2.0, source.width / 3.0);
    // The rows of the taller picture above the kept ones: half its whole extra rows.
    const double top = std::floor(std::floor(2 * amplitude) / 2);
    std::vector<double> shift(static_cast<std::size_t>(source.width));
    for (int x = 0; x < source.width; ++x)
        shift[x] = amplitude + amplitude * std::sin(2 * std::numbers::pi * x / wavelength) - top;
    ParallelFor(target.height, RowGrain(target.width), [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            BYTE* out = target.row0 + target.step * y;
            for (int x = 0; x < target.width; ++x, out += 3)
                SampleBilinear(source, x, static_cast<double>(y) - shift[x], out);
        }
    });
    return true;
}

// Each pixel inside the ellipse takes its colour from a point turned about the centre by an angle that
// falls with the square of the distance from the rim.
bool SwirlRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double turn = 2 * std::numbers::pi * StrengthFraction(strength);
    const double centreX = source.width / 2.0, centreY = source.height / 2.0;
    const double radius = std::max(centreX, centreY);
    // Distances are measured on the longer side's scale, so the ellipse becomes a circle.
    const double scaleX =
        source.width < source.height ? static_cast<double>(source.height) / source.width : 1.0;
    const double scaleY =
        source.width > source.height ? static_cast<double>(source.width) / source.height : 1.0;
    ParallelFor(target.height, RowGrain(target.width), [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            const double distanceY = scaleY * (static_cast<double>(y) - centreY);
            const BYTE* in = source.row0 + source.step * y;
            BYTE* out = target.row0 + target.step * y;
            for (int x = 0; x < target.width; ++x, in += 3, out += 3) {
                const double distanceX = scaleX * (x - centreX);
                const double squared = distanceX * distanceX + distanceY * distanceY;
                if (squared >= radius * radius) {
                    out[0] = in[0], out[1] = in[1], out[2] = in[2];
                    continue;
                }
                const double rim = 1.0 - std::sqrt(squared) / radius;
                const double angle = turn * rim * rim;
                const double sine = std::sin(angle), cosine = std::cos(angle);
                SampleBilinear(source, (cosine * distanceX - sine * distanceY) / scaleX + centreX,
                               (sine * distanceX + cosine * distanceY) / scaleY + centreY, out);
            }
        }
    });
    return true;
}
