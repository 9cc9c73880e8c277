#include "effects/MagickEffects.h"

#include "effects/EffectStrength.h"
#include "effects/MagickImage.h"

#include <algorithm>
#include <cmath>

namespace {

// The library refuses a neighbourhood wider than the picture, so a wanted radius is cut to fit.
double KernelRadius(double wanted, const ConstPixelRows& source) {
    return std::min(wanted, (ShorterSide(source.width, source.height) - 1) / 2.0);
}

// The share of a filtered picture at the lowest strength, for effects whose full result is too much
// there: the photo shows through.
constexpr double kLeastBlendWeight = 0.25;

// Runs an operation that makes a new picture of the same size; with a weight below 1 the result is
// mixed with the source.
template <typename Operation>
bool Filter(const ConstPixelRows& source, const PixelRows& target, Operation operation, double weight = 1.0) {
    const MagickImagePtr image = ImageFromRows(source);
    if (!image)
        return false;
    CMagickException exception;
    const MagickImagePtr filtered(operation(image.get(), exception.Get()));
    if (!filtered)
        return false;
    const RowBlend blend{source, static_cast<int>(std::lround(weight * 256))};
    return CopyImageRows(*filtered, 0, target, weight < 1.0 ? &blend : nullptr);
}

} // namespace

// A relief whose depth grows with the strength; at low strengths the photo shows through.
bool EmbossRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double f = StrengthFraction(strength);
    const double sigma = 0.5 + 2.0 * f;
    const double radius = KernelRadius(std::ceil(3 * sigma), source);
    return Filter(
        source, target,
        [&](Image* image, ExceptionInfo* exception) { return EmbossImage(image, radius, sigma, exception); },
        kLeastBlendWeight + (1 - kLeastBlendWeight) * f);
}

// Vertical waves along the width, three wavelengths across; the amplitude goes up to a twentieth of
// the shorter side.
bool WaveRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double amplitude = ShorterSide(source.width, source.height) * 0.05 * StrengthFraction(strength);
    const double wavelength = std::max(2.0, source.width / 3.0);
    const MagickImagePtr image = ImageFromRows(source);
    if (!image)
        return false;
    // The waves make the picture taller by twice the amplitude; rows beyond the edges repeat them.
    SetImageVirtualPixelMethod(image.get(), EdgeVirtualPixelMethod);
    CMagickException exception;
    const MagickImagePtr waved(WaveImage(image.get(), amplitude, wavelength, exception.Get()));
    if (!waved || waved->rows < image->rows)
        return false;
    return CopyImageRows(*waved, static_cast<long>((waved->rows - image->rows) / 2), target);
}

// Light edges on dark; a wider neighbourhood finds coarser edges and draws them thicker. Below full
// strength the photo shows through, as with the relief.
bool FindEdgesRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double f = StrengthFraction(strength);
    const double radius = KernelRadius(0.5 + 2.5 * f, source);
    return Filter(
        source, target,
        [&](Image* image, ExceptionInfo* exception) { return EdgeImage(image, radius, exception); },
        kLeastBlendWeight + (1 - kLeastBlendWeight) * f);
}

// A brush of radius 1 to 5 pixels: the library's cost grows with the square of the radius.
bool OilPaintRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double radius = KernelRadius(1.0 + 4.0 * StrengthFraction(strength), source);
    return Filter(source, target, [&](Image* image, ExceptionInfo* exception) {
        return OilPaintImage(image, radius, exception);
    });
}

// Up to one full turn at the centre, none at the rim.
bool SwirlRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double degrees = 360.0 * StrengthFraction(strength);
    return Filter(source, target, [&](Image* image, ExceptionInfo* exception) {
        return SwirlImage(image, degrees, exception);
    });
}
