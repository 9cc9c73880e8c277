#pragma once
// The frames the user drags over a picture window: the crop frame and the red-eye regions. A frame is
// kept relative to the picture (left, right, top, bottom in 0..1) and shown over the picture rectangle.

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

struct RelativeFrame {
    double left = 0.0;
    double right = 1.0;
    double top = 0.0;
    double bottom = 1.0;
};

// What a press grabbed: a corner, the whole frame, or nothing.
enum FrameDragMode : int {
    kNoFrameDrag = -1,
    kDragTopLeft = 0,
    kDragTopRight = 1,
    kDragBottomRight = 2,
    kDragBottomLeft = 3,
    kDragWholeFrame = 4,
};

// The frame on the client: each edge is the picture rectangle's start plus its length times the
// relative edge, truncated.
CRect FrameOnClient(const CRect& picture, const RelativeFrame& frame);

// Corners first (top-left, bottom-right, bottom-left, top-right, each a box from 2 pixels before to 2
// after the corner), then the frame's rectangle; grab receives the point less the top-left corner for a
// whole-frame hit.
FrameDragMode HitTestFrame(const CRect& frameOnClient, CPoint point, CPoint* grab);

// The frame after the pointer moved to point under mode. Opposite edges stay one display pixel apart
// and inside 0..1; a moved frame keeps its size and stops at the picture's border.
RelativeFrame DragFrame(FrameDragMode mode, const RelativeFrame& frame, CPoint point, const CRect& picture,
                        CPoint grab);

// The system cursor of a corner's handle (IDC_SIZENWSE or IDC_SIZENESW); null for the others.
LPCTSTR CornerCursorId(FrameDragMode mode);
