#pragma once
// The sunken well in which the information dialogs paint a picture or a page.

#include "platform/base/Geometry.h"

class CDC;

// A 1-pixel light edge just outside the top and left, a dark one outside the bottom and right, and the
// well itself filled grey.
void DrawPictureWell(CDC* dc, const CRect& well);
