#pragma once
// The two effects that weigh each pixel's neighbourhood: a relief and the edges of the picture. Both
// repeat the edge pixels beyond the picture, and below full strength the photo shows through.

#include "platform/imaging/Resampler.h"

// A relief lit from the bottom right whose depth grows with the strength, its tones spread evenly over
// the whole range in each channel.
bool EmbossRows(const ConstPixelRows& source, const PixelRows& target, int strength);

// Light edges on dark; a wider neighbourhood finds coarser edges and draws them thicker.
bool FindEdgesRows(const ConstPixelRows& source, const PixelRows& target, int strength);
