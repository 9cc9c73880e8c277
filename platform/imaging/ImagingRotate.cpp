// CImagingBitmap::Rotate: turning by any angle with nearest-pixel sampling and a fill colour.
#include "platform/base/Parallel.h"
#include "platform/imaging/BytePixels.h"
#include "platform/imaging/ColourDepth.h"
#include "platform/imaging/ImagingBitmap.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int kFullTurn = 36000;
constexpr int kQuarterTurn = 9000;
constexpr std::int64_t kRowsPerThread = 16;
// Slack for the bounding box: a side that is a whole number up to rounding does not grow by one.
constexpr double kSizeSlack = 1e-6;

struct Turn {
    double cosine;
    double sine;
};

// Quarter turns get exact cosines and sines, so that they move pixels without rounding.
Turn TurnOf(int hundredths) {
    switch (hundredths) {
    case 0:
        return {1.0, 0.0};
    case kQuarterTurn:
        return {0.0, 1.0};
    case 2 * kQuarterTurn:
        return {-1.0, 0.0};
    case 3 * kQuarterTurn:
        return {0.0, -1.0};
    default: {
        const double radians = hundredths * 3.14159265358979323846 / 18000.0;
        return {std::cos(radians), std::sin(radians)};
    }
    }
}

} // namespace

bool CImagingBitmap::Rotate(int hundredths, int flags, COLORREF fill) {
    if (IsEmpty())
        return false;
    const int angle = ((hundredths % kFullTurn) + kFullTurn) % kFullTurn;
    const Turn turn = TurnOf(angle);
    const int width = GetWidth(), height = GetHeight();
    std::int64_t newWidth = width, newHeight = height;
    if (flags & kRotateResize) {
        const double c = std::abs(turn.cosine), s = std::abs(turn.sine);
        newWidth = std::int64_t(std::ceil(width * c + height * s - kSizeSlack));
        newHeight = std::int64_t(std::ceil(width * s + height * c - kSizeSlack));
    }
    if (!IsDibSizeAllowed(newWidth, newHeight))
        return false;

    DibLayout layout;
    ReadDibLayout(&Header(), m_dib.size(), layout);
    const std::vector<RGBQUAD> palette = Palette();
    const BytePixels source = ReadBytePixels(layout);
    const int pixelBytes = source.bytesPerPixel;
    BytePixels turned(int(newWidth), int(newHeight), pixelBytes);
    BYTE fillValue[4] = {};
    EncodeColour(fill, layout.bitsPerPixel, palette, fillValue);

    // Each target pixel centre is turned back into the source, in screen coordinates (y downwards,
    // the last DIB row on top): a clockwise turn of the picture is an anticlockwise one of the lookup.
    ParallelFor(newHeight, kRowsPerThread, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t row = begin; row < end; ++row) {
            const double v = double(newHeight - 1 - row) + 0.5 - double(newHeight) / 2;
            BYTE* out = turned.Row(int(row));
            for (int x = 0; x < newWidth; ++x, out += pixelBytes) {
                const double u = x + 0.5 - double(newWidth) / 2;
                const double sx = width / 2.0 + u * turn.cosine + v * turn.sine;
                const double sy = height / 2.0 - u * turn.sine + v * turn.cosine;
                const double fx = std::floor(sx), fy = std::floor(sy);
                if (fx >= 0 && fx < width && fy >= 0 && fy < height)
                    std::memcpy(out, source.Row(height - 1 - int(fy)) + std::ptrdiff_t(fx) * pixelBytes,
                                std::size_t(pixelBytes));
                else
                    std::memcpy(out, fillValue, std::size_t(pixelBytes));
            }
        }
    });
    m_dib = WriteDib(turned, layout.bitsPerPixel, palette);
    m_alpha.clear();
    return true;
}
