#include "image/DibBitFields.h"

#include <bit>
#include <cstring>

namespace {

// One colour channel of a mask: where it sits and how many bits it spans. A mask with holes is read over
// its whole span, which keeps every value in range.
class MaskChannel {
public:
    explicit MaskChannel(DWORD mask)
        : m_mask(mask), m_shift(mask ? std::countr_zero(mask) : 0),
          m_bits(static_cast<int>(std::bit_width(mask >> m_shift))) {}

    BYTE Extract(DWORD pixel) const {
        if (m_bits == 0)
            return 0;
        const DWORD value = (pixel & m_mask) >> m_shift;
        if (m_bits >= 8)
            return static_cast<BYTE>(value >> (m_bits - 8));
        DWORD widened = 0;
        int filled = 0;
        while (filled < 8) {
            widened = (widened << m_bits) | value;
            filled += m_bits;
        }
        return static_cast<BYTE>(widened >> (filled - 8));
    }

private:
    DWORD m_mask;
    int m_shift;
    int m_bits;
};

DWORD ReadPixel(const BYTE* at, int bitCount) {
    if (bitCount == 16) {
        WORD value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    DWORD value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

} // namespace

bool IsPlain32BitMasks(const ColorMasks& masks) {
    return masks.red == 0x00FF0000 && masks.green == 0x0000FF00 && masks.blue == 0x000000FF;
}

void BitFieldRowTo24Bit(const BYTE* source, int bitCount, const ColorMasks& masks, std::int64_t width,
                        BYTE* target) {
    const MaskChannel red(masks.red), green(masks.green), blue(masks.blue);
    const int bytesPerPixel = bitCount / 8;
    for (std::int64_t x = 0; x < width; ++x) {
        const DWORD pixel = ReadPixel(source + x * bytesPerPixel, bitCount);
        target[3 * x] = blue.Extract(pixel);
        target[3 * x + 1] = green.Extract(pixel);
        target[3 * x + 2] = red.Extract(pixel);
    }
}
