#include "tools/skingen/SoundArt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace SkinGen {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// The same noise on every run, so the files do not change from one build to the next.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_state(seed) {}
    double Next() {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

private:
    std::uint32_t m_state;
};

class Sound {
public:
    explicit Sound(double seconds) : m_samples(static_cast<size_t>(seconds * kSoundRate), 0.0) {}

    size_t Size() const { return m_samples.size(); }
    static double Time(size_t i) { return static_cast<double>(i) / kSoundRate; }

    // A decaying sine partial starting at `start` seconds, its pitch gliding from `from` to `to` Hz.
    void Tone(double start, double from, double to, double decay, double level) {
        double phase = 0.0;
        const size_t first = static_cast<size_t>(start * kSoundRate);
        for (size_t i = first; i < m_samples.size(); ++i) {
            const double t = Time(i - first);
            const double glide = std::min(1.0, t / 0.08);
            phase += kTwoPi * (from + (to - from) * glide) / kSoundRate;
            m_samples[i] += level * std::exp(-t / decay) * std::sin(phase);
        }
    }

    // A burst of noise with a fast attack and an exponential decay, smoothed by a one-pole low pass
    // at `cutoff` Hz and, when `highPass` is set, with its low part removed.
    void Burst(double start, double decay, double level, double cutoff, bool highPass, std::uint32_t seed) {
        Noise noise(seed);
        const double smoothing = std::exp(-kTwoPi * cutoff / kSoundRate);
        double low = 0.0;
        const size_t first = static_cast<size_t>(start * kSoundRate);
        for (size_t i = first; i < m_samples.size(); ++i) {
            const double t = Time(i - first);
            const double raw = noise.Next();
            low = (1.0 - smoothing) * raw + smoothing * low;
            const double filtered = highPass ? raw - low : low;
            const double attack = std::min(1.0, t / 0.0015);
            m_samples[i] += level * attack * std::exp(-t / decay) * filtered;
        }
    }

    // Noise whose band glides from `from` to `to` Hz under a bell-shaped envelope: a swish.
    void Swish(double start, double length, double from, double to, double level, std::uint32_t seed) {
        Noise noise(seed);
        double low1 = 0.0;
        double low2 = 0.0;
        const size_t first = static_cast<size_t>(start * kSoundRate);
        const size_t count = static_cast<size_t>(length * kSoundRate);
        for (size_t k = 0; k < count && first + k < m_samples.size(); ++k) {
            const double x = static_cast<double>(k) / static_cast<double>(count);
            const double centre = from * std::pow(to / from, x);
            const double a1 = std::exp(-kTwoPi * centre * 1.4 / kSoundRate);
            const double a2 = std::exp(-kTwoPi * centre / 1.4 / kSoundRate);
            const double raw = noise.Next();
            low1 = (1.0 - a1) * raw + a1 * low1;
            low2 = (1.0 - a2) * raw + a2 * low2;
            const double envelope = std::sin(std::numbers::pi * x) * std::sin(std::numbers::pi * x);
            m_samples[first + k] += level * envelope * (low1 - low2);
        }
    }

    // Scales the sound to the peak level and fades its two ends.
    std::vector<float> Finish(double peak) const {
        double highest = 1e-9;
        for (double s : m_samples) {
            highest = std::max(highest, std::abs(s));
        }
        std::vector<float> out(m_samples.size());
        const size_t fadeIn = kSoundRate / 1000;
        const size_t fadeOut = kSoundRate * 4 / 1000;
        for (size_t i = 0; i < m_samples.size(); ++i) {
            double gain = peak / highest;
            if (i < fadeIn) {
                gain *= static_cast<double>(i) / fadeIn;
            }
            if (m_samples.size() - i <= fadeOut) {
                gain *= static_cast<double>(m_samples.size() - i - 1) / fadeOut;
            }
            out[i] = static_cast<float>(m_samples[i] * gain);
        }
        return out;
    }

private:
    std::vector<double> m_samples;
};

std::vector<float> Tick() {
    Sound s(0.035);
    s.Tone(0, 2600, 2400, 0.006, 1.0);
    s.Burst(0, 0.002, 0.5, 6000, true, 11);
    return s.Finish(0.45);
}

std::vector<float> Click() {
    Sound s(0.06);
    s.Tone(0, 1250, 1100, 0.012, 1.0);
    s.Tone(0, 3100, 3000, 0.005, 0.4);
    s.Burst(0, 0.003, 0.6, 5000, true, 12);
    return s.Finish(0.5);
}

std::vector<float> Sweek() {
    Sound s(0.24);
    s.Swish(0, 0.22, 3200, 700, 1.0, 13);
    s.Tone(0.02, 900, 420, 0.08, 0.15);
    return s.Finish(0.45);
}

std::vector<float> Blaetter() {
    Sound s(0.3);
    s.Swish(0, 0.16, 2500, 5500, 1.0, 14);
    s.Swish(0.11, 0.17, 4500, 2200, 0.8, 15);
    s.Burst(0.25, 0.01, 0.35, 3000, true, 16);
    return s.Finish(0.45);
}

std::vector<float> Info() {
    Sound s(0.42);
    for (auto [start, pitch] : {std::pair{0.0, 880.0}, std::pair{0.09, 1318.5}}) {
        s.Tone(start, pitch, pitch, 0.12, 1.0);
        s.Tone(start, pitch * 2.0, pitch * 2.0, 0.05, 0.25);
        s.Tone(start, pitch * 3.01, pitch * 3.01, 0.03, 0.08);
    }
    return s.Finish(0.4);
}

std::vector<float> Camera() {
    Sound s(0.26);
    s.Burst(0, 0.006, 1.0, 2500, true, 17);
    s.Tone(0, 1800, 1500, 0.006, 0.4);
    s.Burst(0.12, 0.012, 0.8, 1800, false, 18);
    s.Burst(0.12, 0.004, 0.6, 4000, true, 19);
    return s.Finish(0.55);
}

std::vector<float> Camera2() {
    Sound s(0.36);
    s.Burst(0, 0.006, 1.0, 2500, true, 20);
    // The wind-on motor: a buzz that rises a little and fades.
    s.Tone(0.03, 210, 260, 0.12, 0.25);
    s.Tone(0.03, 420, 520, 0.1, 0.12);
    s.Swish(0.03, 0.25, 900, 1400, 0.35, 21);
    s.Burst(0.3, 0.005, 0.7, 3000, true, 22);
    return s.Finish(0.5);
}

std::vector<float> Dreh() {
    Sound s(0.22);
    // A ratchet: ticks that come closer together.
    double t = 0.0;
    for (int i = 0; i < 7; ++i) {
        s.Burst(t, 0.0025, 1.0 - 0.08 * i, 4000, true, 30u + static_cast<std::uint32_t>(i));
        s.Tone(t, 2100 + 60.0 * i, 2100 + 60.0 * i, 0.003, 0.3);
        t += 0.034 - 0.003 * i;
    }
    return s.Finish(0.45);
}

std::vector<float> QuickClick() {
    Sound s(0.018);
    s.Burst(0, 0.0018, 1.0, 5000, true, 40);
    s.Tone(0, 3400, 3200, 0.002, 0.5);
    return s.Finish(0.4);
}

std::vector<float> SoftClick() {
    Sound s(0.045);
    s.Tone(0, 820, 700, 0.009, 1.0);
    s.Burst(0, 0.003, 0.35, 2500, false, 41);
    return s.Finish(0.45);
}

} // namespace

std::vector<SoundArt> MakeSounds() {
    return {{"tick.wav", Tick()},         {"click.wav", Click()}, {"sweek.wav", Sweek()},
            {"blaetter.wav", Blaetter()}, {"info.wav", Info()},   {"camera.wav", Camera()},
            {"camera2.wav", Camera2()},   {"dreh.wav", Dreh()},   {"quickcl.wav", QuickClick()},
            {"sfclick.wav", SoftClick()}};
}

} // namespace SkinGen
