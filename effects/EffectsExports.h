#pragma once
// The exports of the effects library, for the library and for the adjustment engine that loads it
// from the program folder and looks each export up by name at every call.

#include "platform/base/WinStructs.h"

#include <iterator>

// The library's file in the program folder.
inline constexpr char kEffectsFileName[] = "libEffects.so";

inline constexpr char kEmbossExportName[] = "Emboss";
inline constexpr char kWaveExportName[] = "Wave";
inline constexpr char kAddNoiseExportName[] = "AddNoise";
inline constexpr char kConeExportName[] = "Cone";
inline constexpr char kFindEdgesExportName[] = "FindEdges";
inline constexpr char kFishEyeExportName[] = "FishEye";
inline constexpr char kMosaicExportName[] = "Mosaic";
inline constexpr char kNegativeExportName[] = "Negative";
inline constexpr char kOilPaintExportName[] = "OilPaint";
inline constexpr char kRaiseExportName[] = "Raise";
inline constexpr char kSolarizeExportName[] = "Solarize";
inline constexpr char kSpreadExportName[] = "Spread";
inline constexpr char kSwirlExportName[] = "Swirl";

// The effect strengths; a strength outside is taken as the nearest end.
inline constexpr int kMinEffectStrength = 1;
inline constexpr int kMaxEffectStrength = 100;

// The export that an adjustment id of the effect range calls (5 Emboss ... 17 Swirl, in the order of
// the effect list), null for any other id. Negative (12) is the one export of type NegativeFunction.
constexpr const char* EffectExportName(int adjustId) {
    constexpr const char* kNames[] = {kEmbossExportName, kWaveExportName,      kAddNoiseExportName,
                                      kConeExportName,   kFindEdgesExportName, kFishEyeExportName,
                                      kMosaicExportName, kNegativeExportName,  kOilPaintExportName,
                                      kRaiseExportName,  kSolarizeExportName,  kSpreadExportName,
                                      kSwirlExportName};
    constexpr int kFirstId = 5;
    if (adjustId < kFirstId || adjustId >= kFirstId + int(std::size(kNames)))
        return nullptr;
    return kNames[adjustId - kFirstId];
}
inline constexpr int kNegativeAdjustId = 12;

// The exports are plain C functions of these types that never let an exception out.

// source: a 24-bit packed DIB (40-byte header, uncompressed, bottom-up or top-down) that stays the
// caller's. Returns a new 24-bit bottom-up packed DIB of the same size with the effect applied at that
// strength, in a global memory block that is returned locked: the caller finds the block with
// GlobalHandle, takes its size with GlobalSize, unlocks and frees it. Null on failure.
using EffectFunction = BITMAPINFOHEADER* (*)(BITMAPINFOHEADER* source, int strength);

// As EffectFunction, for the one effect without a strength.
using NegativeFunction = BITMAPINFOHEADER* (*)(BITMAPINFOHEADER* source);
