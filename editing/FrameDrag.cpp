// Hit tests and drag steps of the crop frame and the red-eye regions.

#include "editing/FrameDrag.h"

#include "platform/ui/Cursor.h"

#include <algorithm>

namespace {

// A corner's handle: from 2 pixels before to 2 after the corner point, right and bottom excluded.
bool InCornerBox(CPoint corner, CPoint point) {
    return point.x >= corner.x - 2 && point.x < corner.x + 2 && point.y >= corner.y - 2 &&
           point.y < corner.y + 2;
}

// One pair of edges moved by one of them: the moved edge stays a pixel away from the other and in 0..1.
double MovedLowEdge(int position, int start, double length, double high) {
    const double edge = (position - start) / length;
    return std::max(std::min(edge, high - 1.0 / length), 0.0);
}

double MovedHighEdge(int position, int start, double length, double low) {
    const double edge = (position - start) / length;
    return std::min(std::max(edge, low + 1.0 / length), 1.0);
}

// The frame moved whole along one axis, its size kept and stopped at 0 and 1.
void MoveAxis(double& low, double& high, int position, int start, int grab, double length) {
    const double size = high - low;
    low = (position - start - grab) / length;
    high = low + size;
    if (low < 0.0) {
        low = 0.0;
        high = size;
    }
    if (high > 1.0) {
        high = 1.0;
        low = 1.0 - size;
    }
}

} // namespace

CRect FrameOnClient(const CRect& picture, const RelativeFrame& frame) {
    const double width = picture.Width();
    const double height = picture.Height();
    return CRect(picture.left + static_cast<int>(width * frame.left),
                 picture.top + static_cast<int>(height * frame.top),
                 picture.left + static_cast<int>(width * frame.right),
                 picture.top + static_cast<int>(height * frame.bottom));
}

FrameDragMode HitTestFrame(const CRect& frameOnClient, CPoint point, CPoint* grab) {
    const CRect& f = frameOnClient;
    if (InCornerBox(CPoint(f.left, f.top), point))
        return kDragTopLeft;
    if (InCornerBox(CPoint(f.right, f.bottom), point))
        return kDragBottomRight;
    if (InCornerBox(CPoint(f.left, f.bottom), point))
        return kDragBottomLeft;
    if (InCornerBox(CPoint(f.right, f.top), point))
        return kDragTopRight;
    if (!f.PtInRect(point))
        return kNoFrameDrag;
    if (grab)
        *grab = CPoint(point.x - f.left, point.y - f.top);
    return kDragWholeFrame;
}

RelativeFrame DragFrame(FrameDragMode mode, const RelativeFrame& frame, CPoint point, const CRect& picture,
                        CPoint grab) {
    RelativeFrame moved = frame;
    const double w = picture.Width();
    const double h = picture.Height();
    if (w <= 0.0 || h <= 0.0)
        return moved;
    const bool left = mode == kDragTopLeft || mode == kDragBottomLeft;
    const bool right = mode == kDragTopRight || mode == kDragBottomRight;
    const bool top = mode == kDragTopLeft || mode == kDragTopRight;
    const bool bottom = mode == kDragBottomRight || mode == kDragBottomLeft;
    if (left)
        moved.left = MovedLowEdge(point.x, picture.left, w, moved.right);
    if (right)
        moved.right = MovedHighEdge(point.x, picture.left, w, moved.left);
    if (top)
        moved.top = MovedLowEdge(point.y, picture.top, h, moved.bottom);
    if (bottom)
        moved.bottom = MovedHighEdge(point.y, picture.top, h, moved.top);
    if (mode == kDragWholeFrame) {
        MoveAxis(moved.left, moved.right, point.x, picture.left, grab.x, w);
        MoveAxis(moved.top, moved.bottom, point.y, picture.top, grab.y, h);
    }
    return moved;
}

LPCTSTR CornerCursorId(FrameDragMode mode) {
    switch (mode) {
    case kDragTopLeft:
    case kDragBottomRight:
        return IDC_SIZENWSE;
    case kDragTopRight:
    case kDragBottomLeft:
        return IDC_SIZENESW;
    default:
        return nullptr;
    }
}
