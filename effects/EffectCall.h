#pragma once
// The one path of every export: the source DIB read, the effect run on its rows, the result handed
// out as a new DIB in locked global memory.

#include "platform/base/WinStructs.h"
#include "platform/imaging/Resampler.h"

// An effect writes every pixel of target (same size as source, both 24-bit, top row first) from
// source at a strength of kMinEffectStrength..kMaxEffectStrength. False when it could not.
using EffectBody = bool (*)(const ConstPixelRows& source, const PixelRows& target, int strength);

// Runs the effect on a 24-bit packed DIB that stays the caller's; the strength is clamped to the
// effects' range first. Returns the new DIB in a locked global memory block, or null when the source
// is not a 24-bit DIB, memory runs out or the effect fails. Never throws.
BITMAPINFOHEADER* CallEffect(const BITMAPINFOHEADER* source, int strength, EffectBody body);
