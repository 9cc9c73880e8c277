#pragma once
// A palette made for a picture: median cut over its colour histogram.

#include "platform/imaging/BytePixels.h"

#include <vector>

// At most `colours` palette entries (1 to 256) that represent the blue-green-red pixels well: the colour
// space is cut at the median of the longest side of the most populous box until there are as many
// boxes as colours (or no box can be cut), and each box gives the mean colour of its pixels.
std::vector<RGBQUAD> MedianCutPalette(const BytePixels& bgr, int colours);
