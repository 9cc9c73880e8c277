#pragma once
// The size of a block of text in the font selected into a context, measured as a multi-line edit
// control breaks it: at its line breaks only.

#include "platform/base/Geometry.h"
#include "platform/base/String.h"

class CDC;

// As wide as the widest line (lines end at CR LF, CR or LF) and as high as all lines together. An empty
// text is an empty block.
CSize MeasureTextBlock(CDC* pDC, const CString& text);
