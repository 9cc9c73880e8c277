#pragma once
// The file browser's thumbnail cells: a picture centred on a transparent cell of the list's thumbnail
// size, so that the list's background shows around it whatever colour the picture has.

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

#include <vector>

class CPictureInfo;

// Top-down 32-bit pixels (B, G, R, A) of a cell of size: the picture's pixels opaque, centred (and cut
// where it is larger), the rest transparent. Empty for a picture without pixels.
std::vector<BYTE> MakeThumbnailCell(const CPictureInfo& picture, const CSize& size);
