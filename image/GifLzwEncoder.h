#pragma once
// The variable-length LZW encoder of GIF89a (appendix F) for 8-bit pixels.

#include "platform/base/WinTypes.h"

#include <vector>

class CImageImpl;

// Appends the image's pixels, one byte each from the top-left pixel on, as LZW codes starting at 9 bits
// in data sub-blocks of at most 254 bytes, without the minimum code size before them and without the
// terminating empty block.
void EncodeGifPixels(const CImageImpl& image, std::vector<BYTE>& out);
