#include "platform/imaging/Resampler.h"

#include "platform/base/Parallel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Samples handled per block of the vertical pass: its sums stay in the first-level cache.
constexpr int kVerticalBlock = 1024;
// Kernel weights below this are zeros that rounding left over (a sinc at whole numbers).
constexpr double kNegligibleWeight = 1e-9;
// Multiply-adds worth a thread of their own.
constexpr std::int64_t kWorkPerThread = 1 << 18;

double Sinc(double x) {
    if (x == 0.0)
        return 1.0;
    const double a = kPi * x;
    return std::sin(a) / a;
}

double Lanczos3(double x) {
    return std::abs(x) < 3.0 ? Sinc(x) * Sinc(x / 3.0) : 0.0;
}

// Catmull-Rom: Keys' cubic with a = -0.5, interpolating and sharp without ringing much.
double CatmullRom(double x) {
    x = std::abs(x);
    if (x < 1.0)
        return (1.5 * x - 2.5) * x * x + 1.0;
    if (x < 2.0)
        return ((-0.5 * x + 2.5) * x - 4.0) * x + 2.0;
    return 0.0;
}

double Triangle(double x) {
    x = std::abs(x);
    return x < 1.0 ? 1.0 - x : 0.0;
}

// For each target index: the first source index and the normalised weights of the source indexes
// that contribute to it, all rows of weights padded to the same length.
struct Taps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<float> weights;
    int stride = 0;

    const float* Weights(int target) const { return weights.data() + std::size_t(target) * stride; }
};

// Exact coverage of the source pixels by each target pixel: the reduction of the area filter.
std::vector<std::vector<double>> CoverageWeights(int sourceSize, int targetSize, std::vector<int>& first) {
    const double scale = double(sourceSize) / targetSize;
    std::vector<std::vector<double>> rows(targetSize);
    for (int i = 0; i < targetSize; ++i) {
        const double from = i * scale;
        const double to = std::min<double>((i + 1) * scale, sourceSize);
        const int begin = std::min(sourceSize - 1, int(std::floor(from)));
        const int end = std::max(begin + 1, std::min(sourceSize, int(std::ceil(to))));
        first[i] = begin;
        for (int j = begin; j < end; ++j)
            rows[i].push_back(std::max(0.0, std::min<double>(j + 1, to) - std::max<double>(j, from)));
    }
    return rows;
}

// Sampled kernel weights, the kernel stretched by the reduction factor so that it stays a low-pass
// filter for the target's pixel spacing. Taps outside the picture are left out and the rest
// renormalised, so edges keep their brightness.
std::vector<std::vector<double>> KernelWeights(int sourceSize, int targetSize, double (*kernel)(double),
                                               double radius, std::vector<int>& first) {
    const double scale = double(sourceSize) / targetSize;
    const double stretch = std::max(1.0, scale);
    const double support = radius * stretch;
    std::vector<std::vector<double>> rows(targetSize);
    for (int i = 0; i < targetSize; ++i) {
        const double centre = (i + 0.5) * scale;
        const int begin = std::max(0, int(std::floor(centre - support)));
        const int end = std::min(sourceSize, int(std::ceil(centre + support)) + 1);
        first[i] = begin;
        for (int j = begin; j < end; ++j)
            rows[i].push_back(kernel((j + 0.5 - centre) / stretch));
    }
    return rows;
}

Taps MakeTaps(int sourceSize, int targetSize, ResampleFilter filter) {
    std::vector<int> first(targetSize);
    std::vector<std::vector<double>> rows;
    switch (filter) {
    case ResampleFilter::Area:
        rows = sourceSize >= targetSize ? CoverageWeights(sourceSize, targetSize, first)
                                        : KernelWeights(sourceSize, targetSize, Triangle, 1.0, first);
        break;
    case ResampleFilter::Bicubic:
        rows = KernelWeights(sourceSize, targetSize, CatmullRom, 2.0, first);
        break;
    default:
        rows = KernelWeights(sourceSize, targetSize, Lanczos3, 3.0, first);
        break;
    }

    Taps taps;
    taps.first.resize(targetSize);
    taps.count.resize(targetSize);
    for (int i = 0; i < targetSize; ++i) {
        // Zero weights at either end cost time and add nothing.
        auto& row = rows[i];
        std::size_t lead = 0;
        while (lead + 1 < row.size() && std::abs(row[lead]) < kNegligibleWeight)
            ++lead;
        while (row.size() > lead + 1 && std::abs(row.back()) < kNegligibleWeight)
            row.pop_back();
        row.erase(row.begin(), row.begin() + std::ptrdiff_t(lead));
        taps.first[i] = first[i] + int(lead);
        taps.count[i] = int(row.size());
        taps.stride = std::max(taps.stride, taps.count[i]);
    }
    taps.weights.assign(std::size_t(targetSize) * taps.stride, 0.0f);
    for (int i = 0; i < targetSize; ++i) {
        double sum = 0.0;
        for (double w : rows[i])
            sum += w;
        float* out = taps.weights.data() + std::size_t(i) * taps.stride;
        for (std::size_t k = 0; k < rows[i].size(); ++k)
            out[k] = float(sum != 0.0 ? rows[i][k] / sum : (k == 0 ? 1.0 : 0.0));
    }
    return taps;
}

inline BYTE ToByte(float v) {
    if (!(v > 0.0f))
        return 0;
    if (v >= 255.0f)
        return 255;
    return BYTE(v + 0.5f);
}

// One target row's worth of source columns: the weighted sum of the source rows under it.
__attribute__((target_clones("avx2", "default"))) void
VerticalPass(const ConstPixelRows& source, const Taps& taps, int targetRow, int samples, float* out) {
    const int first = taps.first[targetRow];
    const int count = taps.count[targetRow];
    const float* weights = taps.Weights(targetRow);
    for (int start = 0; start < samples; start += kVerticalBlock) {
        const int n = std::min(kVerticalBlock, samples - start);
        float sums[kVerticalBlock];
        std::fill_n(sums, n, 0.0f);
        for (int k = 0; k < count; ++k) {
            const BYTE* row = source.row0 + source.step * (first + k) + start;
            const float w = weights[k];
            for (int i = 0; i < n; ++i)
                sums[i] += w * float(row[i]);
        }
        std::memcpy(out + start, sums, sizeof(float) * std::size_t(n));
    }
}

template <int Channels>
void HorizontalPass(const float* in, const Taps& taps, int targetWidth, BYTE* out) {
    for (int x = 0; x < targetWidth; ++x) {
        const float* weights = taps.Weights(x);
        const float* pixel = in + std::ptrdiff_t(taps.first[x]) * Channels;
        float sums[Channels] = {};
        for (int k = 0, count = taps.count[x]; k < count; ++k, pixel += Channels)
            for (int c = 0; c < Channels; ++c)
                sums[c] += weights[k] * pixel[c];
        for (int c = 0; c < Channels; ++c)
            out[c] = ToByte(sums[c]);
        out += Channels;
    }
}

void ConvolveRows(const ConstPixelRows& source, const PixelRows& target, int channels,
                  ResampleFilter filter) {
    const Taps columns = MakeTaps(source.width, target.width, filter);
    const Taps rows = MakeTaps(source.height, target.height, filter);
    const int samples = source.width * channels;
    const std::int64_t workPerRow =
        std::int64_t(samples) * rows.stride + std::int64_t(target.width) * channels * columns.stride;
    ParallelFor(target.height, std::max<std::int64_t>(1, kWorkPerThread / workPerRow),
                [&](std::int64_t begin, std::int64_t end) {
                    std::vector<float> blurredRow(static_cast<std::size_t>(samples));
                    for (std::int64_t y = begin; y < end; ++y) {
                        VerticalPass(source, rows, int(y), samples, blurredRow.data());
                        BYTE* out = target.row0 + target.step * y;
                        switch (channels) {
                        case 1:
                            HorizontalPass<1>(blurredRow.data(), columns, target.width, out);
                            break;
                        case 2:
                            HorizontalPass<2>(blurredRow.data(), columns, target.width, out);
                            break;
                        case 3:
                            HorizontalPass<3>(blurredRow.data(), columns, target.width, out);
                            break;
                        default:
                            HorizontalPass<4>(blurredRow.data(), columns, target.width, out);
                            break;
                        }
                    }
                });
}

// The source index whose pixel contains the centre of each target pixel.
std::vector<int> NearestIndexes(int sourceSize, int targetSize) {
    std::vector<int> indexes(targetSize);
    for (int i = 0; i < targetSize; ++i)
        indexes[i] = int((2 * std::int64_t(i) + 1) * sourceSize / (2 * std::int64_t(targetSize)));
    return indexes;
}

void NearestRows(const ConstPixelRows& source, const PixelRows& target, int channels) {
    const std::vector<int> columns = NearestIndexes(source.width, target.width);
    const std::vector<int> rows = NearestIndexes(source.height, target.height);
    ParallelFor(target.height, std::max<std::int64_t>(1, kWorkPerThread / (std::int64_t(target.width) * 4)),
                [&](std::int64_t begin, std::int64_t end) {
                    for (std::int64_t y = begin; y < end; ++y) {
                        const BYTE* in = source.row0 + source.step * rows[std::size_t(y)];
                        BYTE* out = target.row0 + target.step * y;
                        for (int x = 0; x < target.width; ++x, out += channels)
                            std::memcpy(out, in + std::ptrdiff_t(columns[std::size_t(x)]) * channels,
                                        std::size_t(channels));
                    }
                });
}

// One source row narrowed to the target's width, sums kept as they are.
template <int Channels>
void NarrowRow(const BYTE* in, const Taps& taps, int targetWidth, float* out) {
    for (int x = 0; x < targetWidth; ++x, out += Channels) {
        const float* weights = taps.Weights(x);
        const BYTE* pixel = in + std::ptrdiff_t(taps.first[x]) * Channels;
        float sums[Channels] = {};
        for (int k = 0, count = taps.count[x]; k < count; ++k, pixel += Channels)
            for (int c = 0; c < Channels; ++c)
                sums[c] += weights[k] * float(pixel[c]);
        std::copy_n(sums, Channels, out);
    }
}

} // namespace

struct CRowResampler::State {
    PixelRows target;
    int channels = 0;
    bool nearest = false;
    Taps columns, rows;
    std::vector<int> nearestColumns, nearestRows;
    int sourceRow = 0;
    int nextTarget = 0; // the first target row not begun
    // Target rows begun and not finished, with their sums, in order.
    std::deque<std::pair<int, std::vector<float>>> open;
    std::vector<float> narrowed;

    void AddSmooth(const BYTE* row, int y) {
        switch (channels) {
        case 1:
            NarrowRow<1>(row, columns, target.width, narrowed.data());
            break;
        case 2:
            NarrowRow<2>(row, columns, target.width, narrowed.data());
            break;
        case 3:
            NarrowRow<3>(row, columns, target.width, narrowed.data());
            break;
        default:
            NarrowRow<4>(row, columns, target.width, narrowed.data());
            break;
        }
        while (nextTarget < target.height && rows.first[std::size_t(nextTarget)] <= y)
            open.emplace_back(nextTarget++, std::vector<float>(narrowed.size(), 0.0f));
        for (auto& [i, sums] : open) {
            const int k = y - rows.first[std::size_t(i)];
            if (k >= rows.count[std::size_t(i)])
                continue;
            const float w = rows.Weights(i)[k];
            for (std::size_t s = 0; s < sums.size(); ++s)
                sums[s] += w * narrowed[s];
        }
        while (!open.empty() &&
               rows.first[std::size_t(open.front().first)] + rows.count[std::size_t(open.front().first)] <=
                   y + 1) {
            BYTE* out = target.row0 + target.step * open.front().first;
            for (float v : open.front().second)
                *out++ = ToByte(v);
            open.pop_front();
        }
    }

    void AddNearest(const BYTE* row, int y) {
        for (; nextTarget < target.height && nearestRows[std::size_t(nextTarget)] == y; ++nextTarget) {
            BYTE* out = target.row0 + target.step * nextTarget;
            for (int x = 0; x < target.width; ++x, out += channels)
                std::memcpy(out, row + std::ptrdiff_t(nearestColumns[std::size_t(x)]) * channels,
                            std::size_t(channels));
        }
    }
};

CRowResampler::CRowResampler(int sourceWidth, int sourceHeight, const PixelRows& target, int channels,
                             ResampleFilter filter)
    : m_state(std::make_unique<State>()) {
    State& s = *m_state;
    s.target = target;
    s.channels = channels;
    s.nearest = filter == ResampleFilter::Nearest;
    if (s.nearest) {
        s.nearestColumns = NearestIndexes(sourceWidth, target.width);
        s.nearestRows = NearestIndexes(sourceHeight, target.height);
    } else {
        s.columns = MakeTaps(sourceWidth, target.width, filter);
        s.rows = MakeTaps(sourceHeight, target.height, filter);
        s.narrowed.resize(std::size_t(target.width) * std::size_t(channels));
    }
}

CRowResampler::~CRowResampler() = default;

void CRowResampler::AddRow(const BYTE* row) {
    const int y = m_state->sourceRow++;
    if (m_state->nearest)
        m_state->AddNearest(row, y);
    else
        m_state->AddSmooth(row, y);
}

void ResamplePixels(const ConstPixelRows& source, const PixelRows& target, int channels,
                    ResampleFilter filter) {
    if (filter == ResampleFilter::Nearest)
        NearestRows(source, target, channels);
    else
        ConvolveRows(source, target, channels, filter);
}
