#pragma once
// A photo-like test picture drawn by program: a landscape under a sky with the sun, hills, a lake and a
// face with red eyes, with film grain. The same size always gives the same pixels, so the benchmarks
// and the picture gallery of the adjustments need no picture files.

#include "platform/base/WinStructs.h"

#include <array>
#include <vector>

// A packed 24-bit DIB (40-byte header, no colour table, bottom-up rows) of width x height.
std::vector<BYTE> MakePhotoScene(int width, int height);

// Where the pupils of the face lie, relative to the picture (0..1, top 0), with a little room around.
struct SceneRect {
    double left;
    double right;
    double top;
    double bottom;
};
std::array<SceneRect, 2> PhotoSceneEyes(int width, int height);
