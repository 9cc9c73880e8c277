// The library's exports: plain C functions over the effects, which never let an exception out.
#include "effects/Bevel.h"
#include "effects/EffectCall.h"
#include "effects/EffectsExports.h"
#include "effects/Mosaic.h"
#include "effects/Noise.h"
#include "effects/OilPaint.h"
#include "effects/RadialWarp.h"
#include "effects/Relief.h"
#include "effects/Tones.h"
#include "effects/Waves.h"

#include <type_traits>

#define EFFECTS_EXPORT extern "C" __attribute__((visibility("default")))

EFFECTS_EXPORT BITMAPINFOHEADER* Emboss(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, EmbossRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* Wave(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, WaveRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* AddNoise(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, AddNoiseRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* Cone(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, ConeRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* FindEdges(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, FindEdgesRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* FishEye(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, FishEyeRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* Mosaic(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, MosaicRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* Negative(BITMAPINFOHEADER* source) {
    return CallEffect(source, kMaxEffectStrength, NegativeRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* OilPaint(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, OilPaintRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* Raise(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, RaiseRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* Solarize(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, SolarizeRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* Spread(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, SpreadRows);
}

EFFECTS_EXPORT BITMAPINFOHEADER* Swirl(BITMAPINFOHEADER* source, int strength) {
    return CallEffect(source, strength, SwirlRows);
}

static_assert(std::is_same_v<decltype(&Emboss), EffectFunction>);
static_assert(std::is_same_v<decltype(&Negative), NegativeFunction>);
