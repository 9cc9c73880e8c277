#include "tools/skingen/WaveFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace SkinGen {

namespace {

static_assert(std::endian::native == std::endian::little);

constexpr std::uint16_t kPcmFormat = 1;
constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBitsPerSample = 16;

template <typename T>
void Append(QByteArray& bytes, T value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

} // namespace

QByteArray EncodeWave(const std::vector<float>& samples, int sampleRate) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * sizeof(std::int16_t));
    const std::uint16_t blockAlign = kChannels * kBitsPerSample / 8;
    QByteArray bytes;
    bytes.append("RIFF");
    Append<std::uint32_t>(bytes, 36 + dataSize); // what follows this field
    bytes.append("WAVE");
    bytes.append("fmt ");
    Append<std::uint32_t>(bytes, 16);
    Append(bytes, kPcmFormat);
    Append(bytes, kChannels);
    Append<std::uint32_t>(bytes, static_cast<std::uint32_t>(sampleRate));
    Append<std::uint32_t>(bytes, static_cast<std::uint32_t>(sampleRate) * blockAlign);
    Append(bytes, blockAlign);
    Append(bytes, kBitsPerSample);
    bytes.append("data");
    Append(bytes, dataSize);
    for (float sample : samples) {
        const float clipped = std::clamp(sample, -1.0f, 1.0f);
        Append(bytes, static_cast<std::int16_t>(std::lround(clipped * 32767.0f)));
    }
    return bytes;
}

} // namespace SkinGen
