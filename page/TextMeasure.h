#pragma once
// The size of a block of text in the font selected into a context, measured as a multi-line edit
// control breaks it: at its line breaks only.

#include "platform/base/Geometry.h"
#include "platform/base/String.h"

class CDC;

// Each line (split at CR LF, CR or LF) measured on its own; the whole text measured again inside the
// widest line's rectangle. An empty text is an empty block.
CSize MeasureTextBlock(CDC* pDC, const CString& text);
