#pragma once
// The raised-button look: a bevel around the picture, lit from the top left. GraphicsMagick has it,
// but it touches only the border, and a round trip through its 16-bit pixels would cost many times
// that; so it is drawn on our rows directly.

#include "platform/imaging/Resampler.h"

// The bevel grows up to a tenth of the shorter side; the top and left bands are lightened, the bottom
// and right ones darkened, meeting on the corners' diagonals. Pixels inside stay as they are.
bool RaiseRows(const ConstPixelRows& source, const PixelRows& target, int strength);
