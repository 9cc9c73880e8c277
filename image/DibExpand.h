#pragma once
// Widening of 1- and 4-bit pictures to 8 bits per pixel, the first step of taking a picture in as the
// working picture.

class CPictureInfo;

// A new 8-bit picture (the caller's) with the same pixels: the header is the source's with 8 bits, a
// 256-entry colour table that holds the source's colours first and white after them, rows padded to 4
// bytes. Null unless the picture holds a 1- or 4-bit DIB in the program's form.
CPictureInfo* ExpandTo8Bit(const CPictureInfo& picture);
