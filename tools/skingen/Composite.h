#pragma once
// Pictures for people to judge the art: a window with its controls pasted through their regions as
// the program shows them, and a sheet of every state bitmap of a window, enlarged.

#include "tools/skingen/SkinRenderer.h"

#include <QImage>
#include <functional>

namespace SkinGen {

// The state each control shows: an index into its states.
using StateChoice = std::function<size_t(const SkinButton&)>;

QImage CompositeWindow(const RenderedWindow& window, const StateChoice& choice);

// The window's own region applied: what lies outside it is left transparent.
QImage ShapedWindow(const QImage& composite, const Outline& region);

QImage StateSheet(const RenderedWindow& window, int scale);

} // namespace SkinGen
