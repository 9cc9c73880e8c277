// The GIF LZW encoder: an open-addressing hash of (pixel, prefix) keys over 5003 slots, with a clear code
// whenever the code table is full. All coder state lives in one call.

#include "image/GifLzwEncoder.h"

#include "image/ImageImpl.h"

#include <array>
#include <cstdint>
#include <memory>

namespace {

constexpr int kMaxCodeSize = 12;
constexpr int kMaxCodes = 1 << kMaxCodeSize;
constexpr int kHashSize = 5003; // a prime somewhat above 4096
// 8 less the number of doublings of 5003 that stay below 65536.
constexpr int kHashShift = 4;
constexpr int kStartCodeSize = 9;
constexpr int kClearCode = 256;
constexpr int kEndCode = 257;
constexpr int kFirstFree = 258;
constexpr std::size_t kMaxBlock = 254;

class Encoder {
public:
    explicit Encoder(std::vector<BYTE>& out) : m_out(out) { ClearHash(); }

    void Encode(const CImageImpl& image) {
        Output(kClearCode);
        PixelScan scan(image);
        int prefix = scan.Next();
        while (scan.HasMore())
            Add(scan.Next(), prefix);
        Output(prefix);
        Output(kEndCode);
        if (m_bitCount > 0)
            Emit(static_cast<BYTE>(m_bits));
        FlushBlock();
    }

private:
    // One byte per pixel from the top-left pixel, row by row down the picture.
    class PixelScan {
    public:
        explicit PixelScan(const CImageImpl& image)
            : m_image(image), m_left(std::int64_t{image.GetWidth()} * image.GetHeight()) {}
        bool HasMore() const { return m_left > 0; }
        int Next() {
            const BYTE* row = m_image.GetBits() + static_cast<std::ptrdiff_t>(m_image.GetStride()) *
                                                      (m_image.GetHeight() - 1 - m_row);
            const int pixel = row[m_column];
            --m_left;
            if (++m_column == m_image.GetWidth()) {
                m_column = 0;
                ++m_row;
            }
            return pixel;
        }

    private:
        const CImageImpl& m_image;
        std::int64_t m_left;
        int m_column = 0;
        int m_row = 0;
    };

    void ClearHash() { m_keys.fill(-1); }

    void Add(int pixel, int& prefix) {
        const std::int32_t key = (pixel << kMaxCodeSize) + prefix;
        int index = (pixel << kHashShift) ^ prefix;
        if (m_keys[index] == key) {
            prefix = m_codes[index];
            return;
        }
        if (m_keys[index] != -1) {
            const int step = index == 0 ? 1 : kHashSize - index;
            do {
                index -= step;
                if (index < 0)
                    index += kHashSize;
                if (m_keys[index] == key) {
                    prefix = m_codes[index];
                    return;
                }
            } while (m_keys[index] > 0);
        }
        Output(prefix);
        prefix = pixel;
        if (m_freeCode < kMaxCodes) {
            m_codes[index] = static_cast<WORD>(m_freeCode++);
            m_keys[index] = key;
            return;
        }
        ClearHash();
        m_freeCode = kFirstFree;
        m_clearMarked = true;
        Output(kClearCode);
    }

    void Output(int code) {
        m_bits |= static_cast<std::uint32_t>(code) << m_bitCount;
        m_bitCount += m_codeSize;
        while (m_bitCount >= 8) {
            Emit(static_cast<BYTE>(m_bits));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
        if (m_freeCode > m_largestCode || m_clearMarked) {
            if (m_clearMarked) {
                m_codeSize = kStartCodeSize;
                m_largestCode = (1 << m_codeSize) - 1;
                m_clearMarked = false;
            } else {
                ++m_codeSize;
                m_largestCode = m_codeSize == kMaxCodeSize ? kMaxCodes : (1 << m_codeSize) - 1;
            }
        }
    }

    void Emit(BYTE byte) {
        m_block[m_blockFill++] = byte;
        if (m_blockFill == kMaxBlock)
            FlushBlock();
    }

    void FlushBlock() {
        if (m_blockFill == 0)
            return;
        m_out.push_back(static_cast<BYTE>(m_blockFill));
        m_out.insert(m_out.end(), m_block.begin(),
                     m_block.begin() + static_cast<std::ptrdiff_t>(m_blockFill));
        m_blockFill = 0;
    }

    std::vector<BYTE>& m_out;
    std::array<std::int32_t, kHashSize> m_keys;
    std::array<WORD, kHashSize> m_codes{};
    std::array<BYTE, kMaxBlock> m_block{};
    std::size_t m_blockFill = 0;
    std::uint32_t m_bits = 0;
    int m_bitCount = 0;
    int m_codeSize = kStartCodeSize;
    int m_largestCode = (1 << kStartCodeSize) - 1;
    int m_freeCode = kFirstFree;
    bool m_clearMarked = false;
};

} // namespace

void EncodeGifPixels(const CImageImpl& image, std::vector<BYTE>& out) {
    if (!image.GetBits() || image.GetWidth() < 1 || image.GetHeight() < 1)
        return;
    auto encoder = std::make_unique<Encoder>(out);
    encoder->Encode(image);
}
