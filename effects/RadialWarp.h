#pragma once
// The two lens effects: inside the ellipse that the picture's edges touch, each pixel is taken from
// the same direction from the centre but nearer to it (a bulge) or farther (a pinch); the corners
// outside the ellipse stay as they are, and the rim of the ellipse does not move.

#include "platform/imaging/Resampler.h"

// A fish-eye lens: the centre magnified up to 2.5 times, the picture squeezed towards the rim.
bool FishEyeRows(const ConstPixelRows& source, const PixelRows& target, int strength);

// A cone seen from above: the picture drawn towards the centre, up to 1.9 times smaller there, with
// a straight profile from the apex to the rim.
bool ConeRows(const ConstPixelRows& source, const PixelRows& target, int strength);
