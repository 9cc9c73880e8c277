#include "image/ConversionTables.h"

#include <cmath>

namespace {

// Weights of one colour mode: offset b, grey weight s and colour weight c.
struct ToneWeights {
    float offset = 0.0f;
    float grey = 0.0f;
    float colour = 1.0f;
};

ToneWeights WeightsFor(const ADJUST* s) {
    if (!s)
        return {};
    const float brightness = s->brightness;
    const float contrast = s->contrast;
    const float saturation = s->saturation;
    switch (s->colourMode) {
    case 0:
        return {static_cast<float>(brightness * 0.5), 1.0f, 0.0f};
    case 1:
        return {static_cast<float>(brightness - contrast * 0.5 + 0.5), contrast, 0.0f};
    case 2:
    case 3:
        return {static_cast<float>(brightness - contrast * 0.5 + 0.5), (1 - saturation) * contrast,
                saturation * contrast};
    default:
        return {0.0f, 0.0f, 0.0f};
    }
}

RGBTRIPLE Grey(BYTE level) {
    return {level, level, level};
}

} // namespace

void BuildConversionTables(const ADJUST* s, ToneTables& tables) {
    const ToneWeights w = WeightsFor(s);
    const bool curved = s && s->colourMode != 0;
    for (int i = 0; i < 256; ++i) {
        const double linear = i / 255.0;
        const float g = static_cast<float>(curved && i != 0 ? std::exp(std::log(linear) * s->gamma) : linear);
        tables[0][i] = w.colour * g;
        tables[1][i] = static_cast<float>(0.3 * w.grey * g + w.offset);
        tables[2][i] = static_cast<float>(0.52 * w.grey * g);
        tables[3][i] = static_cast<float>(0.18 * w.grey * g);
        tables[4][i] = (w.colour + w.grey) * g + w.offset;
    }
}

BYTE ThresholdByte(double v) {
    return v >= 0.5 ? 255 : 0;
}

RGBTRIPLE ConvertGreyPixel(RGBTRIPLE p, const ToneTables& t) {
    return Grey(GreyLevel(p, t));
}

RGBTRIPLE ConvertTwoColorPixel(RGBTRIPLE p, const ToneTables& t, COLORREF dark, COLORREF light) {
    return ToTriple(ThresholdByte(GreySum(p, t)) == 255 ? light : dark);
}

RGBTRIPLE ConvertGreyLevel(int i, const ToneTables& t) {
    return Grey(ToByte(t[4][i]));
}

RGBTRIPLE ConvertTwoColorLevel(int i, const ToneTables& t, COLORREF dark, COLORREF light) {
    return ToTriple(t[4][i] >= 0.5f ? light : dark);
}

RGBTRIPLE ToTriple(COLORREF colour) {
    return {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
}
