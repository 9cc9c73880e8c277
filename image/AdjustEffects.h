#pragma once
// The effects that the rebuild takes from outside the image core: the effects library, the page curl
// of the Rastrum library and the red-eye correction of the imaging library. Each changes a picture in
// place and leaves it as it was when it cannot be applied.

#include "image/Adjust.h"

#include <cstddef>

class CPictureInfo;

// A copy of a packed DIB of size bytes replaces the picture's block when it passes the picture gate;
// false, with the picture unchanged, otherwise.
bool ReplaceWithCheckedDib(CPictureInfo& picture, const void* dib, std::size_t size);

// The effect of an adjustment id through the effects library (5..17) or the page curl (18), looked up
// by name in the module the application holds, at every call. False for a missing module or export,
// a failed call, a result that is not a picture, or another id.
bool ApplyLibraryEffect(CPictureInfo& picture, int id, int value);

// Red-eye correction in every region of the settings up to the current one; false when no region
// could be corrected.
bool ApplyRedEyeReduction(CPictureInfo& picture, const ADJUST& settings);
