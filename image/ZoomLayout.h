#pragma once
// Where a picture lands in its frame under the user's zoom and shift: the picture is stretched to fill the
// frame, scaled by zoom / 100 about the frame's centre, moved by the shift and clipped to the frame. The
// screen renderings and the resampled print renderings share this arithmetic.

#include "platform/base/Geometry.h"

struct ZoomLayout {
    CRect dest;   // frame pixels, inside the frame
    CRect source; // picture pixels, counted from the top
    int sourceY;  // the source rectangle's first row counted from the bottom, as transfers take it
};

// Whether the picture's source corners are rounded to the nearest pixel (the plain rendering) or truncated
// (the masked one).
enum class SourceRounding { Nearest, Down };

// Zooms beyond this show a few pixels of the picture at most; larger values only risk the arithmetic.
inline constexpr int kMaxRenderZoom = 10000;

// The zoom a renderer works with: larger zooms are brought down to kMaxRenderZoom; 0 and below mean
// that nothing of the picture shows.
int RenderZoom(int zoom);

// For a zoom above 0; frame and picture sizes must be positive.
ZoomLayout ComputeZoomLayout(CSize frame, CSize picture, CPoint shift, int zoom, SourceRounding rounding);
