#pragma once
// The C++ header that the program includes: the point tables of every skinned control and a probe
// pixel for every skin bitmap.

#include "tools/skingen/SkinRenderer.h"

#include <QByteArray>
#include <vector>

namespace SkinGen {

// numbered: the bitmaps that windows load by id, not by name.
QByteArray SkinArtHeader(const std::vector<RenderedWindow>& windows,
                         const std::vector<RenderedBitmap>& numbered);

} // namespace SkinGen
