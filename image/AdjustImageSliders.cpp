// The adjustments' names, presets and slider mapping, and the effect list.
#include "image/AdjustImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

struct AdjustInfo {
    const char* name; // in stored settings
    UINT stringId;    // display name in the text module
};

constexpr AdjustInfo kAdjustments[kAdjustCount] = {
    {"Brightness", 221}, {"Saturation", 222}, {"Contrast", 223}, {"Sharpness", 224},
    {"Gamma", 225},      {"Emboss", 279},     {"Wave", 280},     {"AddNoise", 281},
    {"Cone", 282},       {"FindEdge", 283},   {"FishEye", 284},  {"Mosaic", 285},
    {"Negative", 286},   {"OilPaint", 287},   {"Raise", 288},    {"Solarize", 289},
    {"Spread", 290},     {"Swirl", 291},      {"Curl", 312},     {"Red Eye Reduction", 406},
};

// The eye colours the red-eye dialog offers (0x00BBGGRR).
constexpr COLORREF kEyeColourPresets[] = {0x8A7B43, 0x5A6A96, 0x9AB6BA, 0x5C9459, 0x965D5C};

// Slider ranges of the presets.
constexpr int kToneMin = 0;
constexpr int kToneMax = 100;
constexpr int kEffectMin = 20;
constexpr int kEffectMax = 100;
// Presets of adjustments that have no range of their own.
constexpr int kOtherFirst = 5;
constexpr int kOtherSpan = 95;

// A slider position 0..100 as a signed fraction -0.5..0.5.
float SliderFraction(int v) {
    return static_cast<float>(v - 50) / 100.0f;
}

// The slider position of a fraction. Rounded, not truncated: the fractions of whole positions lie just
// below or above them in binary, and a slider must read back where it was set.
int SliderOfFraction(double fraction) {
    return static_cast<int>(std::lround(fraction * 100)) + 50;
}

// The red-eye threshold of a slider position: the further right, the less red a pixel needs.
int RedEyeThreshold(int v) {
    return 200 - v * 90 / 100;
}

} // namespace

const char* CAdjustImage::GetAdjustName(int id) {
    return id >= 0 && id < kAdjustCount ? kAdjustments[id].name : nullptr;
}

int CAdjustImage::FindAdjust(const char* name) {
    if (!name)
        return -1;
    for (int id = 0; id < kAdjustCount; ++id) {
        if (std::strcmp(kAdjustments[id].name, name) == 0)
            return id;
    }
    return -1;
}

UINT CAdjustImage::GetAdjustStringId(int id) {
    return id >= 0 && id < kAdjustCount ? kAdjustments[id].stringId : 0;
}

void CAdjustImage::GetEffectPresets(int id, int* values, int count) {
    if (!values || count < 1)
        return;
    std::fill(values, values + count, -1);
    if (id < 0)
        return;
    if (id == kAdjustNegative) {
        const int presets[] = {0, 100};
        std::copy_n(presets, std::min(count, 2), values);
        return;
    }
    if (id == kAdjustRedEye) {
        const int available = static_cast<int>(std::size(kEyeColourPresets));
        for (int k = 0; k < std::min(count, available); ++k)
            values[k] = static_cast<int>(kEyeColourPresets[k]);
        return;
    }
    if (id >= kAdjustCount) {
        for (int k = 0; k < count; ++k)
            values[k] = kOtherFirst + k * (kOtherSpan / count);
        return;
    }
    const bool tone = id <= kAdjustGamma;
    const int min = tone ? kToneMin : kEffectMin;
    const int max = tone ? kToneMax : kEffectMax;
    for (int k = 0; k < count; ++k)
        values[k] = min + k * ((max - min) / count);
}

int CAdjustImage::GetEffectValue(int id) const {
    const int used = std::clamp(effectCount, 0, kEffectSlots);
    for (int i = 0; i < used; ++i) {
        if (effects[i].id == id)
            return effects[i].value;
    }
    return 0;
}

void CAdjustImage::SetEffect(int id, int value) {
    effectCount = value > 0 ? 1 : 0;
    effects[0] = {id, value};
}

int CAdjustImage::GetAdjustPercent(int id) const {
    switch (id) {
    case kAdjustBrightness:
        return SliderOfFraction(brightness);
    case kAdjustSaturation:
        return SliderOfFraction(saturation - 1.0);
    case kAdjustContrast:
        return SliderOfFraction(std::log(static_cast<double>(contrast)) / std::numbers::ln2 / 2);
    case kAdjustSharpness:
        return SliderOfFraction(sharpness);
    case kAdjustGamma:
        return SliderOfFraction(std::log(static_cast<double>(gamma)) / std::numbers::ln2);
    case kAdjustNegative:
        return GetEffectValue(id) != 0 ? 0 : 100;
    case kAdjustSolarize:
        return 100 - GetEffectValue(id);
    default:
        return id < 0 ? 0 : GetEffectValue(id);
    }
}

void CAdjustImage::SetAdjustPercent(int id, int v) {
    switch (id) {
    case kAdjustBrightness:
        brightness = SliderFraction(v);
        return;
    case kAdjustSaturation:
        saturation = SliderFraction(v) + 1.0f;
        return;
    case kAdjustContrast:
        // 4^x: a quarter to four times the contrast.
        contrast = static_cast<float>(std::exp(2 * std::numbers::ln2 * SliderFraction(v)));
        return;
    case kAdjustSharpness:
        sharpness = SliderFraction(v);
        return;
    case kAdjustGamma:
        gamma = static_cast<float>(std::exp(std::numbers::ln2 * SliderFraction(v)));
        return;
    case kAdjustNegative:
        SetEffect(id, v < 50 ? 1 : 0);
        return;
    case kAdjustSolarize:
        SetEffect(id, 100 - v);
        return;
    case kAdjustRedEye:
        redEye[currentRegion].threshold = RedEyeThreshold(v);
        SetEffect(id, v);
        return;
    default:
        if (id > kAdjustGamma)
            SetEffect(id, v);
        return;
    }
}
