#pragma once
// The resource manager's two tool bar strips of 16 x 16 pictures on the transparent magenta: the main
// bar (new, duplicate, rename, delete, open, slide show, apply, thumbnail settings) and the sort bar
// (to the top, up, down, to the bottom, sort ascending, sort descending).

#include <QImage>

namespace SkinGen {

inline constexpr QRgb kToolBarStripMask = 0xFFFF00FF;

QImage ResManagerToolBarStrip();
QImage ResManagerSortToolBarStrip();

} // namespace SkinGen
