#pragma once
// Painting a page into the print picture (white, 24 bits, 0.12 mm a pixel) the way the page canvas
// composes it: mats, clip shapes, stencils, shift and zoom, with shift and zoom taken from the canvas's
// size to the picture's.

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

#include <functional>

class CDC;
class CMat;
class CStencil;
class CTemplate;
class CWorkBitmap;

inline constexpr UINT kPrintPaintingText = 51; // status while the objects are painted
inline constexpr UINT kPrintSendingText = 52;  // status while the picture goes to the printer

// The print progress as the renderers drive it; painted at once, no messages pumped.
class IPrintProgress {
public:
    virtual ~IPrintProgress() = default;
    // Range 0 to count, step 1, position 0 and the status text of the string id (0: no text).
    virtual void Begin(int count, UINT statusText) = 0;
    virtual void Step() = 0;
};

// What the renderers read of the main window.
struct PrintPageSources {
    CTemplate* page = nullptr; // the edit-mode template, or the normal-mode one
    CSize canvasClient;        // the page canvas's client size
    // Normal mode: the picture, mat, stencil and fill flag (set: the picture fills its frames), and the
    // picture's rectangle inside the mat for a frame.
    CWorkBitmap* picture = nullptr;
    CMat* mat = nullptr;
    CStencil* stencil = nullptr;
    bool fillFlag = false;
    std::function<CRect(const CRect& frame)> matPictureRect;
};

// The edit-mode page object by object in list order; scale is the job's percentage. FALSE without a
// page or with an empty one, for a picture of no size that is to be fitted, or a picture that fails.
BOOL RenderTemplateObjects(CDC* dc, int dibWidth, int dibHeight, int scale, const PrintPageSources& sources,
                           IPrintProgress* progress);
// The normal-mode picture into every frame of the normal-mode template. TRUE with the page left white
// when there is no picture.
BOOL RenderNormalPage(CDC* dc, int dibWidth, int dibHeight, int scale, const PrintPageSources& sources,
                      IPrintProgress* progress);
