#pragma once
// The two effects that move pixels along curves: vertical waves across the picture and a swirl about
// its centre.

#include "platform/imaging/Resampler.h"

// Vertical waves along the width, three wavelengths across; the amplitude goes up to a twentieth of
// the shorter side.
bool WaveRows(const ConstPixelRows& source, const PixelRows& target, int strength);

// Up to one full turn at the centre, none at the rim of the circle that the longer side spans (drawn
// as an ellipse of the picture's proportions).
bool SwirlRows(const ConstPixelRows& source, const PixelRows& target, int strength);
