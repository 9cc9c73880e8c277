#pragma once
// Square tiles of one colour each.

#include "platform/imaging/Resampler.h"

// Each tile takes the mean colour of the pixels it covers; tiles grow from 2 pixels to 2 pixels plus
// a twentieth of the shorter side, counted from the top left corner.
bool MosaicRows(const ConstPixelRows& source, const PixelRows& target, int strength);
