#pragma once
// The C++ header that the program includes: the point tables of every skinned control and a probe
// pixel for every skin bitmap.

#include "tools/skingen/SkinRenderer.h"

#include <QByteArray>
#include <vector>

namespace SkinGen {

QByteArray SkinArtHeader(const std::vector<RenderedWindow>& windows);

} // namespace SkinGen
