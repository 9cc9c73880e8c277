#pragma once
// The one resampling kernel of the program: the imaging library's resize, the thumbnails and the
// resampling library all scale pixels through it.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <memory>

enum class ResampleFilter {
    Nearest,  // the source pixel under each target pixel's centre
    Area,     // each target pixel the area-weighted mean of the source pixels it covers
    Bicubic,  // Catmull-Rom cubic
    Lanczos3, // windowed sinc over three lobes
};

// Rows of interleaved 8-bit samples. row0 is the first row in memory and step the distance to the
// next one, so bottom-up and top-down rows alike can be handed in; both sides are walked in the same
// order, so the picture is not flipped.
struct PixelRows {
    BYTE* row0 = nullptr;
    std::ptrdiff_t step = 0;
    int width = 0;
    int height = 0;
};

struct ConstPixelRows {
    const BYTE* row0 = nullptr;
    std::ptrdiff_t step = 0;
    int width = 0;
    int height = 0;
};

// Scales source into target, both with `channels` samples per pixel (1 to 4), each channel on its
// own. The smooth filters widen with the reduction factor, so a reduction averages over every source
// pixel it covers instead of aliasing. Runs on all cores. Sizes must be positive.
void ResamplePixels(const ConstPixelRows& source, const PixelRows& target, int channels,
                    ResampleFilter filter);

// ResamplePixels for a source that arrives one row at a time, in the order its rows lie in memory: only
// the sums of the few target rows under way are held, never the source. Runs on the calling thread.
class CRowResampler {
public:
    CRowResampler(int sourceWidth, int sourceHeight, const PixelRows& target, int channels,
                  ResampleFilter filter);
    ~CRowResampler();
    CRowResampler(const CRowResampler&) = delete;
    CRowResampler& operator=(const CRowResampler&) = delete;

    // The next source row, `channels` samples a pixel; every target row is written once the rows under
    // it have come.
    void AddRow(const BYTE* row);

private:
    struct State;
    std::unique_ptr<State> m_state;
};
