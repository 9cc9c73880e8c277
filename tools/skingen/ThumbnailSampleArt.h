#pragma once
// The sample photo that the thumbnail settings dialog shows in its previews (bitmap 6008).

#include "tools/skingen/SkinRenderer.h"

namespace SkinGen {

inline constexpr int kThumbnailSampleSide = 100;

// A small landscape, square and full of colour so that scaling shows; probed in the sun.
RenderedBitmap ThumbnailSampleBitmap();

} // namespace SkinGen
