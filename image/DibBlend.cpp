#include "image/DibBlend.h"

#include "image/DibGeometry.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <cstdint>

namespace {

// trunc(x / 255) for |x| <= 255 * 255 without a division: 32897 / 2^23 is 1/255 rounded up by so little
// that the quotient never reaches the next integer in that range, and the product stays below 2^31.
inline int DivideBy255(int x) {
    const int magnitude = x < 0 ? -x : x;
    const int quotient = (magnitude * 32897) >> 23;
    return x < 0 ? -quotient : quotient;
}

void BlendRow(int width, BYTE* dst, const BYTE* src, const BYTE* mask) {
    for (int x = 0; x < width; ++x, dst += 3, src += 3, mask += 3) {
        const int a = mask[1];
        for (int c = 0; c < 3; ++c)
            dst[c] = static_cast<BYTE>(src[c] + DivideBy255((dst[c] - src[c]) * a));
    }
}

} // namespace

void BlendDib24(int rows, int width, BYTE* dst, const BYTE* src, const BYTE* mask) {
    if (rows < 1 || width < 1)
        return;
    const std::int64_t stride = DibRowBytes(width, 24);
    const std::int64_t grain = std::max<std::int64_t>(1, (1 << 18) / width);
    ParallelFor(rows, grain, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y)
            BlendRow(width, dst + y * stride, src + y * stride, mask + y * stride);
    });
}
