#include "image/DibRle.h"

#include <algorithm>

namespace {

// Escape codes that follow a zero count byte.
constexpr BYTE kEndOfLine = 0;
constexpr BYTE kEndOfBitmap = 1;
constexpr BYTE kDelta = 2; // followed by a right and an up offset

// The rows being written, with the current pixel position; position and writes stay inside the picture.
class RleCanvas {
public:
    RleCanvas(int bitCount, std::int64_t width, std::int64_t height, std::int64_t rowBytes, BYTE* rows)
        : m_bitCount(bitCount), m_width(width), m_height(height), m_rowBytes(rowBytes), m_rows(rows) {}

    bool IsFull() const { return m_y >= m_height; }
    int HighestIndex() const { return m_highestIndex; }

    void Put(BYTE index) {
        if (m_x < m_width && m_y < m_height) {
            m_highestIndex = std::max<int>(m_highestIndex, index);
            BYTE* row = m_rows + m_y * m_rowBytes;
            if (m_bitCount == 8) {
                row[m_x] = index;
            } else if (m_x % 2 == 0) {
                row[m_x / 2] = static_cast<BYTE>((row[m_x / 2] & 0x0F) | (index << 4));
            } else {
                row[m_x / 2] = static_cast<BYTE>((row[m_x / 2] & 0xF0) | (index & 0x0F));
            }
        }
        m_x = std::min(m_x + 1, m_width);
    }

    void EndLine() {
        m_x = 0;
        ++m_y;
    }

    void Move(BYTE right, BYTE up) {
        m_x = std::min(m_x + right, m_width);
        m_y += up;
    }

private:
    int m_bitCount;
    std::int64_t m_width;
    std::int64_t m_height;
    std::int64_t m_rowBytes;
    BYTE* m_rows;
    std::int64_t m_x = 0;
    std::int64_t m_y = 0;
    int m_highestIndex = 0;
};

// Pixel i of a run whose bytes hold one (RLE8) or two (RLE4, high nibble first) pixels.
BYTE RunPixel(BYTE packed, int bitCount, int i) {
    if (bitCount == 8)
        return packed;
    return i % 2 == 0 ? static_cast<BYTE>(packed >> 4) : static_cast<BYTE>(packed & 0x0F);
}

} // namespace

int DecodeBmpRle(std::span<const BYTE> encoded, int bitCount, std::int64_t width, std::int64_t height,
                 std::int64_t rowBytes, BYTE* rows) {
    RleCanvas canvas(bitCount, width, height, rowBytes, rows);
    std::size_t pos = 0;
    while (pos + 2 <= encoded.size() && !canvas.IsFull()) {
        const BYTE count = encoded[pos];
        const BYTE code = encoded[pos + 1];
        pos += 2;
        if (count > 0) {
            // Encoded run: count pixels of one byte (RLE4: two alternating indexes).
            for (int i = 0; i < count; ++i)
                canvas.Put(RunPixel(code, bitCount, i));
            continue;
        }
        if (code == kEndOfLine) {
            canvas.EndLine();
        } else if (code == kEndOfBitmap) {
            break;
        } else if (code == kDelta) {
            if (pos + 2 > encoded.size())
                break;
            canvas.Move(encoded[pos], encoded[pos + 1]);
            pos += 2;
        } else {
            // Absolute run of code pixels, padded to an even number of bytes.
            const std::size_t bytes = bitCount == 8 ? code : (code + 1u) / 2;
            for (int i = 0; i < code; ++i) {
                const std::size_t at = pos + static_cast<std::size_t>(bitCount == 8 ? i : i / 2);
                if (at >= encoded.size())
                    return canvas.HighestIndex();
                canvas.Put(RunPixel(encoded[at], bitCount, i));
            }
            pos += (bytes + 1) & ~std::size_t{1};
        }
    }
    return canvas.HighestIndex();
}
