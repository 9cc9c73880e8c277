#pragma once
// The effect taken from GraphicsMagick, as an EffectBody function (see EffectCall.h).

#include "platform/imaging/Resampler.h"

bool OilPaintRows(const ConstPixelRows& source, const PixelRows& target, int strength);
