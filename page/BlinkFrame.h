#pragma once
// The blinking selection frame of pictures and texts: a solid and a dotted outline in red and white,
// the colours changing places with each phase.

#include "platform/base/Geometry.h"

class CDC;

// Draws rect with a solid pen red in the red phase (white otherwise) and a dotted pen in the other
// colour over it; the context's pen, brush and background mode are restored.
void DrawBlinkRectangle(CDC* pDC, const CRect& rect, bool redPhase);
