#pragma once
// The object view's thumbnail layout, read from its own profile section with its own defaults, and the
// icon spacing that follows from it.

#include "albums/BrowseThumbnailSettings.h"
#include "platform/base/Geometry.h"

inline constexpr char kResManagerThumbnailSection[] = "Settings\\Thumbnails\\ResManager";

// Defaults: 90 by 90, a spacing of the size read plus 11, the window and window-text colours.
BrowseThumbnailSettings ReadResManagerThumbnailSettings();
// Cell plus spacing on each axis, at most 150, so large thumbnails never push the icons far apart.
CSize ResManagerIconSpacing(const BrowseThumbnailSettings& settings);
