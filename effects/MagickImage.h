#pragma once
// GraphicsMagick pictures made straight from our pixel rows and read back into them, with no file or
// encoded blob in between.

#include "platform/imaging/Resampler.h"

#include <cstdio>
#include <ctime>
#include <magick/api.h>
#include <memory>
#include <sys/types.h>

struct MagickImageDestroy {
    void operator()(Image* image) const { DestroyImage(image); }
};
using MagickImage = std::unique_ptr<Image, MagickImageDestroy>;

// The errors that GraphicsMagick calls report, released at the end of the scope.
class CMagickErrors {
public:
    CMagickErrors() { GetExceptionInfo(&m_info); }
    ~CMagickErrors() { DestroyExceptionInfo(&m_info); }
    CMagickErrors(const CMagickErrors&) = delete;
    CMagickErrors& operator=(const CMagickErrors&) = delete;

    ExceptionInfo* Get() { return &m_info; }

private:
    ExceptionInfo m_info;
};

// A new picture of the rows' size holding their pixels (blue, green, red bytes; top row first).
// Initialises the library on first use. Null when memory runs out.
MagickImage ImageFromRows(const ConstPixelRows& source);

// Rows to mix a copy with on the way: result = under + (copy - under) * weight / 256.
struct RowBlend {
    ConstPixelRows under;
    int weight;
};

// Reads the picture's rows top..top + target.height - 1 into target, whose width must be the
// picture's, mixed with the blend's rows when there is one. False when they cannot be had.
bool CopyImageRows(const Image& image, long top, const PixelRows& target, const RowBlend* blend = nullptr);
