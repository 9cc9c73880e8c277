#pragma once
// The effects taken from GraphicsMagick, as EffectBody functions (see EffectCall.h).

#include "platform/imaging/Resampler.h"

bool EmbossRows(const ConstPixelRows& source, const PixelRows& target, int strength);
bool WaveRows(const ConstPixelRows& source, const PixelRows& target, int strength);
bool FindEdgesRows(const ConstPixelRows& source, const PixelRows& target, int strength);
bool OilPaintRows(const ConstPixelRows& source, const PixelRows& target, int strength);
bool SwirlRows(const ConstPixelRows& source, const PixelRows& target, int strength);
