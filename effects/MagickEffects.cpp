#include "effects/MagickEffects.h"

#include "effects/EffectStrength.h"
#include "effects/MagickImage.h"

#include <algorithm>

// A brush of radius 1 to 5 pixels: the library's cost grows with the square of the radius. The library
// refuses a neighbourhood wider than the picture, so the radius is cut to fit.
bool OilPaintRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double radius = std::min(1.0 + 4.0 * StrengthFraction(strength),
                                   (ShorterSide(source.width, source.height) - 1) / 2.0);
    const MagickImagePtr image = ImageFromRows(source);
    if (!image)
        return false;
    CMagickException exception;
    const MagickImagePtr painted(OilPaintImage(image.get(), radius, exception.Get()));
    return painted && CopyImageRows(*painted, target);
}
