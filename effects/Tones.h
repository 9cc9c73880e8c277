#pragma once
// The two effects that map each tone on its own. GraphicsMagick has both, but taking a picture into its
// 16-bit pixels and back costs several times the mapping itself, so they run on our rows directly.

#include "platform/imaging/Resampler.h"

// Every channel inverted; the strength is not used.
bool NegativeRows(const ConstPixelRows& source, const PixelRows& target, int strength);

// Channels above a threshold inverted, the threshold falling from 99 % of white to a quarter of it.
bool SolarizeRows(const ConstPixelRows& source, const PixelRows& target, int strength);
