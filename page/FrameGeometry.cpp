// Where a picture goes inside its frame on the page: fitted to its proportions, inside a mat's opening.

#include "page/FrameGeometry.h"

#include "image/PictureInfo.h"
#include "library/Mat.h"

#include <algorithm>
#include <cstdlib>

CRect FitToPicture(const CRect& frame, const CPictureInfo& picture) {
    const float sx = static_cast<float>(frame.Width()) / static_cast<float>(picture.GetWidth());
    const float sy = static_cast<float>(frame.Height()) / static_cast<float>(picture.GetHeight());
    const float s = std::min(sx, sy);
    const int w = static_cast<int>(static_cast<float>(picture.GetWidth()) * s);
    const int h = static_cast<int>(static_cast<float>(picture.GetHeight()) * s);
    const int left = frame.left + (frame.Width() - w) / 2;
    const int top = frame.top + (frame.Height() - h) / 2;
    return {left, top, left + w, top + h};
}

CRect MatOpening(const CMat* mat, const CRect& frame) {
    if (!mat || !mat->IsLoaded())
        return frame;
    const int l = std::min(frame.left, frame.right);
    const int r = std::max(frame.left, frame.right);
    const int t = std::min(frame.top, frame.bottom);
    const int b = std::max(frame.top, frame.bottom);
    const double w = std::abs(frame.Width());
    const double h = std::abs(frame.Height());
    return {std::min(r, l + static_cast<int>(w * mat->GetLeft())),
            std::min(b, t + static_cast<int>(h * mat->GetTop())),
            std::max(l, r - static_cast<int>(w * mat->GetRight())),
            std::max(t, b - static_cast<int>(h * mat->GetBottom()))};
}
