#pragma once
// An oil painting: each pixel takes the colour of the most frequent tone around it.

#include "platform/imaging/Resampler.h"

// A brush of radius 1 to 5 pixels.
bool OilPaintRows(const ConstPixelRows& source, const PixelRows& target, int strength);
