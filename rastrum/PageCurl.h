#pragma once
// The page curl: one corner of the picture folded back over it like a sheet of paper.

#include "platform/imaging/Resampler.h"
#include "rastrum/RastrumExports.h"

// Draws source, curled as the settings say, into target: 24-bit rows of the same size, both in
// DIB order (bottom row first). A curl without width or height copies the picture unchanged.
void DrawPageCurl(const ConstPixelRows& source, const PixelRows& target, const CurlSettings& settings);
