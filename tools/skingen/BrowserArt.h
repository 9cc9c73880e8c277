#pragma once
// The file browser's numbered bitmap 165: the tree's strip of four 16 x 16 pictures (share overlay, link
// overlay, "no small icon", folder) on the mask colour RGB(0, 128, 128).

#include <QImage>

namespace SkinGen {

inline constexpr QRgb kBrowserStripMask = 0xFF008080;

QImage BrowserTreeStrip();

} // namespace SkinGen
