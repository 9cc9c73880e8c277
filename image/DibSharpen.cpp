#include "image/DibSharpen.h"

#include "image/DibGeometry.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Far beyond any radius the program asks for; it bounds the rows copied around each band.
constexpr int kMaxRadius = 100;
// Rows per thread worth starting one for.
constexpr int kMinBandRows = 64;

// trunc(v) for the weights, held where 64-bit sums of them cannot overflow (amounts from a file may be
// anything).
std::int64_t TruncWeight(double v) {
    constexpr double kLimit = 1e9;
    if (!(v > -kLimit))
        return -static_cast<std::int64_t>(kLimit);
    return static_cast<std::int64_t>(std::min(v, kLimit));
}

struct SharpenWeights {
    std::int64_t n;      // 256 k^2
    std::int64_t centre; // weight of the pixel itself
    std::int64_t box;    // weight of the box sum
    double inverseN;

    BYTE Apply(int p, std::int64_t sum) const {
        const std::int64_t numerator = centre * p - box * sum + n / 2;
        if (numerator < 0)
            return 0; // truncation toward zero, then the clamp
        // numerator / n through the reciprocal, corrected to the exact integer quotient.
        auto q = static_cast<std::int64_t>(static_cast<double>(numerator) * inverseN);
        const std::int64_t rest = numerator - q * n;
        if (rest < 0)
            --q;
        else if (rest >= n)
            ++q;
        return static_cast<BYTE>(std::min<std::int64_t>(q, 255));
    }

    // Amount 0: every pixel stays.
    bool KeepsPixels() const { return box == 0 && centre == n; }
};

SharpenWeights WeightsOf(float amount, int radius) {
    const std::int64_t k = 2 * std::min(radius, kMaxRadius) + 1;
    SharpenWeights weights;
    weights.n = 256 * k * k;
    weights.centre = TruncWeight(static_cast<double>(static_cast<float>(weights.n) * (amount + 1.0f)) + 0.5);
    weights.box = TruncWeight(static_cast<double>(amount * 256.0f) + 0.5);
    weights.inverseN = 1.0 / static_cast<double>(weights.n);
    return weights;
}

// The rows of one band as they were before any band wrote to them: rows inside the band are read in
// place (the band writes each row only after it has read everything below it), the others come from
// copies made before the bands started.
class BandSource {
public:
    BandSource(BYTE* bits, std::int64_t stride, int rowCount, int first, int last, int radius)
        : m_bits(bits), m_stride(stride), m_rowCount(rowCount), m_first(first), m_last(last),
          m_aboveStart(std::max(0, first - radius)), m_belowEnd(std::min(rowCount, last + radius)) {
        m_above.assign(bits + m_aboveStart * stride, bits + first * stride);
        m_below.assign(bits + last * stride, bits + m_belowEnd * stride);
    }

    const BYTE* Row(int y) const {
        y = std::clamp(y, 0, m_rowCount - 1);
        if (y < m_first)
            return m_above.data() + (y - m_aboveStart) * m_stride;
        if (y >= m_last)
            return m_below.data() + (y - m_last) * m_stride;
        return m_bits + y * m_stride;
    }

private:
    BYTE* m_bits;
    std::int64_t m_stride;
    int m_rowCount;
    int m_first;
    int m_last;
    int m_aboveStart;
    int m_belowEnd;
    std::vector<BYTE> m_above;
    std::vector<BYTE> m_below;
};

class BandSharpener {
public:
    BandSharpener(int width, int channels, int radius, const SharpenWeights& weights)
        : m_width(width), m_channels(channels), m_radius(radius), m_weights(weights),
          m_values(static_cast<size_t>(width) * channels),
          m_padded(static_cast<size_t>(width + 2 * radius) * channels),
          m_rowSums(static_cast<size_t>(2 * radius + 1) * m_values), m_columnSums(m_values) {}

    void Run(const BandSource& source, BYTE* bits, std::int64_t stride, int first, int last) {
        const int k = 2 * m_radius + 1;
        std::fill(m_columnSums.begin(), m_columnSums.end(), 0);
        for (int j = first - m_radius; j <= first + m_radius; ++j)
            AddRow(source.Row(j), Slot(j, k));
        for (int y = first; y < last; ++y) {
            BYTE* row = bits + y * stride;
            for (size_t i = 0; i < m_values; ++i)
                row[i] = m_weights.Apply(row[i], m_columnSums[i]);
            if (y + 1 == last)
                break;
            std::int32_t* leaving = Slot(y - m_radius, k);
            for (size_t i = 0; i < m_values; ++i)
                m_columnSums[i] -= leaving[i];
            AddRow(source.Row(y + m_radius + 1), leaving);
        }
    }

private:
    // The ring slot of logical row j (j may lie outside the picture; it stands for the clamped row).
    std::int32_t* Slot(int j, int k) {
        const int slot = ((j % k) + k) % k;
        return m_rowSums.data() + static_cast<size_t>(slot) * m_values;
    }

    // Horizontal box sums of one row into the slot, added to the column sums. The row is copied between
    // r repeats of its first and last pixel; each sum then follows from the one a pixel before it.
    void AddRow(const BYTE* row, std::int32_t* sums) {
        const size_t c = static_cast<size_t>(m_channels), r = static_cast<size_t>(m_radius);
        BYTE* padded = m_padded.data();
        std::memcpy(padded + r * c, row, m_values);
        for (size_t x = 0; x < r; ++x) {
            std::memcpy(padded + x * c, row, c);
            std::memcpy(padded + (r + static_cast<size_t>(m_width) + x) * c, row + m_values - c, c);
        }
        const size_t span = 2 * r * c; // from the first to the last value of a window
        for (size_t i = 0; i < c; ++i) {
            std::int32_t sum = 0;
            for (size_t d = 0; d <= span; d += c)
                sum += padded[i + d];
            sums[i] = sum;
        }
        for (size_t i = c; i < m_values; ++i)
            sums[i] = sums[i - c] + padded[i + span] - padded[i - c];
        for (size_t i = 0; i < m_values; ++i)
            m_columnSums[i] += sums[i];
    }

    int m_width;
    int m_channels;
    int m_radius;
    SharpenWeights m_weights;
    size_t m_values;
    std::vector<BYTE> m_padded;
    std::vector<std::int32_t> m_rowSums;
    std::vector<std::int32_t> m_columnSums; // at most 255 k^2
};

} // namespace

void SharpenDib(BITMAPINFOHEADER* dib, [[maybe_unused]] int firstRow, int rowCount, float amount,
                int radius) {
    const int bpp = DibBitCount(dib);
    const int width = DibWidth(dib);
    if ((bpp != 8 && bpp != 24) || width <= 0 || radius < 0 || rowCount <= 0)
        return;
    radius = std::min(radius, kMaxRadius);
    rowCount = std::min(rowCount, std::abs(DibHeight(dib)));
    const SharpenWeights weights = WeightsOf(amount, radius);
    if (weights.KeepsPixels())
        return;

    BYTE* bits = DibBitsPtr(dib);
    const std::int64_t stride = DibRowBytes(width, bpp);
    const int channels = bpp / 8;
    const int bands = std::clamp(rowCount / kMinBandRows, 1, ParallelThreadCount());
    const auto bandStart = [&](int b) {
        return static_cast<int>(static_cast<std::int64_t>(rowCount) * b / bands);
    };
    // Every band's neighbours are copied before any band writes.
    std::vector<BandSource> sources;
    sources.reserve(static_cast<size_t>(bands));
    for (int b = 0; b < bands; ++b)
        sources.emplace_back(bits, stride, rowCount, bandStart(b), bandStart(b + 1), radius);
    ParallelFor(bands, 1, [&](std::int64_t begin, std::int64_t end) {
        BandSharpener sharpener(width, channels, radius, weights);
        for (auto b = static_cast<int>(begin); b < end; ++b)
            sharpener.Run(sources[static_cast<size_t>(b)], bits, stride, bandStart(b), bandStart(b + 1));
    });
}

bool SharpenKeepsPixels(float amount, int radius) {
    return radius < 0 || WeightsOf(amount, radius).KeepsPixels();
}
