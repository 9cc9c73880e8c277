#include "effects/Relief.h"

#include "effects/EffectStrength.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <numbers>
#include <vector>

namespace {

// Output rows filtered together by one thread: their padded source rows stay in the cache.
constexpr int kBandRows = 32;

// The fewest samples worth a thread of their own: a thread costs its start and its scratch rows.
constexpr std::int64_t kSamplesPerThread = 1 << 18;

// The share of the filtered picture at the lowest strength: the photo shows through.
constexpr double kLeastFilterShare = 0.25;

// The neighbourhood's half width for a wanted radius: cut so that the neighbourhood fits the picture,
// as small pictures have always been drawn, but never below one pixel.
int HalfWidth(double wantedRadius, const ConstPixelRows& source) {
    const double radius = std::min(wantedRadius, (ShorterSide(source.width, source.height) - 1) / 2.0);
    return static_cast<int>(std::ceil(std::max(radius, 0.5)));
}

// A band of source rows as floats, halo rows above and below and halo pixels left and right of each,
// with the edge pixels repeated outwards.
class PaddedBand {
public:
    PaddedBand(const ConstPixelRows& source, int halo)
        : m_source(source), m_halo(halo), m_stride(3 * (source.width + 2 * halo)),
          m_samples(static_cast<std::size_t>(m_stride) * (kBandRows + 2 * halo)) {}

    // Loads the rows around first .. first + count - 1 of the source.
    void Load(int first, int count) {
        const int samples = 3 * m_source.width;
        for (int r = 0; r < count + 2 * m_halo; ++r) {
            const int y = std::clamp(first - m_halo + r, 0, m_source.height - 1);
            const BYTE* in = m_source.row0 + m_source.step * y;
            float* out = m_samples.data() + static_cast<std::size_t>(m_stride) * r + 3 * m_halo;
            for (int i = 0; i < samples; ++i)
                out[i] = in[i];
            for (int x = 1; x <= m_halo; ++x)
                for (int c = 0; c < 3; ++c) {
                    out[c - 3 * x] = in[c];
                    out[samples - 3 + c + 3 * x] = in[samples - 3 + c];
                }
        }
    }
    // The samples of band row r (-halo .. count + halo - 1) from the picture's first column on.
    const float* Row(int r) const {
        return m_samples.data() + static_cast<std::size_t>(m_stride) * (r + m_halo) + 3 * m_halo;
    }
    int Stride() const { return m_stride; }

private:
    ConstPixelRows m_source;
    int m_halo;
    int m_stride;
    std::vector<float> m_samples;
};

// Calls filter(band, first, count, scratch) for bands of target rows, in parallel. Each thread has its
// own band and its own Scratch(samples a row, halo), made once, which finish(scratch) receives after
// the thread's last band.
template <typename Scratch, typename Filter, typename Finish>
void ForEachBand(const ConstPixelRows& source, int halo, Filter filter, Finish finish) {
    const std::int64_t bands = (source.height + kBandRows - 1) / kBandRows;
    const std::int64_t samples = 3 * std::int64_t{source.width} * source.height;
    const std::int64_t workers = std::min<std::int64_t>(
        {ParallelThreadCount(), bands, (samples + kSamplesPerThread - 1) / kSamplesPerThread});
    std::atomic<std::int64_t> nextBand{0};
    ParallelFor(workers, 1, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t worker = begin; worker < end; ++worker) {
            PaddedBand band(source, halo);
            Scratch scratch(3 * source.width, halo);
            for (std::int64_t b = nextBand++; b < bands; b = nextBand++) {
                const int first = static_cast<int>(b) * kBandRows;
                const int count = std::min(kBandRows, source.height - first);
                band.Load(first, count);
                filter(band, first, count, scratch);
            }
            finish(scratch);
        }
    });
}

// The number of samples in the rows of a band and its halo.
std::size_t BandSamples(int samples, int halo) {
    return static_cast<std::size_t>(samples) * (kBandRows + 2 * halo);
}

// The weight of the filtered picture in 256ths: a quarter at the lowest strength, all at full strength.
int FilterWeight(int strength) {
    return static_cast<int>(
        std::lround((kLeastFilterShare + (1 - kLeastFilterShare) * StrengthFraction(strength)) * 256));
}

// result = under + (filtered - under) * weight / 256; the shift rounds towards minus infinity on
// both sides of the mix alike.
BYTE Mix(int under, int filtered, int weight) {
    return static_cast<BYTE>(under + (((filtered - under) * weight) >> 8));
}

// The relief's weights, in rows and columns from -half to half: a Gaussian that is positive below and
// right of the centre and negative elsewhere, zero on the rising diagonal except the centre, which
// keeps the pixel itself; the sum of all weights scales the result.
struct EmbossKernel {
    int half;
    double gauss;               // the Gaussian's factor 8 / (2 pi sigma^2)
    std::vector<float> falloff; // exp(-d^2 / (2 sigma^2)) for d = 0 .. half
    std::vector<float>
        diagonal; // what the diagonal's weights need beyond the separable parts, d = -half .. half
    double scale; // one over the sum of all weights
};

EmbossKernel MakeEmbossKernel(int half, double sigma) {
    EmbossKernel kernel{half, 8 / (2 * std::numbers::pi * sigma * sigma), {}, {}, 1.0};
    for (int d = 0; d <= half; ++d)
        kernel.falloff.push_back(static_cast<float>(std::exp(-double(d) * d / (2 * sigma * sigma))));
    double sum = 0;
    for (int v = -half; v <= half; ++v)
        for (int u = -half; u <= half; ++u) {
            const double sign = u < 0 || v < 0 ? -1.0 : 1.0;
            const double weight =
                sign * kernel.gauss * std::exp(-(double(u) * u + double(v) * v) / (2 * sigma * sigma));
            sum += u != -v ? weight : v == 0 ? 1.0 : 0.0;
        }
    if (std::abs(sum) > 1e-12)
        kernel.scale = 1 / sum;
    // The separable parts give the diagonal g(d)^2 times the factor, positive at the centre only.
    for (int d = -half; d <= half; ++d) {
        const double separable = kernel.gauss * kernel.falloff[std::abs(d)] * kernel.falloff[std::abs(d)];
        kernel.diagonal.push_back(static_cast<float>(d == 0 ? 1.0 - separable : separable));
    }
    return kernel;
}

// A thread's rows filtered along the rows, one row of sums and its count of each channel's tones.
struct EmbossScratch {
    EmbossScratch(int samples, int halo)
        : quarter(BandSamples(samples, halo)), whole(BandSamples(samples, halo)), sum(samples),
          histogram(3 * 65536) {}
    std::vector<float> quarter, whole, sum;
    std::vector<std::uint32_t> histogram;
};

// The relief of one band as 16-bit tones (255 is 65535), its rows one after another from tones on. The
// weights split into 2 * positive quarter - whole Gaussian, both separable, plus the diagonal.
void EmbossBand(const EmbossKernel& kernel, const PaddedBand& band, int count, int width,
                EmbossScratch& scratch, std::uint16_t* tones) {
    const int half = kernel.half, samples = 3 * width;
    const std::size_t rows = static_cast<std::size_t>(count + 2 * half);
    std::vector<float>& quarter = scratch.quarter;
    std::vector<float>& whole = scratch.whole;
    // Each loop runs along a whole row, so that it works on many samples at once.
    for (std::size_t r = 0; r < rows; ++r) {
        const float* in = band.Row(static_cast<int>(r) - half);
        float* q = quarter.data() + r * samples;
        float* w = whole.data() + r * samples;
        for (int i = 0; i < samples; ++i)
            q[i] = w[i] = kernel.falloff[0] * in[i];
        for (int d = 1; d <= half; ++d) {
            const float f = kernel.falloff[d];
            for (int i = 0; i < samples; ++i) {
                q[i] += f * in[i + 3 * d];
                w[i] += f * (in[i + 3 * d] + in[i - 3 * d]);
            }
        }
    }
    const float gauss = static_cast<float>(kernel.gauss), scale = static_cast<float>(kernel.scale * 257);
    float* sum = scratch.sum.data();
    for (int y = 0; y < count; ++y, tones += samples) {
        std::fill_n(sum, samples, 0.0f);
        for (int d = -half; d <= half; ++d) {
            const float* q = quarter.data() + static_cast<std::size_t>(y + half + d) * samples;
            const float* w = whole.data() + static_cast<std::size_t>(y + half + d) * samples;
            const float* diagonal = band.Row(y - d) + 3 * d;
            const float down = d >= 0 ? 2 * gauss * kernel.falloff[d] : 0.0f;
            const float around = gauss * kernel.falloff[std::abs(d)], along = kernel.diagonal[d + half];
            for (int i = 0; i < samples; ++i)
                sum[i] += down * q[i] - around * w[i] + along * diagonal[i];
        }
        for (int i = 0; i < samples; ++i)
            tones[i] = static_cast<std::uint16_t>(std::clamp(sum[i] * scale, 0.0f, 65535.0f) + 0.5f);
    }
}

// For each channel, the byte that a 16-bit tone becomes once the tones are spread so that each step
// holds as many pixels as the tones below it.
std::vector<BYTE> EqualizedBytes(const std::vector<std::uint32_t>& histogram) {
    std::vector<BYTE> bytes(3 * 65536);
    for (int c = 0; c < 3; ++c) {
        const std::uint32_t* counts = histogram.data() + c * 65536;
        const double low = counts[0];
        double high = 0;
        for (int i = 0; i < 65536; ++i)
            high += counts[i];
        // Only the tones that occur are ever looked up.
        double below = 0;
        for (int i = 0; i < 65536; ++i) {
            if (counts[i] == 0)
                continue;
            below += counts[i];
            // A channel of one tone stays as it is.
            const auto tone =
                high == low ? i : static_cast<std::uint32_t>(65535 * (below - low) / (high - low));
            bytes[c * 65536 + i] = static_cast<BYTE>((tone * 255 + 32767) / 65535);
        }
    }
    return bytes;
}

// A thread's rows summed along the rows.
struct EdgeScratch {
    EdgeScratch(int samples, int halo) : across(BandSamples(samples, halo)) {}
    std::vector<float> across;
};

} // namespace

// The depth is the Gaussian's spread: from half a pixel to two and a half.
bool EmbossRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const double sigma = 0.5 + 2.0 * StrengthFraction(strength);
    const EmbossKernel kernel = MakeEmbossKernel(HalfWidth(std::ceil(3 * sigma), source), sigma);
    const std::size_t samples = 3 * static_cast<std::size_t>(source.width);
    // The relief is computed once and kept, two bytes a sample, while its tones are counted; then the
    // tones are spread.
    std::vector<std::uint16_t> tones(samples * static_cast<std::size_t>(source.height));
    std::vector<std::uint32_t> histogram(3 * 65536);
    std::mutex histogramLock;
    ForEachBand<EmbossScratch>(
        source, kernel.half,
        [&](const PaddedBand& band, int first, int count, EmbossScratch& scratch) {
            std::uint16_t* bandTones = tones.data() + samples * static_cast<std::size_t>(first);
            EmbossBand(kernel, band, count, source.width, scratch, bandTones);
            std::uint32_t* counts = scratch.histogram.data();
            for (std::size_t i = 0, end = samples * static_cast<std::size_t>(count); i < end; i += 3) {
                ++counts[bandTones[i]];
                ++counts[65536 + bandTones[i + 1]];
                ++counts[2 * 65536 + bandTones[i + 2]];
            }
        },
        [&](const EmbossScratch& scratch) {
            const std::lock_guard lock(histogramLock);
            for (std::size_t i = 0; i < histogram.size(); ++i)
                histogram[i] += scratch.histogram[i];
        });
    const std::vector<BYTE> bytes = EqualizedBytes(histogram);
    const int weight = FilterWeight(strength);
    const std::int64_t rowsPerThread = std::max<std::int64_t>(1, kSamplesPerThread / std::int64_t(samples));
    ParallelFor(source.height, rowsPerThread, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t y = begin; y < end; ++y) {
            const std::uint16_t* rowTones = tones.data() + samples * static_cast<std::size_t>(y);
            const BYTE* in = source.row0 + source.step * y;
            BYTE* out = target.row0 + target.step * y;
            for (std::size_t i = 0; i < samples; i += 3) {
                out[i] = Mix(in[i], bytes[rowTones[i]], weight);
                out[i + 1] = Mix(in[i + 1], bytes[65536 + rowTones[i + 1]], weight);
                out[i + 2] = Mix(in[i + 2], bytes[2 * 65536 + rowTones[i + 2]], weight);
            }
        }
    });
    return true;
}

// Each pixel counts its neighbourhood's size times itself less the neighbourhood's sum (itself
// included), cut to 0 .. 255: flat areas go black.
bool FindEdgesRows(const ConstPixelRows& source, const PixelRows& target, int strength) {
    const int half = HalfWidth(0.5 + 2.5 * StrengthFraction(strength), source);
    const float area = static_cast<float>((2 * half + 1) * (2 * half + 1));
    const int weight = FilterWeight(strength), samples = 3 * source.width;
    ForEachBand<EdgeScratch>(
        source, half,
        [&](const PaddedBand& band, int first, int count, EdgeScratch& scratch) {
            std::vector<float>& across = scratch.across;
            const std::size_t rows = static_cast<std::size_t>(count + 2 * half);
            for (std::size_t r = 0; r < rows; ++r) {
                const float* in = band.Row(static_cast<int>(r) - half);
                float* sum = across.data() + r * samples;
                for (int i = 0; i < samples; ++i) {
                    float s = 0;
                    for (int d = -half; d <= half; ++d)
                        s += in[i + 3 * d];
                    sum[i] = s;
                }
            }
            for (int y = 0; y < count; ++y) {
                const float* centre = band.Row(y);
                const BYTE* in = source.row0 + source.step * (first + y);
                BYTE* out = target.row0 + target.step * (first + y);
                for (int i = 0; i < samples; ++i) {
                    float box = 0;
                    for (int d = 0; d <= 2 * half; ++d)
                        box += across[(y + d) * samples + i];
                    const int edge = static_cast<int>(std::clamp(area * centre[i] - box, 0.0f, 255.0f));
                    out[i] = Mix(in[i], edge, weight);
                }
            }
        },
        [](const EdgeScratch&) {});
    return true;
}
