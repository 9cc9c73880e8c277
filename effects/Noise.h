#pragma once
// The two random effects, written here rather than taken from GraphicsMagick, whose generator draws
// its seeds from the system: each pixel's random numbers come from a hash of a fixed seed and its
// position, so a picture gives the same result every time and on any number of threads.

#include "platform/imaging/Resampler.h"

// Gaussian noise on each channel, standard deviation up to a quarter of the tone range.
bool AddNoiseRows(const ConstPixelRows& source, const PixelRows& target, int strength);

// Each pixel taken from a random place nearby, up to 2.5 % of the shorter side away.
bool SpreadRows(const ConstPixelRows& source, const PixelRows& target, int strength);
