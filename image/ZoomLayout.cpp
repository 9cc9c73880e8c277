#include "image/ZoomLayout.h"

#include <algorithm>
#include <cstdint>

namespace {

// One edge of the destination: the shift plus the zoomed half frame, clamped to the frame, truncated.
int DestEdge(int shift, int extent, int zoom, int sign) {
    const double half = static_cast<double>(std::int64_t{extent} * (zoom + sign * 100)) / 200;
    return static_cast<int>(std::clamp(shift + sign * half, 0.0, static_cast<double>(extent)));
}

// One edge of the visible part, in frame units: where the frame's edge falls in the unzoomed picture.
double VisibleEdge(int shift, int extent, double r, int sign) {
    return std::clamp((1 + sign * r) * extent / 2 - r * shift, 0.0, static_cast<double>(extent));
}

} // namespace

int RenderZoom(int zoom) {
    return std::min(zoom, kMaxRenderZoom);
}

ZoomLayout ComputeZoomLayout(CSize frame, CSize picture, CPoint shift, int zoom, SourceRounding rounding) {
    const int w = frame.cx, h = frame.cy;
    ZoomLayout layout;
    layout.dest = CRect(DestEdge(shift.x, w, zoom, -1), DestEdge(shift.y, h, zoom, -1),
                        DestEdge(shift.x, w, zoom, 1), DestEdge(shift.y, h, zoom, 1));

    const double r = 100.0 / zoom;
    const double left = VisibleEdge(shift.x, w, r, -1), right = VisibleEdge(shift.x, w, r, 1);
    const double top = VisibleEdge(shift.y, h, r, -1), bottom = VisibleEdge(shift.y, h, r, 1);
    const float sx = static_cast<float>(picture.cx) / static_cast<float>(w);
    const float sy = static_cast<float>(picture.cy) / static_cast<float>(h);
    const double half = rounding == SourceRounding::Nearest ? 0.5 : 0.0;
    layout.source = CRect(static_cast<int>(sx * left + half), static_cast<int>(sy * top + half),
                          static_cast<int>(sx * right + half), static_cast<int>(sy * bottom + half));
    const float frameInPicture = static_cast<float>(h) * sy;
    layout.sourceY = static_cast<int>(
        std::max(0.0, static_cast<double>(frameInPicture - static_cast<float>(layout.source.bottom)) + 0.5));
    return layout;
}
