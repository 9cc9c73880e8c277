#pragma once
// Blending a rendered picture over what a context already shows, through a stencil rendering.

#include "platform/base/Geometry.h"

class CDC;
class CPictureInfo;

// The context's pixels under frame, copied into a 24-bit DIB section, are blended into picture (24 bits,
// the frame's size) through stencil: green 255 keeps the picture, 0 shows the context. False when the
// copy cannot be made.
bool BlendOverScreen(CDC* pDC, const CRect& frame, CPictureInfo& picture, const CPictureInfo& stencil);
