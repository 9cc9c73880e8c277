#pragma once
// Where a picture goes inside its frame on the page: fitted to its proportions, inside a mat's opening.

#include "platform/base/Geometry.h"

class CMat;
class CPictureInfo;

// The largest rectangle of the picture's proportions inside frame, centred.
CRect FitToPicture(const CRect& frame, const CPictureInfo& picture);
// The opening of a loaded mat inside frame from its four border fractions; the frame itself without one.
CRect MatOpening(const CMat* mat, const CRect& frame);
