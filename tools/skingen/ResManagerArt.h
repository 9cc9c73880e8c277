#pragma once
// The resource manager's image strips on the mask colour magenta: "RES_MANAGER_LIST", the object view's
// album icon (one 32 x 32 picture), and "res_manager_tree", the album tree's two 16 x 16 pictures (a
// closed album for a node at rest, an open one for the selected node). Resource names are looked up in
// upper case, so the tree's "res_manager_tree" finds it.

#include "tools/skingen/SkinRenderer.h"

namespace SkinGen {

inline constexpr QRgb kResManagerMask = 0xFFFF00FF;

RenderedBitmap ResManagerListStrip();
RenderedBitmap ResManagerTreeStrip();

} // namespace SkinGen
